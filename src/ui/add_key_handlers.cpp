// The key wizard's clicks and selections, the reset, what the key tree hands over, and the
// snapshot of the pages that the checks and the saves judge.

#include "platform/dui/combo.h"
#include "platform/dui/container.h"
#include "platform/dui/edit.h"
#include "platform/dui/label.h"
#include "platform/dui/list.h"
#include "platform/text/text.h"
#include "ui/add_key.h"
#include "wizard/cell_lists.h"
#include "wizard/wizard_inputs.h"
#include "wizard/wizard_rules.h"

namespace {

enum Combo { kLocating, kEdge, kCutsA, kCutsB, kDepths, kCircle, kGroove };

// The auto-input buttons 1..4: the list they fill and the combo that counts its rows.
struct AutoButton {
    int list;
    int combo;
    int trackCombo;  // Dimple+Track counts its depth lists by their own combos
};
const AutoButton kAutoButtons[kAutoEdits] = {
    {0, kCutsA, kCutsA}, {1, kCutsB, kCutsB}, {4, kDepths, kCircle}, {5, kDepths, kGroove}};

int NumberAfter(const std::wstring& name, const wchar_t* prefix, int count) {
    for (int k = 1; k <= count; ++k) {
        if (name == platform::Format(L"%s%d", prefix, k)) {
            return k;
        }
    }
    return 0;
}

}  // namespace

void CAddKey::OnClick(const std::wstring& sender) {
    if (sender == L"LastBtn") {
        GoToStep(m_nCurStep - 1);
    } else if (sender == L"NextBtn") {
        GoToStep(m_nCurStep + 1);
    } else if (sender == L"CancelBtn") {
        ShowWindow(false);
        ResetWizard();
    } else if (const int button = NumberAfter(sender, L"autoButton", kAutoEdits); button != 0) {
        AutoFill(button);
    } else if (const int type = NumberAfter(sender, L"keyType", kWizardKeyTypes); type != 0) {
        SelectKeyType(type);
    }
}

void CAddKey::AutoFill(int button) {
    const AutoButton& target = kAutoButtons[button - 1];
    const std::vector<std::wstring>& texts = m_listTexts[target.list];
    const std::optional<std::wstring> first =
        texts.empty() ? std::nullopt : std::optional<std::wstring>(texts.front());
    const std::wstring difference =
        m_pAutoEdit[button - 1] != nullptr ? m_pAutoEdit[button - 1]->GetText() : L"";
    // Spaces count up from the first space, depths down from the first depth.
    const wizard::AutoFillRange range = wizard::AutoFillOf(first, difference, button >= 3);
    FillListSequence(range.start, range.step, target.list,
                     m_nKeyType == 7 ? target.trackCombo : target.combo);
}

bool CAddKey::OnSelectChanged(dui::TNotifyUI& msg) {
    const std::wstring& sender = msg.pSender->GetName();
    auto* option = dynamic_cast<dui::COptionUI*>(msg.pSender);
    const bool ticked = option != nullptr && option->IsSelected();
    if (const int step = NumberAfter(sender, L"step", kWizardSteps); step != 0) {
        const bool moved = SwitchStep(step - 1);
        if (!moved && m_pStepOption[m_nCurStep] != nullptr) {
            m_pStepOption[m_nCurStep]->Selected(true);
        }
        return moved;
    }
    if (sender == L"Step4Option") {
        if (m_pStep4VerticalLayout != nullptr) {
            m_pStep4VerticalLayout->SetVisible(!ticked);
        }
        if (m_pStep4showImage != nullptr) {
            m_pStep4showImage->Selected(ticked);
        }
    } else if (sender == L"Step4showSet" && m_pStepHeadContainer[0] != nullptr) {
        m_pStepHeadContainer[0]->SetFixedHeight(ticked ? 314 : 26);
    } else if (sender == L"Step4showImage" && m_pStepHeadContainer[1] != nullptr) {
        m_pStepHeadContainer[1]->SetFixedHeight(ticked ? 195 : 26);
    } else {
        for (int i = 0; i < 4; ++i) {
            if (msg.pSender == m_pVicePosition[i]) {
                m_KeyParams.clampSide = static_cast<int8_t>(i + 1);
            } else if (msg.pSender == m_pOffsetOption[i]) {
                ChooseOffsetInput(i);
            }
        }
    }
    return true;
}

