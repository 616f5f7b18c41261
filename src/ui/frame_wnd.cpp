#include "ui/frame_wnd.h"

#include <algorithm>
#include <cwctype>

#include "platform/afx/ui_thread.h"
#include "ui/message_script.h"
#include "ui/wnd_ui.h"

namespace {

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

constexpr int kHostedButtonId = 2000;

}  // namespace

CDuiFrameWnd::CDuiFrameWnd(const std::wstring& xmlPath) : CXMLWnd(xmlPath) {}

CDuiFrameWnd::~CDuiFrameWnd() = default;

void CDuiFrameWnd::OnFinalMessage(dui::HWND) {
    delete this;
}

void CDuiFrameWnd::OnSystemClose() {
    dui::PostQuitMessage(0);
}

dui::CControlUI* CDuiFrameWnd::CreateControl(const std::wstring& className) {
    if (!EqualsNoCase(className, L"Wnd")) {
        return nullptr;
    }
    auto* control = new CWndUI;
    dui::HWND button =
        dui::CreateWindowEx(0, L"BUTTON", L"Next", dui::WS_CHILD | dui::WS_VISIBLE, 0, 0, 0, 0,
                            m_PaintManager.GetPaintWindow(), kHostedButtonId);
    if (button != nullptr) {
        control->Attach(button);
    }
    return control;
}

void CDuiFrameWnd::Notify(dui::TNotifyUI& msg) {
    if (msg.sType == dui::kNotifyClick && msg.pSender != nullptr) {
        OnClick(msg.pSender->GetName());
    }
    CXMLWnd::Notify(msg);
}

void CDuiFrameWnd::OnClick(const std::wstring& sender) {
    if (sender == L"CloseBtn") {
        dui::PostQuitMessage(0);
    }
}

int CDuiFrameWnd::ShowMessage(const std::wstring& text, int type) {
    // The synchronisation worker calls this too: the box always runs on the UI thread.
    return afx::OnUiThread([&] {
        std::wstring keyName;
        int answer = kAnswerCancel;
        if (ScopedMessageScript* script = ScopedMessageScript::Current()) {
            ScriptedMessage scripted = script->Take(text, type);
            answer = scripted.answer;
            keyName = scripted.keyName;
        } else {
            auto* box = new CShowMessage(L"ShowMessage.xml");
            m_pShowMessage = box;
            if (box->Create(GetHWND(), L"", dui::WS_VISIBLE, 0) == nullptr) {
                delete box;
                m_pShowMessage = nullptr;
            } else {
                box->LoadButtonTexts();
                box->SetMessage(type, text);
                box->CenterWindow();
                box->SetKeyNameTarget(&keyName);
                answer = static_cast<int>(box->ShowModal());
            }
        }
        m_strKeyName = keyName;
        return answer;
    });
}
