// The ends of a wizard run: the finish, the saves of finished and unfinished keys, the close
// question, and the load of a stored key for editing.

#include "model/key_files.h"
#include "model/key_lists.h"
#include "platform/dui/combo.h"
#include "platform/dui/edit.h"
#include "platform/dui/native.h"
#include "platform/text/text.h"
#include "ui/add_key.h"
#include "ui/left_tree_view.h"
#include "ui/show_message.h"
#include "wizard/key_load.h"
#include "wizard/key_record.h"
#include "wizard/wizard_values.h"

void CAddKey::ShowRefusal(const StepResult& result) {
    SetFocusToEdit(result.focus);
    if (m_pFrame != nullptr) {
        m_pFrame->ShowMessage(result.Message(), kMessageWarning);
    }
}

std::optional<int> CAddKey::KeyIdToSave() {
    if (m_bEditMode != 0) {
        return m_EditRecord.keyId;
    }
    std::optional<int> id = AllocateUserKeyId();
    if (!id) {
        ShowRefusal({kMsgSaveFailed});
    }
    return id;
}

void CAddKey::FinishKey() {
    const StepResult result = CheckFinish(GatherInputs(), m_KeyParams, g_KeyData);
    if (!result.Passed()) {
        ShowRefusal(result);
        return;
    }
    SaveKeyAndClose();
}

bool CAddKey::SaveKeyAndClose() {
    const WizardInputs inputs = GatherInputs();
    const std::optional<int> id = KeyIdToSave();
    if (!id) {
        return false;
    }
    const KeyDataRecord record = BuildFinishedRecord(inputs, m_KeyParams, *id);
    const bool wasUnfinished = m_bEditMode != 0 && m_nKeyImage == kImageUnfinishedKey;
    if (!(wasUnfinished ? FinishKeyEdit(record) : UpsertKeyData(record))) {
        ShowRefusal({kMsgSaveFailed});
        return false;
    }
    const std::wstring name = AnsiToWide(record.keyName);
    if (m_pFrame != nullptr) {
        if (m_bEditMode != 0) {
            m_pFrame->UpdateKeyItem(m_nKeyImage, *id, name, kImageKey);
        } else {
            m_pFrame->AddKeyItem(name, m_nMakerId, *id, kImageKey);
        }
        m_pFrame->ShowKey(*id);
    }
    ShowWindow(false);
    ResetWizard();
    return true;
}

bool CAddKey::SaveUnfinishedKey() {
    const std::wstring name = m_pFrame != nullptr ? m_pFrame->GetKeyName() : L"";
    const StepResult named = CheckUnfinishedName(name, m_KeyParams);
    if (!named.Passed()) {
        ShowRefusal(named);
        return false;
    }
    const std::optional<int> id = KeyIdToSave();
    if (!id) {
        return false;
    }
    const KeyDataRecord record = BuildUnfinishedRecord(GatherInputs(), m_KeyParams, name, *id);
    if (!UpsertKeyDataEdit(record)) {
        ShowRefusal({kMsgSaveFailed});
        return false;
    }
    const std::wstring stored = StoredKeyName(name);
    if (m_pFrame != nullptr) {
        m_pFrame->SetKeyName(stored);
        if (m_bEditMode != 0) {
            m_pFrame->UpdateKeyItem(m_nKeyImage, *id, stored, m_nKeyImage);
        } else {
            m_pFrame->AddKeyItem(stored, m_nMakerId, *id, kImageUnfinishedKey);
        }
    }
    return true;
}

bool CAddKey::SaveOnClose() {
    const WizardInputs inputs = GatherInputs();
    // A finished key stays one: it is saved through the finish's tests or not at all.
    const bool editingFinished = m_bEditMode != 0 && m_nKeyImage != kImageUnfinishedKey;
    if (!inputs.Text(kEditModel).empty() || editingFinished) {
        const StepResult result = CheckFinish(inputs, m_KeyParams, g_KeyData);
        if (!result.Passed()) {
            ShowRefusal(result);
            return false;
        }
        return SaveKeyAndClose();
    }
    if (!inputs.Text(kEditName).empty()) {
        m_pFrame->SetKeyName(inputs.Text(kEditName));
        return SaveUnfinishedKey();
    }
    // Without a name the user is asked for one; no name saves nothing.
    if (m_pFrame->ShowMessage(L"", kMessageKeyName) != kAnswerOk) {
        return true;
    }
    return SaveUnfinishedKey();
}

