// The ends of a wizard run: the close question, the finish and the load of a stored key.

#include "ui/add_key.h"
#include "ui/show_message.h"

bool CAddKey::CloseWizard() {
    if (m_nCurStep != 0 && m_pFrame != nullptr &&
        m_pFrame->ShowMessage(KeptText(215), kMessageYesNoCancel) == kAnswerCancel) {
        return false;
    }
    ResetWizard();
    ShowWindow(false);
    return true;
}

void CAddKey::LoadKeyForEdit(int) {}

void CAddKey::FinishKey() {
    SaveKeyAndClose();
}

void CAddKey::SaveKeyAndClose() {
    ShowWindow(false);
    ResetWizard();
}

void CAddKey::SaveUnfinishedKey() {}
