// The key wizard as a window: its controls, combos, cell lists with their in-place editor and
// automatic input, sprite pictures and the dispatch of its notifications.

#include "ui/add_key.h"

#include <algorithm>

#include "platform/dui/combo.h"
#include "platform/dui/container.h"
#include "platform/dui/edit.h"
#include "platform/dui/label.h"
#include "platform/dui/list.h"
#include "platform/text/text.h"
#include "res/strings.h"
#include "wizard/cell_lists.h"
#include "wizard/wizard_rules.h"

namespace {

const wchar_t* const kParamRowNames[kParamRows] = {L"LocatingContainer",  L"LenghtContainer",
                                                   L"WidthContainer",     L"BladeContainer",
                                                   L"KeyZDepthContainer", L"SlotWidthContainer"};
const wchar_t* const kComboNames[kCombos] = {L"LocatingPartyComb", L"keyEdgeCombo",  L"step3ACombo",
                                             L"step3BCombo",       L"keyDepthCombo", L"circleCombo",
                                             L"grooveCombo"};
const wchar_t* const kListNames[kCellLists] = {L"Step3ListA", L"Step3ListB", L"Step4ListC",
                                               L"Step4ListD", L"Step5ListE", L"Step5ListF"};
const wchar_t* const kOffsetPictureNames[4] = {L"step4xiaoA1", L"step4xiaoA2", L"step4xiaoB1",
                                               L"step4xiaoB2"};
const wchar_t* const kOffsetOptionNames[4] = {L"OptionA1", L"OptionA2", L"OptionB1", L"OptionB2"};
// Column headers of the lists: spaces, spaces, flats, flats, depths, depths.
const int kHeaderIds[kCellLists][2] = {{201, 202}, {201, 202}, {201, 203},
                                       {201, 203}, {205, 204}, {205, 204}};

constexpr int kInitialRows = 8;
constexpr int kCutItems = 14;
constexpr int kDepthItems = 7;
constexpr int kShortFieldChars = 4;

int IndexOfName(const wchar_t* const* names, int count, const std::wstring& name) {
    for (int i = 0; i < count; ++i) {
        if (name == names[i]) {
            return i;
        }
    }
    return -1;
}

}  // namespace

CAddKey::CAddKey(const std::wstring& xmlPath) : CXMLWnd(xmlPath) {}

CAddKey::~CAddKey() = default;

void CAddKey::OnFinalMessage(dui::HWND) {
    delete this;
}

dui::CControlUI* CAddKey::Control(const wchar_t* name) const {
    return m_PaintManager.FindControl(name);
}

dui::CEditUI* CAddKey::Edit(int number) const {
    return number >= 1 && number <= kEdits ? m_pEdit[number] : nullptr;
}

void CAddKey::ShowControl(const wchar_t* name, bool show) {
    if (dui::CControlUI* control = Control(name)) {
        control->SetVisible(show);
    }
}

void CAddKey::SetControlText(const wchar_t* name, const std::wstring& text) {
    if (dui::CControlUI* control = Control(name)) {
        control->SetText(text);
    }
}

void CAddKey::InitWindow() {
    m_KeyParams = KeyParams{};
    InitControls();
    FillCombo(2, {}, kCutItems);
    FillCombo(3, {}, kCutItems);
    for (int combo = 4; combo < kCombos; ++combo) {
        FillCombo(combo, {}, kDepthItems);
    }
    InitComboItems();
    for (int list = 0; list < kCellLists; ++list) {
        if (m_pList[list] != nullptr) {
            m_pList[list]->SetTextCallback(this);
        }
        ClearList(list);
        SetListRows(list, kInitialRows);
    }
    for (int row = 0; row < kParamRows; ++row) {
        if (m_pParamRows[row] != nullptr) {
            m_ptParamRows[row] = m_pParamRows[row]->GetFixedXY();
        }
    }
    m_nEditList = 0;
    m_nCurStep = 0;
    m_nKeyType = 0;
    m_bReinitDepths = false;
    m_bReinitSpaces = false;
    if (m_pLastBtn != nullptr) {
        m_pLastBtn->SetEnabled(false);
    }
}

