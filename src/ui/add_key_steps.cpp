// The key wizard's key types and step flow: what each page shows for the chosen type, moving
// between the steps with their checks, the clamp recommendation of the last step, the reset.

#include "platform/dui/combo.h"
#include "platform/dui/container.h"
#include "platform/dui/edit.h"
#include "platform/dui/label.h"
#include "platform/dui/list.h"
#include "platform/text/text.h"
#include "res/strings.h"
#include "ui/add_key.h"
#include "ui/key_info_rules.h"
#include "ui/show_message.h"
#include "wizard/cell_lists.h"
#include "wizard/step_checks.h"
#include "wizard/wizard_rules.h"

namespace {

enum Combo { kLocating, kEdge, kCutsA, kCutsB, kDepths, kCircle, kGroove };

const wchar_t* const kSideGroups[2][6] = {
    {L"Step3keyAContainer", L"Step3keyAContainer1", L"Step3keyAContainer2", L"Step3keyAControl",
     L"Step4keyAControl", L"Step4keyAContainer1"},
    {L"Step3keyBContainer", L"Step3keyBContainer1", L"Step3keyBContainer2", L"Step3keyBControl",
     L"Step4keyBControl", L"Step4keyBContainer1"}};
const wchar_t* const kSidePictures[2][3] = {
    {L"Step3keyAControl", L"Step4keyAControl", L"Step5keyAControl"},
    {L"Step3keyBControl", L"Step4keyBControl", L"Step5keyBControl"}};
// The flat and depths pages' lists, each under its side picture (same order as kSidePictures).
const wchar_t* const kListsUnderPictures[2][3] = {
    {nullptr, L"Step4keyAContainer1", L"Step5ContainerlistA"},
    {nullptr, L"Step4keyBContainer1", L"Step5ContainerlistB"}};
const wchar_t* const kDimpleSideB[] = {L"Step5keyBControl", L"Step5ContainerlistB",
                                       L"Step5keyBContainer2", L"LabelUI46", L"EditUI15"};

constexpr int kDefaultCutsPick = 6;   // 8 cuts
constexpr int kDefaultDepthPick = 2;  // 4 depths
constexpr int kFinishStep = 6;
constexpr int kFreshRows = 8;

// A pick left in a combo's user data by the load: read once, then the data is emptied.
int UserDataPick(dui::CComboUI* combo, int fallback) {
    if (combo == nullptr) {
        return fallback;
    }
    const std::wstring data = combo->GetUserData();
    combo->SetUserData(L"");
    const int pick = data.empty() ? fallback : platform::LeadingInt(data).value_or(0);
    return pick < 0 ? fallback : pick;
}

void SetFixedXY(dui::CControlUI* control, int x, int y) {
    if (control != nullptr) {
        control->SetFixedXY({x, y});
    }
}

}  // namespace