bool CAddKey::CloseWizard() {
    if (!dui::IsWindowVisible(GetHWND())) {
        ShowWindow(false);
        return true;
    }
    if (m_nCurStep != 0 && m_pFrame != nullptr) {
        const int answer = m_pFrame->ShowMessage(KeptText(kMsgCloseQuestion), kMessageYesNoCancel);
        if (answer == kAnswerCancel || (answer == kAnswerOk && !SaveOnClose())) {
            return false;
        }
    }
    ResetWizard();
    ShowWindow(false);
    return true;
}

void CAddKey::LoadKeyForEdit(int image) {
    KeyDataRecord record{};
    if (image == kImageUnfinishedKey) {
        FindEditKeyById(&record, m_nMakerOrKeyId);
    } else {
        FindKeyById(&record, m_nMakerOrKeyId);
    }
    if (record.keyId != m_nMakerOrKeyId) {
        return;
    }
    const std::optional<LoadedKey> loaded = LoadKeyRecord(record, image != kImageUnfinishedKey);
    if (!loaded) {
        // Nothing of the record reaches the pages, and the next run starts clean.
        if (m_pFrame != nullptr) {
            m_pFrame->ShowMessage(kInvalidKeyText, kMessageWarning);
        }
        ResetWizard();
        ShowWindow(false);
        return;
    }
    m_EditRecord = record;
    ShowLoadedKey(*loaded);
    ShowWindow(true, false);
}

void CAddKey::ShowLoadedKey(const LoadedKey& loaded) {
    const WizardInputs& inputs = loaded.inputs;
    m_KeyParams = loaded.params;
    for (int number = 1; number <= kEdits; ++number) {
        if (dui::CEditUI* edit = Edit(number)) {
            edit->SetText(inputs.edits[number].text);
        }
    }
    if (m_pKeyTypeOption[inputs.keyType - 1] != nullptr) {
        m_pKeyTypeOption[inputs.keyType - 1]->Selected(true);
    }
    SelectKeyType(inputs.keyType);
    if (!inputs.useDefaultClamp && m_pStep4Option != nullptr && m_pStep4showSet != nullptr) {
        m_pStep4Option->SetCheck(false);
        m_pStep4showSet->Selected(true);
        for (int option : {inputs.offsetA1 ? 0 : 1, inputs.offsetB1 ? 2 : 3}) {
            if (m_pOffsetOption[option] != nullptr) {
                m_pOffsetOption[option]->Selected(true);
            }
        }
    }
    PickCombo(kComboLocating, inputs.picks[kComboLocating]);
    // An edited key keeps its type.
    if (m_pStepOption[0] != nullptr) {
        m_pStepOption[0]->SetEnabled(false);
    }
    // The step flow picks these when it sets the steps up again.
    for (int combo = kComboEdge; combo < kWizardComboCount; ++combo) {
        if (m_pCombo[combo] != nullptr && inputs.picks[combo] >= 0) {
            m_pCombo[combo]->SetUserData(platform::Format(L"%d", inputs.picks[combo]));
        }
    }
    for (int list = 0; list < kCellLists; ++list) {
        ClearList(list);
        for (const std::wstring& text : inputs.lists[list].texts) {
            AddListRow(list, text);
        }
    }
    const bool sideA = inputs.lists[kListA].shown;
    const bool sideB = inputs.lists[kListB].shown;
    if (sideA != sideB) {
        ShowKeySides(sideB ? 1 : 0);
    }
    for (int step = 1; step < kWizardSteps; ++step) {
        if (m_pStepOption[step] != nullptr) {
            m_pStepOption[step]->SetEnabled(true);
        }
    }
}