void CAddKey::InitControls() {
    auto find = [this](const std::wstring& name) { return m_PaintManager.FindControl(name); };
    m_pLastBtn = m_PaintManager.Find<dui::CButtonUI>(L"LastBtn");
    m_pNextBtn = m_PaintManager.Find<dui::CButtonUI>(L"NextBtn");
    m_pCancelBtn = m_PaintManager.Find<dui::CButtonUI>(L"CancelBtn");
    for (int i = 0; i < kWizardSteps; ++i) {
        m_pStepOption[i] = m_PaintManager.Find<dui::COptionUI>(platform::Format(L"step%d", i + 1));
        if (i > 0 && m_pStepOption[i] != nullptr) {
            m_pStepOption[i]->SetEnabled(false);
        }
    }
    for (int i = 0; i < kWizardKeyTypes; ++i) {
        m_pKeyTypeOption[i] =
            m_PaintManager.Find<dui::COptionUI>(platform::Format(L"keyType%d", i + 1));
        if (m_pKeyTypeOption[i] != nullptr) {
            m_pKeyTypeOption[i]->SetTextStyle(dui::DT_CENTER | dui::DT_WORDBREAK);
        }
    }
    for (int i = 5; i <= 15; ++i) {
        if (auto* label = m_PaintManager.Find<dui::CLabelUI>(platform::Format(L"LabelUI%d", i))) {
            label->SetTextStyle(dui::DT_VCENTER | dui::DT_WORDBREAK);
        }
    }
    for (int i = 0; i < kParamRows; ++i) {
        m_pParamRows[i] = find(kParamRowNames[i]);
    }
    for (int i = 0; i < kStepHeads; ++i) {
        m_pStepHeadContainer[i] = find(platform::Format(L"stepHeadContainer%d", i));
    }
    for (int i = 0; i < kCombos; ++i) {
        m_pCombo[i] = m_PaintManager.Find<dui::CComboUI>(kComboNames[i]);
    }
    for (int i = 0; i < kCellLists; ++i) {
        m_pList[i] = m_PaintManager.Find<dui::CListUI>(kListNames[i]);
    }
    for (int i = 1; i <= kEdits; ++i) {
        m_pEdit[i] = m_PaintManager.Find<dui::CEditUI>(platform::Format(L"EditUI%d", i));
    }
    for (int i = 0; i < kAutoEdits; ++i) {
        m_pAutoEdit[i] =
            m_PaintManager.Find<dui::CEditUI>(platform::Format(L"%s%d", L"autoEdit", i + 1));
    }
    m_pStep4Option = m_PaintManager.Find<dui::CCheckBoxUI>(L"Step4Option");
    m_pStep4Control = find(L"Step4Control");
    m_pStep4Control2 = find(L"Step4Control2");
    m_pStep5Control = find(L"Step5Control");
    m_pStep2Control = find(L"Step2Control");
    m_pStep3Control = find(L"Step3Control");
    m_pClampPicture = find(L"ControlUI13");
    m_pStep4VerticalLayout = m_PaintManager.Find<dui::CContainerUI>(L"step4VerticalLayout");
    for (int i = 0; i < 3; ++i) {
        m_pStepKeyType[i] = find(platform::Format(L"stepKeyType%d", i + 1));
    }
    m_pStep4showImage = m_PaintManager.Find<dui::COptionUI>(L"Step4showImage");
    m_pStep4showSet = m_PaintManager.Find<dui::COptionUI>(L"Step4showSet");
    for (int i = 0; i < 4; ++i) {
        m_pOffsetPicture[i] = find(kOffsetPictureNames[i]);
        m_pOffsetOption[i] = m_PaintManager.Find<dui::COptionUI>(kOffsetOptionNames[i]);
        m_pVicePosition[i] =
            m_PaintManager.Find<dui::COptionUI>(platform::Format(L"VicePosition%c", L'A' + i));
    }
    m_pSwitch = m_PaintManager.Find<dui::CTabLayoutUI>(L"switch");
    if (m_pStep4VerticalLayout != nullptr) {
        m_pStep4VerticalLayout->SetScrollBarImages(L"gundonbu.png", L"gundonbd.png",
                                                   L"gundonbs.png", L"gundonb.png");
    }
    for (int number : {7, 9}) {
        if (dui::CEditUI* edit = Edit(number)) {
            edit->SetEnabled(false);
        }
    }
    // Internal depth, clamp offsets and centre distances are stored in 16 bits: four digits
    // always fit.
    for (int number : {5, 6, 7, 8, 9, 10, 15}) {
        if (dui::CEditUI* edit = Edit(number)) {
            edit->SetMaxChar(kShortFieldChars);
        }
    }
}

