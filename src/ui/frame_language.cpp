// The main window's language: read at start, chosen by the options, applied to every window.

#include "platform/afx/toolkit_language.h"
#include "platform/dui/label.h"
#include "platform/text/text.h"
#include "res/strings.h"
#include "ui/frame_wnd.h"
#include "ui/key_info.h"
#include "ui/language.h"

namespace {

// The add and delete buttons' sprite: delete above, add below; normal, hot, pushed, disabled.
void SetSpriteImages(dui::CControlUI* control, const wchar_t* file, int top) {
    auto* button = dynamic_cast<dui::CButtonUI*>(control);
    if (button == nullptr) {
        return;
    }
    auto frame = [&](int i) {
        return platform::Format(L"file='%s' source='%d,%d,%d,%d'", file, 125 * i, top,
                                125 * (i + 1), top + 32);
    };
    button->SetNormalImage(frame(0));
    button->SetHotImage(frame(1));
    button->SetPushedImage(frame(2));
    button->SetDisabledImage(frame(3));
}

// The toolkit's translation that goes with a string table.
std::string ToolkitLocaleOf(int tableLanguage) {
    switch (tableLanguage) {
        case res::kLangChinese:
            return "zh_CN";
        case res::kLangItalian:
            return "it";
        case res::kLangSwedish:
            return "sv";
        default:
            return "";
    }
}

}  // namespace

int CDuiFrameWnd::ReadLanguage() {
    return ReadLanguageIndex();
}

void CDuiFrameWnd::SaveLanguage() {
    SaveLanguageIndex(g_nLanguage);
}

void CDuiFrameWnd::InitLanguage() {
    g_nLanguage = ReadLanguage();
    // A saved language is kept, Chinese (0) included; without one the system's language picks.
    SetLanguage(g_nLanguage != kLanguageNone ? g_nLanguage
                                             : LanguageForSystem(SystemDefaultLangId()));
}

void CDuiFrameWnd::SetLanguage(int index) {
    g_nLanguage = index;
    SaveLanguage();
    res::SetUiLanguage(LanguageIdOf(index));
    afx::SetToolkitLanguage(ToolkitLocaleOf(res::TableLanguage(LanguageIdOf(index))));
    if (index >= 0 && index < kLanguageOptions && m_pLanguage[index] != nullptr) {
        // The option's own notification must not set the language a second time.
        m_bSelectingOption = true;
        m_pLanguage[index]->Selected(true);
        m_bSelectingOption = false;
    }
    ApplyLanguage(index);
}

void CDuiFrameWnd::ApplyLanguage(int index) {
    auto text = [this](const wchar_t* name) { return m_PaintManager.FindControl(name); };
    if (dui::CControlUI* close = text(L"CloseBtn")) {
        close->SetToolTip(res::LoadString(179));
    }
    if (dui::CControlUI* hide = text(L"hideBtn")) {
        hide->SetToolTip(res::LoadString(180));
    }
    if (dui::CControlUI* version = text(L"TextUIBottom1")) {
        version->SetText(res::LoadString(181) + L": 1.0.5");
    }
    if (dui::CControlUI* rights = text(L"TextUIBottom2")) {
        rights->SetText(res::LoadString(183));
    }
    const std::pair<dui::CControlUI*, int> buttons[] = {
        {m_pInputButton, 139}, {m_pOutputButton, 140},  {m_pCloudServer, 141},
        {m_pSynchServer, 142}, {m_pUpdateMachine, 143}, {m_pSetting, 144}};
    for (auto [button, id] : buttons) {
        if (button != nullptr) {
            button->SetText(res::LoadString(id));
        }
    }

    res::LoadString(243, m_strConnecting);
    res::LoadString(245, m_strConnectFailed);
    res::LoadString(244, m_strSending);
    res::LoadString(246, m_strSendSuccess);
    res::LoadString(252, m_strSendFailed);
    res::LoadString(254, m_strClosing);
    SetWindowText(res::LoadString(249));
    res::LoadString(241, m_strExportTitle);

    LanguageImages images = LanguageImagesOf(index);
    if (dui::CControlUI* header = text(L"HorizontalLayoutUI1")) {
        header->SetBkImage(images.headerBackground);
    }
    SetSpriteImages(m_pAddkeyBtn, images.treeButtons, 32);
    SetSpriteImages(m_pDeleteBtn, images.treeButtons, 0);

    if (m_pAddKey != nullptr) {
        m_pAddKey->LoadLanguageTexts();
    }
    if (m_TreeView.GetSafeWidget() != nullptr) {
        m_TreeView.LoadLanguageTexts(index);
    }
    if (m_pKeyInfo != nullptr) {
        m_pKeyInfo->LoadLanguageTexts();
    }
}
