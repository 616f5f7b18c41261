#include "ui/key_info.h"

#include <algorithm>

#include "model/key_lists.h"
#include "platform/dui/native.h"
#include "platform/dui/static_picture.h"
#include "platform/text/text.h"
#include "res/strings.h"

namespace {

enum InfoLabel { kName, kType, kLength, kWidth, kThick, kSlot, kInfoLabelCount };

const wchar_t* const kInfoLabelNames[kInfoLabelCount] = {
    L"l_keyName", L"l_keyType", L"l_keyLength", L"l_keyWidth", L"l_keyThick", L"l_keySlot"};

const ControlText kFixedTexts[] = {
    {L"labelTitle", 129},     {L"labelEnterCode", 130}, {L"labelKeyName", 131},
    {L"labelKeyInfo", 132},   {L"labelKeyType", 133},   {L"labelKeyLength", 163},
    {L"labelKeyThick", 165},  {L"labelKeyWidth", 164},  {L"labelKeySlot", 137},
    {L"labelAlienment", 147}, {L"buttonReset", 138},
};

// The depth a digit button's name stands for, 0 for any other name.
int DigitOfButton(const std::wstring& name) {
    for (int k = 1; k <= key_info::kDigitButtons; ++k) {
        if (name == key_info::DigitButtonName(k)) {
            return k;
        }
    }
    return 0;
}

std::wstring TypeName(int keyType) {
    const int id = key_info::KeyTypeStringId(keyType);
    return id == 0 ? std::wstring() : res::LoadString(id);
}

}  // namespace

CDuiKeyInfo::CDuiKeyInfo(const std::wstring& xmlPath) : CXMLWnd(xmlPath) {}

CDuiKeyInfo::~CDuiKeyInfo() = default;

void CDuiKeyInfo::OnFinalMessage(dui::HWND) {
    delete this;
}

void CDuiKeyInfo::InitWindow() {
    m_hCanvas = dui::CreateWindowEx(0, L"STATIC", L"", dui::WS_CHILD | dui::WS_VISIBLE,
                                    CKeyDrawer::kKeyRect.left, CKeyDrawer::kKeyRect.top,
                                    CKeyDrawer::kCanvasWidth, CKeyDrawer::kCanvasHeight, GetHWND(),
                                    IDC_KEY_CANVAS);
    m_pCanvasImage = std::make_unique<platform::ImageCanvas>(CKeyDrawer::kCanvasWidth,
                                                             CKeyDrawer::kCanvasHeight);
    m_pDrawer = std::make_unique<CKeyDrawer>(*m_pCanvasImage);
    dui::SetStaticPicture(m_hCanvas, *m_pCanvasImage);

    for (int k = 1; k <= key_info::kDigitButtons; ++k) {
        m_pDigitButtons[k - 1] = m_PaintManager.Find<dui::CButtonUI>(key_info::DigitButtonName(k));
    }
    m_pResetButton = m_PaintManager.Find<dui::CButtonUI>(L"buttonReset");
    for (int i = 0; i < kInfoLabelCount; ++i) {
        m_pInfoLabels[i] = m_PaintManager.Find<dui::CLabelUI>(kInfoLabelNames[i]);
    }
    m_pClampPicture = m_PaintManager.Find<dui::CEditUI>(L"EditUI1");

    for (dui::CButtonUI* button : m_pDigitButtons) {
        if (button != nullptr) {
            button->SetEnabled(false);
        }
    }
    if (m_pResetButton != nullptr) {
        m_pResetButton->SetEnabled(false);
    }
    if (m_pClampPicture != nullptr) {
        m_pClampPicture->SetEnabled(false);
    }
}

void CDuiKeyInfo::ShowKey(int32_t keyId) {
    ClearKeypad();
    const auto record = std::find_if(g_KeyData.begin(), g_KeyData.end(),
                                     [keyId](const KeyDataRecord& r) { return r.keyId == keyId; });
    if (record == g_KeyData.end()) {
        // Nothing of the key shown before may pass for this one.
        BlankPane();
        return;
    }
    if (m_pResetButton != nullptr) {
        m_pResetButton->SetEnabled(true);
    }
    m_shownKey = record->params;
    m_vecBitting.clear();

    const int labelled = key_info::KeypadSize(m_shownKey);
    for (int k = 1; k <= labelled; ++k) {
        if (dui::CButtonUI* button = m_pDigitButtons[k - 1]) {
            button->SetEnabled(true);
            button->SetText(platform::Format(L"%d", m_shownKey.depths[k - 1]));
        }
    }
    if (m_pClampPicture != nullptr) {
        m_pClampPicture->SetNormalImage(key_info::ClampImage(
            m_shownKey.clampType, m_shownKey.clampPicture, m_shownKey.clampSide));
    }
    DrawShownKey();
    UpdateInfoLabels();
}

void CDuiKeyInfo::AddDepth(int32_t n) {
    if (static_cast<int>(m_vecBitting.size()) >= key_info::BittingCapacity(m_shownKey)) {
        return;
    }
    m_vecBitting.push_back(n);
    DrawShownKey();
}

void CDuiKeyInfo::UpdateInfoLabels() {
    const std::wstring texts[kInfoLabelCount] = {
        AnsiToWide(m_shownKey.keyName),
        TypeName(m_shownKey.keyType),
        platform::Format(L"%d", m_shownKey.keyLength),
        platform::Format(L"%d", m_shownKey.keyWidth),
        platform::Format(L"%d", m_shownKey.thickness),
        platform::Format(L"%d", m_shownKey.internalWidth),
    };
    for (int i = 0; i < kInfoLabelCount; ++i) {
        if (m_pInfoLabels[i] != nullptr) {
            m_pInfoLabels[i]->SetText(texts[i]);
        }
    }
}

void CDuiKeyInfo::LoadLanguageTexts() {
    SetControlTexts(kFixedTexts);
    if (m_pInfoLabels[kType] != nullptr) {
        m_pInfoLabels[kType]->SetText(TypeName(m_shownKey.keyType));
    }
}

void CDuiKeyInfo::Notify(dui::TNotifyUI& msg) {
    if (msg.sType != dui::kNotifyClick || msg.pSender == nullptr) {
        return;
    }
    const std::wstring& sender = msg.pSender->GetName();
    if (const int depth = DigitOfButton(sender); depth != 0) {
        AddDepth(depth);
    } else if (sender == L"buttonReset") {
        m_vecBitting.clear();
        DrawShownKey();
    }
}

void CDuiKeyInfo::DrawShownKey() {
    m_pDrawer->DrawKey(m_shownKey, m_vecBitting);
    dui::SetStaticPicture(m_hCanvas, *m_pCanvasImage);
}

void CDuiKeyInfo::ClearKeypad() {
    for (dui::CButtonUI* button : m_pDigitButtons) {
        if (button != nullptr) {
            button->SetText(L"");
            button->SetEnabled(false);
        }
    }
}

void CDuiKeyInfo::BlankPane() {
    if (m_pResetButton != nullptr) {
        m_pResetButton->SetEnabled(false);
    }
    m_shownKey = KeyParams{};
    m_vecBitting.clear();
    m_pCanvasImage->Clear();
    dui::SetStaticPicture(m_hCanvas, *m_pCanvasImage);
    for (dui::CLabelUI* label : m_pInfoLabels) {
        if (label != nullptr) {
            label->SetText(L"");
        }
    }
    if (m_pClampPicture != nullptr) {
        m_pClampPicture->SetNormalImage(L"");
    }
}