void CAddKey::InitComboItems() {
    FillCombo(0, {res::LoadString(199), res::LoadString(200)});
    for (int list = 0; list < kCellLists; ++list) {
        if (m_pList[list] == nullptr) {
            continue;
        }
        dui::CListHeaderUI* header = m_pList[list]->GetHeader();
        for (int column = 0; column < 2 && column < header->GetCount(); ++column) {
            header->GetItemAt(column)->SetText(res::LoadString(kHeaderIds[list][column]));
        }
        m_pList[list]->SetAttribute(L"itemalign", L"center");
    }
    std::vector<std::wstring> edgeItems;
    for (int id : wizard::EdgeComboItems(m_nKeyType)) {
        edgeItems.push_back(KeptText(id));
    }
    // A type without side items leaves the combo empty.
    FillCombo(1, edgeItems, 0);
}

void CAddKey::FillCombo(int comboIndex, const std::vector<std::wstring>& texts, int count) {
    dui::CComboUI* combo = m_pCombo[comboIndex];
    if (combo == nullptr) {
        return;
    }
    const int held = combo->GetCurSel();
    combo->RemoveAll();
    for (const std::wstring& text : texts.empty() ? wizard::NumberItems(count) : texts) {
        auto* item = new dui::CListLabelElementUI;
        item->SetFixedHeight(wizard::kCellRowHeight);
        item->SetText(text);
        combo->Add(item);
    }
    if (held >= 0) {
        combo->SelectItem(held);
    }
}

void CAddKey::PickCombo(int comboIndex, int pick) {
    dui::CComboUI* combo = m_pCombo[comboIndex];
    if (combo == nullptr) {
        return;
    }
    const int before = combo->GetCurSel();
    combo->SelectItem(pick);
    // An unchanged pick says nothing, yet the lists may have been refilled meanwhile.
    if (before == pick && pick >= 0) {
        for (int list : wizard::ListsOfCombo(comboIndex)) {
            SetListRows(list, wizard::RowsOfPick(pick));
        }
    }
}

void CAddKey::OnComboPick(int comboIndex, int pick) {
    for (int list : wizard::ListsOfCombo(comboIndex)) {
        SetListRows(list, wizard::RowsOfPick(pick));
    }
    if (comboIndex == 0) {
        UpdateStepImages();
    } else if (comboIndex == 1) {
        OnKeyEdgePick(pick);
    }
}

void CAddKey::SetSpriteBkImage(dui::CControlUI* control, int mode, const std::wstring& fileName,
                               int n, int column) {
    if (control == nullptr) {
        return;
    }
    control->SetBkImage(wizard::SpriteImage(
        fileName, wizard::SpriteSource(mode, n, column, control->GetFixedWidth(),
                                       control->GetFixedHeight())));
}

void CAddKey::Notify(dui::TNotifyUI& msg) {
    if (msg.pSender == nullptr) {
        return;
    }
    const std::wstring& sender = msg.pSender->GetName();
    if (msg.sType == dui::kNotifyClick) {
        OnClick(sender);
    } else if (msg.sType == dui::kNotifySelectChanged) {
        OnSelectChanged(msg);
    } else if (msg.sType == dui::kNotifyItemSelect) {
        const int combo = IndexOfName(kComboNames, kCombos, sender);
        if (combo >= 0) {
            OnComboPick(combo, static_cast<int>(msg.wParam));
        }
    } else if (msg.sType == dui::kNotifyItemActivate) {
        const int list = wizard::ListOfRowName(sender);
        if (list >= 0) {
            CreateListEdit(list, msg.pSender);
        }
    } else if (msg.sType == dui::kNotifyKillFocus && msg.pSender == m_pListEdit) {
        CloseListEdit(true);
    } else if ((msg.sType == dui::kNotifyReturn || msg.sType == dui::kNotifyEscape) &&
               msg.pSender == m_pListEdit) {
        dui::CControlUI* parent = m_pListEdit->GetParent();
        // Escape throws the typing away; the focus leaving then finds no editor to store.
        if (msg.sType == dui::kNotifyEscape) {
            CloseListEdit(false);
        }
        if (parent != nullptr) {
            parent->SetFocus();
        }
    }
}
