// The main window's key files and synchronisation: import and export through the file
// dialogs, and the worker that copies the key database onto the machine.

#include "link/key_transfer.h"
#include "link/usb_comm.h"
#include "model/key_lists.h"
#include "platform/afx/dialog_template.h"
#include "platform/afx/file_dialog.h"
#include "platform/dui/label.h"
#include "platform/text/text.h"
#include "res/strings.h"
#include "ui/frame_wnd.h"

namespace {

constexpr const wchar_t* kKeyFileFilter = L"Key File(*.u)|*.u|*.*||";

}  // namespace

void CDuiFrameWnd::ImportKeyFile() {
    afx::FileDialog dialog(true, L"", L"", afx::kHideReadOnly | afx::kOverwritePrompt,
                           kKeyFileFilter);
    dialog.SetInitialFolder(GetAppDirectory());
    if (dialog.DoModal(GetHWND()) != afx::kIdOk) {
        return;
    }
    ImportOutcome outcome = CKeyTransfer().ImportKeyFile(dialog.GetPathName());
    m_TreeView.RebuildTree();
    if (outcome.outOfIds) {
        ShowMessage(res::LoadString(253), kMessageWarning);
    }
}

void CDuiFrameWnd::ExportKeyFile() {
    afx::FileDialog dialog(false, L"u", L"", afx::kHideReadOnly | afx::kOverwritePrompt,
                           L"Key File(*.u)|*.u||");
    dialog.SetTitle(m_strExportTitle);
    dialog.SetInitialFolder(GetAppDirectory());
    if (dialog.DoModal(GetHWND()) != afx::kIdOk) {
        return;
    }
    if (CKeyTransfer().ExportKeyData(dialog.GetPathName()) == 0) {
        ShowMessage(res::LoadString(242), kMessageWarning);
    }
}

void CDuiFrameWnd::StartSynchronisation() {
    // On the UI thread, before the worker exists: a second click finds the button disabled.
    if (m_bSyncRunning) {
        return;
    }
    m_bSyncRunning = true;
    SetStatusText(m_strConnecting);
    EnableMachineButtons(false);
    // The worker takes the texts of this moment; a language switch meanwhile does not touch them.
    SyncTexts texts{m_strSending, m_strSendSuccess, m_strSendFailed, m_strConnectFailed};
    m_SyncWorker = afx::BeginThread([this, texts] { return Synchronise(texts); });
}

unsigned CDuiFrameWnd::Synchronise(const SyncTexts& texts) {
    std::wstring message;
    {
        CKeyTransfer transfer;
        if (transfer.Connect()) {
            ShowSyncStatus(texts.sending);
            // The copy reports only whether every command went through.
            message = transfer.WriteKeyDataToMachine()
                          ? texts.success
                          : platform::Format(texts.failed, kLinkFailed);
        } else {
            message = texts.connectFailed;
        }
    }
    ShowSyncStatus(L"");
    ShowMessage(message, kMessageWarning);
    afx::OnUiThread([this] {
        EnableMachineButtons(true);
        m_bSyncRunning = false;
        // A key begun in the wizard while the close waited is asked about again; Cancel
        // leaves the program open.
        if (m_bQuitPending) {
            if (LetGoOfWizard()) {
                dui::PostQuitMessage(0);
            } else {
                SetQuitPending(false);
            }
        }
    });
    return 0;
}

void CDuiFrameWnd::SetStatusText(const std::wstring& text) {
    if (m_pStatusText != nullptr) {
        m_pStatusText->SetText(text);
    }
}

void CDuiFrameWnd::ShowSyncStatus(const std::wstring& text) {
    afx::OnUiThread([&] { SetStatusText(m_bQuitPending ? m_strClosing : text); });
}

void CDuiFrameWnd::EnableMachineButtons(bool enable) {
    for (dui::CControlUI* button : {m_pSynchServer, m_pUpdateMachine}) {
        if (button != nullptr) {
            button->SetEnabled(enable);
        }
    }
}
