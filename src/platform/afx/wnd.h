#pragma once
// A window of a dialog: what every control shares (text, enabled, shown, place, focus, font).
// A Wnd is a handle: it may outlive its window, and then its calls do nothing and answer
// defaults. Every call may be made from a worker; it then runs on the UI thread.

#include <memory>
#include <string>

#include "platform/afx/geometry.h"

class QWidget;

namespace afx {

class Wnd {
  public:
    Wnd();
    virtual ~Wnd();
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;

    // Binds this handle to a window, as DDX_Control and SubclassDlgItem do.
    virtual void Attach(QWidget* widget);
    bool IsAttached() const;
    QWidget* GetSafeWidget() const;

    void SetWindowText(const std::wstring& text);
    std::wstring GetWindowText() const;
    void EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    void ShowWindow(bool show);
    bool IsWindowVisible() const;
    // Place and size in the parent's client coordinates.
    void MoveWindow(const Rect& rect);
    Rect GetWindowRect() const;
    // A point of the window's client area in screen coordinates.
    Point ClientToScreen(Point client) const;
    void SetFocus();
    bool HasFocus() const;
    void SetFont(const Font& font);
    // The colour of the window's text, as a WM_CTLCOLOR answer gives it.
    void SetTextColor(ColorRef color);
    // Draws the window again (with its background, as the transparent texts need).
    void Invalidate();

  protected:
    // Runs `call` with the window on the UI thread; nothing when the window is gone.
    template <typename W, typename F>
    void WithWidget(F&& call) const;
    template <typename W, typename R, typename F>
    R WithWidget(R fallback, F&& call) const;

  private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    QWidget* Widget() const;
};

}  // namespace afx
