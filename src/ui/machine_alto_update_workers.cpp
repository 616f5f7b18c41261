// The update tool's commands: each starts its procedure on a worker with the controls locked,
// and the procedure reports back through the dialog's controls.

#include "log/log.h"
#include "platform/afx/file_dialog.h"
#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "ui/input_sn.h"
#include "ui/machine_alto_update.h"
#include "ui/show_message.h"

namespace {

constexpr int kRefreshId = 1009;
constexpr int kStartId = 1047;
constexpr int kMenuId = 1059;
constexpr int kCloseId = 1010;
constexpr int kSerialId = 1088;
constexpr int kSoftwareVersionId = 1089;

constexpr int kNoWorkFolderText = 43;
// The update texts that say why the work folder was refused, all but the system's own error.
constexpr std::pair<WorkFolderProblem, int> kWorkFolderProblemTexts[] = {
    {WorkFolderProblem::kSymbolicLink, 44},
    {WorkFolderProblem::kNotAFolder, 45},
    {WorkFolderProblem::kOwnedByAnotherUser, 46},
    {WorkFolderProblem::kOpenToOtherUsers, 47},
};

constexpr const wchar_t* kOfflineFileFilter = L"Key File(*.tqf)|*.tqf|*.*||";

std::optional<std::wstring> RunFileDialog(afx::FileDialog& dialog, QWidget* owner) {
    dialog.SetInitialFolder(platform::ProgramFolder());
    if (dialog.DoModal(owner) != afx::kIdOk) {
        return std::nullopt;
    }
    return dialog.GetPathName();
}

}  // namespace

void CMachineAltoUpdate::OnCommand(int commandId) {
    const std::pair<int, Command> commands[] = {
        {kRefreshId, {.run = RefreshVersions, .stoppable = true}},
        {kStartId, {.run = UpdateOnline, .needsWorkFolder = true}},
        {kDeviceInfoCommand, {.run = ShowDeviceInfo}},
        {kRepairDataCommand, {.run = RepairData, .needsWorkFolder = true}},
        {kEnterBiosCommand, {.run = EnterBootMode}},
        {kClearAllDataCommand, {.run = ClearAllData}},
        {kClampOldCommand,
         {.run = [](const UpdateJob& job) { SetClampModel(job, ClampModel::kOld); }}},
        {kClampNewCommand,
         {.run = [](const UpdateJob& job) { SetClampModel(job, ClampModel::kNew); }}},
        {kOfflineUpdateCommand, {.run = ApplyOfflineUpdateFile}},
        {kUpdateProgramOnlyCommand, {.run = UpdateProgramOnly}},
    };
    for (const auto& [id, command] : commands) {
        if (commandId == id) {
            StartWorker(command);
            return;
        }
    }
    if (commandId == kMenuId) {
        m_bMenuRequested = true;
        ShowToolsMenu();
    } else if (commandId == kCreateFileCommand) {
        OnCreateFile();
    } else if (commandId == kCloseId) {
        Close();
    } else {
        afx::Dialog::OnCommand(commandId);
    }
}

void CMachineAltoUpdate::OnCreateFile() {
    const Command create{
        .run = CreateOfflineUpdateFile, .stoppable = true, .needsWorkFolder = true};
    if (RefusedForWorkFolder(create)) {
        return;
    }
    CInputSN prompt;
    prompt.DoModal(GetSafeWidget());
    m_strSerial = prompt.m_strSN;
    if (m_strSerial.empty()) {
        return;
    }
    m_strSerial = platform::AsciiUpper(m_strSerial);
    StartWorker(create);
}

bool CMachineAltoUpdate::RefusedForWorkFolder(const Command& command) {
    if (!command.needsWorkFolder || !m_strWorkDir.empty()) {
        return false;
    }
    std::wstring reason = m_WorkDirRefusal.systemError;
    for (auto [problem, number] : kWorkFolderProblemTexts) {
        if (m_WorkDirRefusal.problem == problem) {
            reason = Text(number);
        }
    }
    // The reason first: a long path is what the status line cuts.
    std::wstring message =
        platform::Format(Text(kNoWorkFolderText), reason + L" (" + m_WorkDirRefusal.folder + L")");
    SetStatusText(message);
    WriteLog(message);
    return true;
}

