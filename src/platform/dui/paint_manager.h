#pragma once
// What DuiLib's paint manager is to a window: its control tree, finding controls by name,
// delivering notifications, the focus, option groups, the skin's window settings and fonts;
// and, process-wide, the resource path and the message loop.

#include <map>
#include <string>
#include <vector>

#include "platform/dui/control.h"
#include "platform/dui/notify.h"

class QWidget;

namespace dui {

class COptionUI;

struct FontSpec {
    std::wstring family;
    int size = 12;  // pixels
    bool bold = false;
    bool underline = false;
    bool italic = false;
};

class CPaintManagerUI {
  public:
    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    void Init(QWidget* paintWindow);
    QWidget* GetPaintWindow() const { return m_paintWindow; }
    // Takes ownership of the tree.
    bool AttachDialog(CControlUI* root);
    CControlUI* GetRoot() const { return m_pRoot; }
    void DestroyRoot();

    CControlUI* FindControl(const std::wstring& name) const;
    template <typename T>
    T* Find(const std::wstring& name) const {
        return dynamic_cast<T*>(FindControl(name));
    }
    // The deepest visible control under a point of the window.
    CControlUI* FindControl(Point pt) const;

    void AddNotifier(INotifyUI* notifier);
    void RemoveNotifier(INotifyUI* notifier);
    // Delivers at once, inside the caller.
    void SendNotify(CControlUI* control, const std::wstring& type, intptr_t wParam = 0,
                    intptr_t lParam = 0);
    void SendNotify(TNotifyUI& msg);

    CControlUI* GetFocus() const { return m_pFocus; }
    // The focus given by the program: a container that scrolls shows the control whole; one that
    // has the keyboard's focus already keeps it.
    void SetFocus(CControlUI* control);
    // The focus moved by a click, which scrolls nothing away from under the mouse.
    void SetClickFocus(CControlUI* control);
    // The focus moved by the keyboard: as SetFocus, and Qt's focus goes into the control itself
    // (KeyboardWidget), which then shows it.
    void SetKeyboardFocus(CControlUI* control);
    void OnControlFocus(CControlUI* control, bool focused);
    void ForgetControl(CControlUI* control);
    // `control` is about to be hidden or disabled. When the keyboard's focus lies in it, the
    // focus goes on to the next control that takes it once the change is done, as Tab would
    // take it (the first control of a tab page shown in its place).
    void ControlLeaving(CControlUI* control);

    void AddOptionGroup(const std::wstring& group, COptionUI* option);
    void RemoveOptionGroup(const std::wstring& group, COptionUI* option);
    std::vector<COptionUI*> GetOptionGroup(const std::wstring& group) const;

    Size GetInitSize() const { return m_initSize; }
    void SetInitSize(Size size) { m_initSize = size; }
    const Rect& GetCaptionRect() const { return m_rcCaption; }
    void SetCaptionRect(const Rect& rc) { m_rcCaption = rc; }
    const Rect& GetSizeBox() const { return m_rcSizeBox; }
    void SetSizeBox(const Rect& rc) { m_rcSizeBox = rc; }
    Size GetRoundCorner() const { return m_roundCorner; }
    void SetRoundCorner(Size size) { m_roundCorner = size; }

    void AddFont(int id, const FontSpec& font);
    // The font `id`, or the default font.
    const FontSpec& GetFont(int id) const;
    void AddDefaultAttributeList(const std::wstring& className, const std::wstring& attributes);
    std::wstring GetDefaultAttributeList(const std::wstring& className) const;

    // Lays the tree out again once control is back in the event loop.
    void NeedUpdate();
    // Lays the tree out now over the whole window.
    void UpdateLayout();
    // Lays the tree out now if a new layout is due.
    void FlushLayout();

    // The program folder, with its trailing separator.
    static std::wstring GetInstancePath();
    static const std::wstring& GetResourcePath();
    static void SetResourcePath(const std::wstring& path);
    // Runs the UI thread's event loop until PostQuitMessage; answers the quit code.
    static int MessageLoop();

  private:
    enum class FocusBy { Click, Code, Keyboard };
    void ChangeFocus(CControlUI* control, FocusBy by);
    void HandFocusOn();

    QWidget* m_paintWindow = nullptr;
    CControlUI* m_pRoot = nullptr;
    CControlUI* m_pFocus = nullptr;
    CControlUI* m_pHandOnFrom = nullptr;  // a control that left with the keyboard's focus
    std::vector<INotifyUI*> m_notifiers;
    std::map<std::wstring, std::vector<COptionUI*>> m_optionGroups;
    std::map<int, FontSpec> m_fonts;
    std::map<std::wstring, std::wstring> m_defaultAttributes;
    Size m_initSize;
    Rect m_rcCaption;
    Rect m_rcSizeBox;
    Size m_roundCorner;
    bool m_bUpdatePosted = false;
};

// Ends the message loop with `code` once the current event has been handled.
void PostQuitMessage(int code);

}  // namespace dui
