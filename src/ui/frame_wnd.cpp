#include "ui/frame_wnd.h"

#include <algorithm>
#include <cwctype>

#include "platform/dui/edit.h"
#include "platform/dui/label.h"
#include "platform/text/text.h"
#include "res/dialogs.h"
#include "ui/key_info.h"
#include "ui/language.h"
#include "ui/message_script.h"
#include "ui/wnd_ui.h"

namespace {

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

constexpr int kHostedButtonId = 2000;

// Where the child windows lie in the main window.
constexpr dui::Rect kPanePlace{255, 117, 255 + 745, 117 + 539};
constexpr afx::Rect kTreePlace{5, 154, 5 + 250, 154 + 507};

// The option sprite "q12.png": 114 pixels an option, normal, hot and pushed, selected.
std::wstring OptionImage(int index, int frame) {
    int left = 114 * index + 38 * frame;
    return platform::Format(L"file='q12.png' source='%d,0,%d,26'", left, left + 38);
}

}  // namespace

CDuiFrameWnd::CDuiFrameWnd(const std::wstring& xmlPath)
    : CXMLWnd(xmlPath),
      m_UpdateDlg([this](const std::wstring& text, int type) { return ShowMessage(text, type); }) {}

CDuiFrameWnd::~CDuiFrameWnd() = default;

void CDuiFrameWnd::OnFinalMessage(dui::HWND) {
    delete this;
}

void CDuiFrameWnd::OnSystemClose() {
    Quit();
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

void CDuiFrameWnd::FindControls() {
    m_pSearchEdit = m_PaintManager.Find<dui::CEditUI>(L"SearchEdit");
    m_pSearchBtn = m_PaintManager.Find<dui::CButtonUI>(L"SearchBtn");
    m_pAddkeyBtn = m_PaintManager.Find<dui::CButtonUI>(L"AddkeyBtn");
    m_pDeleteBtn = m_PaintManager.Find<dui::CButtonUI>(L"DeleteBtn");
    m_pInputButton = m_PaintManager.Find<dui::CButtonUI>(L"InputButton");
    m_pOutputButton = m_PaintManager.Find<dui::CButtonUI>(L"OutputButton");
    m_pCloudServer = m_PaintManager.Find<dui::CButtonUI>(L"CloudServer");
    m_pSynchServer = m_PaintManager.Find<dui::CButtonUI>(L"SynchServer");
    m_pUpdateMachine = m_PaintManager.Find<dui::CButtonUI>(L"UpdateMachine");
    m_pSetting = m_PaintManager.Find<dui::CButtonUI>(L"Setting");
    m_pVersionLabel = m_PaintManager.FindControl(L"VersionLabel");
    m_pStatusText = m_PaintManager.Find<dui::CTextUI>(L"TextUI1");
    for (int i = 0; i < kLanguageOptions; ++i) {
        m_pLanguage[i] = m_PaintManager.Find<dui::COptionUI>(platform::Format(L"Language%d", i));
    }
}

void CDuiFrameWnd::InitWindow() {
    FindControls();
    for (int i = 0; i < kLanguageOptions; ++i) {
        if (dui::COptionUI* option = m_pLanguage[i]) {
            option->SetNormalImage(OptionImage(i, 0));
            option->SetHotImage(OptionImage(i, 1));
            option->SetPushedImage(OptionImage(i, 1));
            option->SetSelectedImage(OptionImage(i, 2));
        }
    }
    for (dui::CControlUI* control :
         {static_cast<dui::CControlUI*>(m_pSearchBtn), static_cast<dui::CControlUI*>(m_pAddkeyBtn),
          static_cast<dui::CControlUI*>(m_pDeleteBtn),
          static_cast<dui::CControlUI*>(m_pCloudServer)}) {
        if (control != nullptr) {
            control->SetEnabled(false);
        }
    }
    if (m_pSetting != nullptr) {
        m_pSetting->SetVisible(false);
    }

    auto* pane = new CDuiKeyInfo(L"DepthChoose.xml");
    if (pane->Create(GetHWND(), L"", dui::WS_CHILD | dui::WS_VISIBLE, 0) == nullptr) {
        delete pane;
    } else {
        m_pKeyInfo = pane;
        pane->MoveWindow(kPanePlace.left, kPanePlace.top, kPanePlace.Width(), kPanePlace.Height());
        pane->ShowWindow(true, false);
    }

    m_TreeView.Create(GetHWND());
    m_TreeView.MoveWindow(kTreePlace);
    m_TreeView.SetFrameWnd(this);
    m_TreeView.ShowWindow(true);

    InitLanguage();
}

void CDuiFrameWnd::Notify(dui::TNotifyUI& msg) {
    std::wstring sender = msg.pSender != nullptr ? msg.pSender->GetName() : L"";
    if (msg.sType == dui::kNotifyClick) {
        OnClick(sender);
    } else if (msg.sType == dui::kNotifySelectChanged && !m_bSelectingOption) {
        for (int i = 0; i < kLanguageOptions; ++i) {
            if (msg.pSender != nullptr && msg.pSender == m_pLanguage[i]) {
                SetLanguage(i);
            }
        }
    } else if (msg.sType == dui::kNotifySetFocus && sender == L"SearchEdit") {
        // A Tab only passes through the box; a click into it or typing starts the search.
        if (msg.wParam != dui::kFocusByKeyboard) {
            EnterSearchMode();
        }
    } else if (msg.sType == dui::kNotifyTextChanged && sender == L"SearchEdit") {
        EnterSearchMode();
        m_TreeView.FillSearchList(m_pSearchEdit->GetText());
    }
    CXMLWnd::Notify(msg);
}

void CDuiFrameWnd::OnClick(const std::wstring& sender) {
    if (sender == L"CloseBtn") {
        Quit();
    } else if (sender == L"hideBtn") {
        dui::MinimizeWindow(GetHWND());
    } else if (sender == L"SearchBtn") {
        LeaveSearchMode();
    } else if (sender == L"AddkeyBtn") {
        m_TreeView.AddNewKey();
    } else if (sender == L"DeleteBtn") {
        m_TreeView.DeleteKey();
    } else if (sender == L"SynchServer") {
        StartSynchronisation();
    } else if (sender == L"InputButton") {
        SendMessage(WM_IMPORT_KEY_FILE);
    } else if (sender == L"OutputButton") {
        SendMessage(WM_EXPORT_KEY_FILE);
    } else if (sender == L"UpdateMachine") {
        m_UpdateDlg.SetLanguage(g_nLanguage);
        m_UpdateDlg.DoModal(GetHWND());
    }
}

intptr_t CDuiFrameWnd::HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) {
    if (msg == WM_IMPORT_KEY_FILE) {
        ImportKeyFile();
    } else if (msg == WM_EXPORT_KEY_FILE) {
        ExportKeyFile();
    }
    return CXMLWnd::HandleMessage(msg, wParam, lParam);
}