void CMachineAltoUpdate::StartWorker(const Command& command) {
    // Refused here, on the UI thread, before any worker exists: a second click or a close
    // finds the dialog locked already.
    if (m_bWorkerRunning || RefusedForWorkFolder(command)) {
        return;
    }
    m_bWorkerRunning = true;
    m_bWorkerStoppable = command.stoppable;
    m_WorkerStop = std::stop_source();
    LockControls(command.stoppable);
    int selected = m_VersionList.GetCurSel();
    UpdateJob job{this,         &kAltoMachine,
                  m_nLanguage,  m_Texts,
                  m_strWorkDir, selected >= 0 ? m_VersionList.GetLBText(selected) : std::wstring(),
                  m_strSerial,  command.stoppable ? m_WorkerStop.get_token() : std::stop_token()};
    m_Worker = afx::BeginThread([this, job = std::move(job), run = command.run] {
        run(job);
        afx::OnUiThread([this] {
            UnlockControls();
            m_bWorkerRunning = false;
        });
        return 0u;
    });
}

// The close button stays for work that closing stops.
void CMachineAltoUpdate::LockControls(bool closable) {
    for (afx::Wnd* control : std::initializer_list<afx::Wnd*>{
             &m_MenuButton, &m_RefreshButton, &m_CloseButton, &m_VersionList, &m_StartButton}) {
        control->EnableWindow(closable && control == &m_CloseButton);
    }
}

void CMachineAltoUpdate::UnlockControls() {
    for (afx::Wnd* control :
         std::initializer_list<afx::Wnd*>{&m_MenuButton, &m_RefreshButton, &m_CloseButton}) {
        control->EnableWindow(true);
    }
    bool versions = m_VersionList.GetCount() > 0;
    m_VersionList.EnableWindow(versions);
    m_StartButton.EnableWindow(versions);
}

// The status text is drawn transparent; the window repaints the background under it.
void CMachineAltoUpdate::SetStatusText(const std::wstring& text) {
    m_StatusLine.SetWindowText(text);
    m_StatusLine.Invalidate();
}

void CMachineAltoUpdate::SetProgress(int position) {
    m_Progress.SetPos(position);
}

int CMachineAltoUpdate::Progress() {
    return m_Progress.GetPos();
}

void CMachineAltoUpdate::SetVersionNotes(const std::wstring& notes) {
    m_Notes.SetWindowText(notes);
}

void CMachineAltoUpdate::SetVersionList(const std::vector<std::wstring>& versions) {
    m_VersionList.ResetContent();
    for (const std::wstring& version : versions) {
        m_VersionList.AddString(version);
    }
    if (!versions.empty()) {
        m_VersionList.SetCurSel(0);
    }
}

void CMachineAltoUpdate::ShowDeviceString(DeviceField field, const std::wstring& text) {
    afx::Static control;
    BindControl(field == DeviceField::kSerialNumber ? kSerialId : kSoftwareVersionId, control);
    control.SetWindowText(text);
    control.Invalidate();
}

std::optional<std::wstring> CMachineAltoUpdate::ChooseOfflineFileToOpen() {
    afx::FileDialog dialog(true, L"", L"", afx::kHideReadOnly, kOfflineFileFilter);
    return RunFileDialog(dialog, GetSafeWidget());
}

std::optional<std::wstring> CMachineAltoUpdate::ChooseOfflineFileToSave(
    const std::wstring& initialName) {
    afx::FileDialog dialog(false, L"tqf", initialName, afx::kHideReadOnly | afx::kOverwritePrompt,
                           L"Key File(*.tqf)|*.tqf||");
    return RunFileDialog(dialog, GetSafeWidget());
}

bool CMachineAltoUpdate::Confirm(const std::wstring& question) {
    return m_MessageBox &&
           afx::OnUiThread([&] { return m_MessageBox(question, kMessageQuestion); }) == kAnswerOk;
}
