#pragma once
// Notifications from controls to their window, the builder's callback for unknown classes and
// the list text callback, as DuiLib's interfaces.

#include <cstdint>
#include <string>

namespace dui {

class CControlUI;

// Notification types; a window tells them apart by text.
inline constexpr wchar_t kNotifyClick[] = L"click";
inline constexpr wchar_t kNotifySelectChanged[] = L"selectchanged";
inline constexpr wchar_t kNotifyTextChanged[] = L"textchanged";
inline constexpr wchar_t kNotifyItemSelect[] = L"itemselect";
inline constexpr wchar_t kNotifyItemActivate[] = L"itemactivate";
inline constexpr wchar_t kNotifySetFocus[] = L"setfocus";
inline constexpr wchar_t kNotifyKillFocus[] = L"killfocus";
inline constexpr wchar_t kNotifyReturn[] = L"return";
inline constexpr wchar_t kNotifyEscape[] = L"escape";
// The wParam of a "setfocus" that the keyboard's Tab moved (0 for a click or a call), so that a
// window can tell a focus passing through from a control the user went to.
inline constexpr intptr_t kFocusByKeyboard = 1;

struct TNotifyUI {
    std::wstring sType;
    CControlUI* pSender = nullptr;
    intptr_t wParam = 0;
    intptr_t lParam = 0;
};

class INotifyUI {
  public:
    virtual void Notify(TNotifyUI& msg) = 0;

  protected:
    ~INotifyUI() = default;
};

// Asked for every skin element whose class the layer does not know; nullptr skips it.
class IDialogBuilderCallback {
  public:
    virtual CControlUI* CreateControl(const std::wstring& className) = 0;

  protected:
    ~IDialogBuilderCallback() = default;
};

// Gives a list row its cell texts when it is drawn: row element, row index, column.
class IListCallbackUI {
  public:
    virtual std::wstring GetItemText(CControlUI* row, int index, int column) = 0;

  protected:
    ~IListCallbackUI() = default;
};

}  // namespace dui
