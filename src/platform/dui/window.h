#pragma once
// A skinned window, in WindowImplBase's place: built from its skin file when its native window
// is created, told of every control notification synchronously through Notify, run modally
// with a result, closed with a code, and told through OnFinalMessage when its native window is
// gone (the program's windows then delete themselves). Of its calls a worker thread may make
// ShowWindow, MoveWindow, SetWindowText, Close and SendMessage, which run on the UI thread.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/dui/native.h"
#include "platform/dui/notify.h"
#include "platform/dui/paint_manager.h"

class QEventLoop;

namespace dui {

class NativeWindow;

// Non-client hit-test answers, as WM_NCHITTEST gives them.
enum HitTest : int {
    HTCLIENT = 1,
    HTCAPTION = 2,
    HTLEFT = 10,
    HTRIGHT = 11,
    HTTOP = 12,
    HTTOPLEFT = 13,
    HTTOPRIGHT = 14,
    HTBOTTOM = 15,
    HTBOTTOMLEFT = 16,
    HTBOTTOMRIGHT = 17,
};

class WindowImplBase : public INotifyUI, public IDialogBuilderCallback {
  public:
    WindowImplBase();
    virtual ~WindowImplBase();
    WindowImplBase(const WindowImplBase&) = delete;
    WindowImplBase& operator=(const WindowImplBase&) = delete;

    // With WS_CHILD the window lies inside `parent`; without it `parent` owns it (it stays
    // above its owner). CW_USEDEFAULT sizes take the skin's size. nullptr when the skin cannot
    // be built; the object then stays the caller's.
    HWND Create(HWND parent, const std::wstring& title, unsigned style, unsigned exStyle,
                int x = CW_USEDEFAULT, int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT,
                int cy = CW_USEDEFAULT);
    HWND GetHWND() const { return m_hWnd; }
    void ShowWindow(bool show = true, bool takeFocus = true);
    void CenterWindow();
    void MoveWindow(int x, int y, int cx, int cy);
    void SetWindowText(const std::wstring& title);
    std::wstring GetWindowText() const;
    // Shows the window and runs a loop until Close; the owner takes no input meanwhile. The
    // native window is destroyed before this returns (OnFinalMessage runs), the code answered.
    // Create the window hidden: one shown already is hidden and shown again.
    unsigned ShowModal();
    // Ends a modal run with `code`, or destroys the window once the current event is handled.
    void Close(unsigned code);
    // Runs HandleMessage on the UI thread and answers its result.
    intptr_t SendMessage(unsigned msg, uintptr_t wParam = 0, intptr_t lParam = 0);

    CPaintManagerUI& GetPaintManager() { return m_PaintManager; }

    void Notify(TNotifyUI&) override {}
    CControlUI* CreateControl(const std::wstring&) override { return nullptr; }
    // Where a point of the client area lies: resize border, caption or client.
    virtual int OnNcHitTest(Point pt);

  protected:
    virtual std::wstring GetSkinFolder() = 0;
    virtual std::wstring GetSkinFile() = 0;
    virtual std::wstring GetWindowClassName() const = 0;
    virtual void InitWindow() {}
    virtual void OnFinalMessage(HWND) {}
    virtual intptr_t HandleMessage(unsigned, uintptr_t, intptr_t) { return 0; }
    // A close the program did not ask for: the window manager's close button, or Escape in a
    // modal run. Answers 0 (cancel).
    virtual void OnSystemClose();

    CPaintManagerUI m_PaintManager;

  private:
    friend class NativeWindow;
    void OnNativeDestroyed();

    HWND m_hWnd = nullptr;
    NativeWindow* m_native = nullptr;
    QEventLoop* m_modalLoop = nullptr;
    unsigned m_closeCode = 0;
    std::shared_ptr<bool> m_alive;
};

}  // namespace dui