void CAddKey::SelectKeyType(int type) {
    dui::COptionUI* keyShape = m_pStepOption[1];
    if (type == m_nKeyType) {
        if (keyShape != nullptr) {
            keyShape->Selected(true);
        }
        return;
    }
    // Another type: what later steps held was judged for the type before.
    if (m_nKeyType != 0) {
        for (int step = 2; step < kWizardSteps; ++step) {
            if (m_pStepOption[step] != nullptr) {
                m_pStepOption[step]->SetEnabled(false);
            }
        }
    }
    m_nKeyType = type;
    const wizard::ParamRowLayout rows = wizard::RowLayoutOf(type);
    LayoutParamRows(rows.n, rows.step);
    if (keyShape != nullptr) {
        keyShape->Selected(true);
    }
    PickCombo(kLocating, 0);
    m_bReinitDepths = true;
    m_bReinitSpaces = true;
    SetSpriteBkImage(m_pStep4Control, -1, L"step4key.png", type);
    SetSpriteBkImage(m_pStep5Control, -1, L"step5key.png", type);

    if (const auto schematic = wizard::OffsetSchematicOf(type)) {
        for (int panel = 0; panel < 3; ++panel) {
            if (m_pStepKeyType[panel] != nullptr) {
                m_pStepKeyType[panel]->SetVisible(false);
            }
        }
        ShowOffsetPictures(schematic->cells);
        for (int panel = 0; panel < 3; ++panel) {
            if (schematic->panels[panel] && m_pStepKeyType[panel] != nullptr) {
                m_pStepKeyType[panel]->SetVisible(true);
            }
        }
        if (m_pStepHeadContainer[0] != nullptr) {
            m_pStepHeadContainer[0]->SetVisible(true);
        }
        SetFixedXY(m_pStepHeadContainer[1], 29, 190);
        // Its options hidden, the four-track key reads its offset from "EditUI6" alone.
        if (type == 4 && m_pOffsetOption[0] != nullptr) {
            m_pOffsetOption[0]->Selected(true);
        }
    } else {
        if (m_pStepHeadContainer[0] != nullptr) {
            m_pStepHeadContainer[0]->SetVisible(false);
        }
        SetFixedXY(m_pStepHeadContainer[1], 29, 22);
    }

    const bool dimple = type == 7 || type == 8;
    if (m_pStepHeadContainer[2] != nullptr) {
        m_pStepHeadContainer[2]->SetVisible(dimple);
    }
    SetFixedXY(m_pStepHeadContainer[3], 42, dimple ? 130 : 109);

    const bool track = type == 7;
    for (const wchar_t* name :
         {L"Step5keyBControl", L"Step5ContainerlistB", L"Step5keyBContainer2"}) {
        ShowControl(name, track);
    }
    SetSideLabels();
    for (int side = 0; side < 2; ++side) {
        const wchar_t* image =
            track ? (side == 0 ? L"Y.png" : L"C.png") : (side == 0 ? L"A.bmp" : L"B.bmp");
        for (int page = 0; page < 3; ++page) {
            if (dui::CControlUI* picture = Control(kSidePictures[side][page])) {
                picture->SetBkImage(image);
                picture->SetFixedHeight(track ? 102 : 22);
                PlaceBelow(picture, kListsUnderPictures[side][page]);
            }
        }
    }
    if (m_pStepHeadContainer[4] != nullptr) {
        m_pStepHeadContainer[4]->SetVisible(track);
    }
    if (m_pStepHeadContainer[3] != nullptr) {
        m_pStepHeadContainer[3]->SetVisible(!track);
    }
    for (dui::CControlUI* control :
         {m_pOffsetPicture[3], static_cast<dui::CControlUI*>(m_pOffsetOption[3]),
          static_cast<dui::CControlUI*>(Edit(9))}) {
        if (control != nullptr) {
            control->SetVisible(!track);
        }
    }
    if (track) {
        ClearList(2);
        SetListRows(2, kFreshRows);
    }
    if (type == 8) {
        for (int list : {2, 3}) {
            ClearList(list);
            SetListRows(list, kFreshRows);
        }
    }
    SetControlText(L"LabelUI23", res::LoadString(type == 8 ? 248 : 168));
    UpdateStepImages();
    m_KeyParams.keyType = wizard::StoredKeyType(type);
}

void CAddKey::PlaceBelow(dui::CControlUI* picture, const wchar_t* listName) {
    dui::CControlUI* list = listName != nullptr ? Control(listName) : nullptr;
    if (list == nullptr) {
        return;
    }
    // The list keeps its bottom edge and gives up at its top what the picture needs.
    const dui::Size place = list->GetFixedXY();
    const int bottom = place.cy + list->GetFixedHeight();
    const int top = picture->GetFixedXY().cy + picture->GetFixedHeight() + 4;
    list->SetFixedXY({place.cx, top});
    list->SetFixedHeight(bottom - top);
}

void CAddKey::LayoutParamRows(int n, int step) {
    for (int row = 0; row < kParamRows; ++row) {
        dui::CControlUI* control = m_pParamRows[row];
        if (control == nullptr) {
            continue;
        }
        const std::optional<int> shift = wizard::RowShift(row, {n, step});
        if (shift) {
            control->SetFixedXY({m_ptParamRows[row].cx, m_ptParamRows[row].cy + *shift});
        }
        control->SetVisible(shift.has_value());
    }
}

