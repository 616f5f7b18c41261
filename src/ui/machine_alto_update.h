#pragma once
// The machine update tool: a borderless modal dialog with its texts in four languages, a
// background per language, the version list, the tools menu and the serial-number prompt. Each
// command runs one update procedure on a worker; the dialog locks its controls before the
// worker starts and unlocks them when the procedure has returned, and shows what the
// procedure reports. Closing stops work that has sent nothing to the machine; while a command
// talks to the machine the dialog stays.

#include <functional>
#include <stop_token>
#include <string>

#include "platform/afx/bitmap.h"
#include "platform/afx/controls.h"
#include "platform/afx/dialog.h"
#include "platform/afx/ui_thread.h"
#include "ui/bitmap_button_re.h"
#include "update/update_procedures.h"
#include "update/update_report.h"
#include "update/work_folder.h"

// The main window's message box: text and type in, the answer out.
using MessageBoxCall = std::function<int(const std::wstring& text, int type)>;

class CMachineAltoUpdate : public afx::Dialog, public UpdateReport {
  public:
    explicit CMachineAltoUpdate(MessageBoxCall messageBox = {});
    ~CMachineAltoUpdate() override;

    void SetLanguage(int languageIndex);
    int GetLanguage() const { return m_nLanguage; }
    // Update text `number` (1 to 47) as the languages set so far left it.
    const std::wstring& Text(int number) const;
    // Empty when the folder was refused; the commands that need it then do not start.
    const std::wstring& GetWorkFolder() const { return m_strWorkDir; }
    // The serial number typed in the last prompt, as the file creation uses it.
    const std::wstring& GetSerial() const { return m_strSerial; }

    // UpdateReport; every call may come from a worker.
    void SetStatusText(const std::wstring& text) override;
    void SetProgress(int position) override;
    int Progress() override;
    void SetVersionNotes(const std::wstring& notes) override;
    void SetVersionList(const std::vector<std::wstring>& versions) override;
    void ShowDeviceString(DeviceField field, const std::wstring& text) override;
    std::optional<std::wstring> ChooseOfflineFileToOpen() override;
    std::optional<std::wstring> ChooseOfflineFileToSave(const std::wstring& initialName) override;
    bool Confirm(const std::wstring& question) override;

    // The worker of the last command, and whether one runs (from its start on the UI thread
    // until its controls are unlocked).
    afx::WorkerHandle GetWorker() const { return m_Worker; }
    bool IsWorkerRunning() const { return m_bWorkerRunning; }

    // The tools menu's command ids.
    static constexpr int kDeviceInfoCommand = 32787;
    static constexpr int kRepairDataCommand = 32785;
    static constexpr int kEnterBiosCommand = 32788;
    static constexpr int kClearAllDataCommand = 32789;
    static constexpr int kClampOldCommand = 32796;
    static constexpr int kClampNewCommand = 32798;
    static constexpr int kOfflineUpdateCommand = 32802;
    static constexpr int kCreateFileCommand = 32803;
    static constexpr int kUpdateProgramOnlyCommand = 32807;

  protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    void OnCommand(int commandId) override;
    void OnOK() override;
    void OnCancel() override;
    void PreTranslateMouseMove(int controlId) override;
    afx::HitTest OnNcHitTest(afx::Point client) override;

  private:
    void LoadButtons();
    void ApplyTexts();
    void ApplyColours();
    void ShowToolsMenu();
    void OnCreateFile();
    void Close();

    struct Command {
        std::function<void(const UpdateJob&)> run;
        // Sends nothing to the machine: closing the dialog stops it.
        bool stoppable = false;
        bool needsWorkFolder = false;
    };
    // Locks the controls here, on the UI thread, then runs the command on a worker.
    void StartWorker(const Command& command);
    // Without its work folder a command starts nothing; the status line tells why.
    bool RefusedForWorkFolder(const Command& command);
    void LockControls(bool closable);
    void UnlockControls();

    MessageBoxCall m_MessageBox;
    UpdateTextTable m_Texts;
    afx::Bitmap m_Background;
    int m_nHoverId = 0;
    int m_nLanguage = 1;
    std::wstring m_strWorkDir;
    WorkFolderRefusal m_WorkDirRefusal;
    afx::ComboBox m_VersionList;
    bool m_bMenuRequested = false;
    std::wstring m_strSerial;
    afx::Edit m_Notes;
    afx::ProgressCtrl m_Progress;
    CBitmapButtonRe m_StartButton;
    CBitmapButtonRe m_CloseButton;
    CBitmapButtonRe m_RefreshButton;
    CBitmapButtonRe m_MenuButton;
    afx::Static m_StatusLine;
    afx::Static m_StepsText;

    afx::WorkerHandle m_Worker;
    bool m_bWorkerRunning = false;
    // The running worker's stop, given to it only when it is stoppable.
    std::stop_source m_WorkerStop;
    bool m_bWorkerStoppable = false;
};