void CDuiFrameWnd::EnterSearchMode() {
    m_TreeView.GetTreeCtrl().ShowWindow(false);
    m_TreeView.GetSearchList().ShowWindow(true);
    if (m_pSearchBtn != nullptr) {
        m_pSearchBtn->SetEnabled(true);
    }
}

void CDuiFrameWnd::LeaveSearchMode() {
    m_TreeView.GetTreeCtrl().ShowWindow(true);
    m_TreeView.GetSearchList().ShowWindow(false);
    if (m_pSearchEdit != nullptr) {
        m_pSearchEdit->SetText(L"");
    }
    if (m_pSearchBtn != nullptr) {
        m_pSearchBtn->SetFocus();
        m_pSearchBtn->SetEnabled(false);
    }
}

void CDuiFrameWnd::ReturnToSearchBox() {
    if (m_pSearchEdit != nullptr) {
        m_PaintManager.SetKeyboardFocus(m_pSearchEdit);
    }
}

void CDuiFrameWnd::EnableAddKeyButton(bool enable) {
    if (m_pAddkeyBtn != nullptr) {
        m_pAddkeyBtn->SetEnabled(enable);
    }
}

void CDuiFrameWnd::EnableDeleteButton(bool enable) {
    if (m_pDeleteBtn != nullptr) {
        m_pDeleteBtn->SetEnabled(enable);
    }
}

void CDuiFrameWnd::ShowKey(int keyId) {
    if (m_pKeyInfo != nullptr) {
        m_pKeyInfo->ShowKey(keyId);
    }
}

IKeyWizard* CDuiFrameWnd::GetKeyWizard() {
    if (m_pAddKey == nullptr) {
        CreateKeyWizard();
    }
    return m_pAddKey;
}

void CDuiFrameWnd::CreateKeyWizard() {
    // Made hidden in the pane's place when the key tree first needs it: start-up does not
    // build its six pages.
    auto* wizard = new CAddKey(L"AddKey.xml");
    m_hAddKey = wizard->Create(GetHWND(), L"", dui::WS_CHILD, 0, kPanePlace.left, kPanePlace.top,
                               kPanePlace.Width(), kPanePlace.Height());
    if (m_hAddKey == nullptr) {
        delete wizard;
        return;
    }
    wizard->SetFrameWnd(this);
    wizard->LoadLanguageTexts();
    m_pAddKey = wizard;
}

void CDuiFrameWnd::AddKeyItem(const std::wstring& name, int makerId, int keyId, int image) {
    m_TreeView.AddKeyItem(name, makerId, keyId, image);
}

void CDuiFrameWnd::UpdateKeyItem(int image, int keyId, const std::wstring& name, int newImage) {
    m_TreeView.UpdateKeyItem(image, keyId, name, newImage);
}

void CDuiFrameWnd::Quit() {
    // A key being entered is asked about first, as the key tree does before it takes the
    // wizard; Cancel keeps the program open.
    if (!LetGoOfWizard()) {
        return;
    }
    // A running synchronisation still needs this window, and must take the machine out of its
    // boot mode: the program ends when it has finished.
    if (m_bSyncRunning) {
        SetQuitPending(true);
        return;
    }
    dui::PostQuitMessage(0);
}

bool CDuiFrameWnd::LetGoOfWizard() {
    return m_pAddKey == nullptr || m_pAddKey->CloseWizard();
}

void CDuiFrameWnd::SetQuitPending(bool pending) {
    m_bQuitPending = pending;
    SetStatusText(pending ? m_strClosing : L"");
    if (dui::CControlUI* close = m_PaintManager.FindControl(L"CloseBtn")) {
        close->SetEnabled(!pending);
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
            // Made hidden: its modal run shows it once.
            if (box->Create(GetHWND(), L"", 0, 0) == nullptr) {
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