void CAddKey::ShowKeySides(int mode) {
    if (const auto sides = wizard::SidesOfMode(mode)) {
        for (int side = 0; side < 2; ++side) {
            for (const wchar_t* name : kSideGroups[side]) {
                ShowControl(name, side == 0 ? sides->a : sides->b);
            }
        }
    }
    for (int combo : {kCutsA, kCutsB, kDepths}) {
        if (m_pCombo[combo] != nullptr && m_pCombo[combo]->GetCurSel() < 0) {
            PickCombo(combo, combo == kDepths ? kDefaultDepthPick : kDefaultCutsPick);
        }
    }
}

void CAddKey::OnKeyEdgePick(int sel) {
    const wizard::EdgeEffect effect = wizard::EdgeEffectOf(m_nKeyType, sel);
    if (effect.sideMode) {
        ShowKeySides(*effect.sideMode);
    }
    if (effect.step3Picture) {
        SetSpriteBkImage(m_pStep3Control, m_KeyParams.locating, L"step3key.png",
                         *effect.step3Picture);
    }
    ShowOffsetPictures(effect.offsetCells);
    if (effect.dimpleSideB) {
        ShowDimpleSideB(*effect.dimpleSideB);
    }
}

void CAddKey::ShowOffsetPictures(const std::vector<wizard::OffsetCell>& cells) {
    for (const wizard::OffsetCell& cell : cells) {
        dui::CControlUI* picture = cell.picture == wizard::kPictureKeyType
                                       ? Control(L"showKeyTypeImage")
                                       : m_pOffsetPicture[cell.picture];
        SetSpriteBkImage(picture, 2, L"step4shiyixiao.png", cell.row, cell.column);
    }
}

void CAddKey::ShowDimpleSideB(bool show) {
    for (const wchar_t* name : kDimpleSideB) {
        ShowControl(name, show);
    }
    if (dui::CEditUI* centre = Edit(10)) {
        centre->SetFixedWidth(show ? 50 : 140);
    }
}

void CAddKey::UpdateStepImages() {
    if (m_nKeyType == 0) {
        for (dui::CControlUI* picture : {m_pStep2Control, m_pStep3Control}) {
            if (picture != nullptr) {
                picture->SetBkImage(L"");
            }
        }
        return;
    }
    const int locating = m_pCombo[kLocating] != nullptr ? m_pCombo[kLocating]->GetCurSel() : 0;
    const int mode = locating < 0 ? 0 : locating;
    SetSpriteBkImage(m_pStep2Control, mode, L"step2key.png", m_nKeyType);
    SetSpriteBkImage(m_pStep3Control, mode, L"step3key.png",
                     wizard::Step3Picture(m_nKeyType, m_KeyParams.edgeSide));
}

void CAddKey::RefreshSideCombos() {
    std::vector<std::wstring> items;
    for (int id : wizard::EdgeComboItems(m_nKeyType)) {
        items.push_back(KeptText(id));
    }
    FillCombo(kEdge, items);
    PickCombo(kEdge, UserDataPick(m_pCombo[kEdge], 0));
    PickCombo(kCutsA, UserDataPick(m_pCombo[kCutsA], kDefaultCutsPick));
    PickCombo(kCutsB, UserDataPick(m_pCombo[kCutsB], kDefaultCutsPick));
}

bool CAddKey::SwitchStep(int n) {
    if (n == m_nCurStep) {
        return true;
    }
    // Forward, every step on the way is entered and judged in turn, as Next would do; the
    // first refusal keeps its own step.
    while (n > m_nCurStep) {
        int focus = 0;
        const std::wstring message = CheckStep(m_nCurStep, focus);
        if (message != L"0") {
            if (m_pFrame != nullptr) {
                m_pFrame->ShowMessage(message, kMessageWarning);
            }
            SetFocusToEdit(focus);
            return false;
        }
        if (m_nCurStep + 1 == n) {
            break;
        }
        EnterStep(m_nCurStep + 1);
    }
    EnterStep(n);
    return true;
}