void CAddKey::ChooseOffsetInput(int option) {
    // Options A1, A2, B1, B2: each side's two inputs, one enabled at a time.
    const bool sideB = option >= 2;
    ShowOffsetPictures(wizard::OffsetOptionCells(m_nKeyType, m_KeyParams.edgeSide, sideB));
    const int first = sideB ? 8 : 6;
    const bool firstInput = option % 2 == 0;
    if (dui::CEditUI* edit = Edit(first)) {
        edit->SetEnabled(firstInput);
    }
    if (dui::CEditUI* edit = Edit(first + 1)) {
        edit->SetEnabled(!firstInput);
    }
}

void CAddKey::ResetWizard() {
    CloseListEdit(false);
    // The Key type head takes the user back to the start also after an edited key.
    if (m_pStepOption[0] != nullptr) {
        m_pStepOption[0]->SetEnabled(true);
        m_pStepOption[0]->Selected(true);
    }
    for (int step = 1; step < kWizardSteps; ++step) {
        if (m_pStepOption[step] != nullptr) {
            m_pStepOption[step]->SetEnabled(false);
        }
    }
    for (dui::CEditUI* edit : m_pEdit) {
        if (edit != nullptr) {
            edit->SetText(L"");
        }
    }
    for (dui::CEditUI* edit : m_pAutoEdit) {
        if (edit != nullptr) {
            edit->SetText(L"");
        }
    }
    for (int list = 0; list < kCellLists; ++list) {
        ClearList(list);
    }
    m_KeyParams = KeyParams{};
    // No type any more, so that the rows the picks below give start with the plain texts.
    if (m_nKeyType != 0 && m_pKeyTypeOption[m_nKeyType - 1] != nullptr) {
        m_pKeyTypeOption[m_nKeyType - 1]->Selected(false);
    }
    m_nKeyType = 0;
    for (int combo : {kLocating, kCutsA, kCutsB, kEdge, kDepths, kCircle, kGroove}) {
        PickCombo(combo, 0);
    }
    // The picks that a loaded key left for the step flow go with its run.
    for (dui::CComboUI* combo : m_pCombo) {
        if (combo != nullptr) {
            combo->SetUserData(L"");
        }
    }
    if (m_pStep4Option != nullptr) {
        m_pStep4Option->SetCheck(true);
    }
    for (int option : {0, 2}) {
        if (m_pOffsetOption[option] != nullptr) {
            m_pOffsetOption[option]->Selected(true);
        }
    }
    m_nEditList = 0;
    m_nCurStep = 0;
    m_bReinitDepths = true;
    m_bReinitSpaces = true;
    SetTarget(KeyWizardTarget{});
    ShowDimpleSideB(false);
    m_EditRecord = KeyDataRecord{};
    m_bEditMode = 0;
}

void CAddKey::SetTarget(const KeyWizardTarget& target) {
    m_bEditMode = target.editMode ? 1 : 0;
    m_nMakerId = target.makerId;
    m_nMakerOrKeyId = target.editMode ? target.keyId : target.makerId;
    m_nKeyImage = target.keyImage;
    m_strMakerLabel = target.makerLabel;
    m_strMakerName = target.makerName;
}

void CAddKey::ShowWizard() {
    ShowWindow(true, false);
}

WizardInputs CAddKey::GatherInputs() const {
    WizardInputs inputs;
    inputs.keyType = m_nKeyType;
    inputs.step = m_nCurStep;
    for (int number = 1; number <= kEdits; ++number) {
        if (const dui::CEditUI* edit = m_pEdit[number]) {
            inputs.edits[number] = {edit->GetText(), edit->IsVisible()};
        }
    }
    for (int combo = 0; combo < kCombos; ++combo) {
        inputs.picks[combo] = m_pCombo[combo] != nullptr ? m_pCombo[combo]->GetCurSel() : -1;
    }
    for (int list = 0; list < kCellLists; ++list) {
        WizardListInput& input = inputs.lists[list];
        input.texts = m_listTexts[list];
        input.rows = m_pList[list] != nullptr ? m_pList[list]->GetCount() : 0;
        input.shown = m_pList[list] != nullptr && m_pList[list]->IsVisible();
    }
    inputs.useDefaultClamp = m_pStep4Option == nullptr || m_pStep4Option->GetCheck();
    inputs.offsetA1 = m_pOffsetOption[0] == nullptr || m_pOffsetOption[0]->IsSelected();
    inputs.offsetB1 = m_pOffsetOption[2] == nullptr || m_pOffsetOption[2]->IsSelected();
    inputs.editMode = m_bEditMode != 0;
    inputs.makerName = m_strMakerName;
    inputs.makerId = m_nMakerId;
    inputs.editRecord = m_EditRecord;
    return inputs;
}