void CAddKey::EnterStep(int n) {
    if (m_pSwitch != nullptr) {
        m_pSwitch->SelectItem(n);
    }
    m_nCurStep = n;
    if (n == 1) {
        PickCombo(kLocating, m_KeyParams.locating);
    } else if (n == 2) {
        if (m_bReinitSpaces) {
            m_bReinitSpaces = false;
            RefreshSideCombos();
        } else {
            PickCombo(kEdge, m_KeyParams.edgeSide);
        }
    } else if (n == 4 && m_bReinitDepths) {
        m_bReinitDepths = false;
        if (m_nKeyType == 7) {
            PickCombo(kCircle, UserDataPick(m_pCombo[kCircle], kDefaultDepthPick));
            PickCombo(kGroove, UserDataPick(m_pCombo[kGroove], kDefaultDepthPick));
        } else {
            PickCombo(kDepths, UserDataPick(m_pCombo[kDepths], kDefaultDepthPick));
        }
    } else if (n == 5) {
        SetUpClamp();
    }
    if (m_pLastBtn != nullptr) {
        m_pLastBtn->SetEnabled(n != 0 && !(m_bEditMode != 0 && n == 1));
    }
    if (m_pNextBtn != nullptr) {
        m_pNextBtn->SetText(KeptText(n == 5 ? 214 : 158));
    }
    if (m_pStepOption[n] != nullptr) {
        m_pStepOption[n]->SetEnabled(true);
    }
}

std::wstring CAddKey::CheckStep(int step, int& focusEdit) {
    const StepResult result = CheckLeaveStep(GatherInputs(), m_KeyParams, step);
    focusEdit = result.focus;
    if (result.Passed()) {
        m_KeyParams = result.params;
        return L"0";
    }
    const std::wstring& kept = KeptText(result.messageId);
    return kept.empty() ? result.Message() : kept;
}

void CAddKey::SetFocusToEdit(int number) {
    if (dui::CEditUI* edit = Edit(number)) {
        edit->SetFocus();
        edit->SetSelAll();
    }
}

void CAddKey::SetUpClamp() {
    const int clampType = GetViceType(m_nKeyType);
    m_KeyParams.clampType = static_cast<int8_t>(clampType);
    m_KeyParams.clampSide =
        static_cast<int8_t>(GetVicePosition(m_nKeyType, m_KeyParams, clampType));
    m_KeyParams.clampPicture = GetViceImageIndex(m_KeyParams, clampType);
    for (dui::COptionUI* side : m_pVicePosition) {
        if (side != nullptr) {
            side->SetVisible(false);
            side->SetEnabled(true);
        }
    }
    if (clampType == 2) {
        for (dui::COptionUI* side : m_pVicePosition) {
            if (side != nullptr) {
                side->SetVisible(true);
            }
        }
        for (int side : wizard::DisabledViceSides(m_KeyParams.keyType, m_KeyParams.edgeSide)) {
            if (m_pVicePosition[side] != nullptr) {
                m_pVicePosition[side]->SetEnabled(false);
            }
        }
        const int chosen = m_KeyParams.clampSide - 1;
        if (chosen >= 0 && chosen < 4 && m_pVicePosition[chosen] != nullptr) {
            m_pVicePosition[chosen]->Selected(true);
        }
    }
    if (m_pClampPicture != nullptr) {
        m_pClampPicture->SetBkImage(
            key_info::ClampImage(clampType, m_KeyParams.clampPicture, m_KeyParams.clampSide));
    }
}

void CAddKey::GoToStep(int n) {
    if (n < 0) {
        return;
    }
    if (n >= kFinishStep) {
        FinishKey();
    } else if (m_pStepOption[n] != nullptr) {
        m_pStepOption[n]->Selected(true);
    }
}
