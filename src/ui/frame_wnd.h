#pragma once
// The program's main window on the skin "Header.xml": toolbar, search box, language options and
// status text, composing the key tree panel, the key information pane and the key wizard. It
// keeps the language, and starts import, export and the synchronisation with the machine.

#include <string>

#include "platform/afx/ui_thread.h"
#include "ui/add_key.h"
#include "ui/left_tree_view.h"
#include "ui/machine_alto_update.h"
#include "ui/show_message.h"
#include "ui/vorlantrex_update_dlg.h"
#include "ui/xml_wnd.h"

class CDuiKeyInfo;
namespace dui {
class CButtonUI;
class CEditUI;
class COptionUI;
class CTextUI;
}  // namespace dui

// Messages the window sends to itself.
inline constexpr unsigned WM_IMPORT_KEY_FILE = 2025;
inline constexpr unsigned WM_EXPORT_KEY_FILE = 2026;

class CDuiFrameWnd : public CXMLWnd, public KeyTreeOwner, public AddKeyOwner {
  public:
    explicit CDuiFrameWnd(const std::wstring& xmlPath);
    ~CDuiFrameWnd() override;

    // Runs the message box modally on the UI thread (a worker waits for it) and answers how it
    // was closed; m_strKeyName then holds the accepted key name or "".
    int ShowMessage(const std::wstring& text, int type) override;
    void ShowKey(int keyId) override;
    // AddKeyOwner.
    std::wstring GetKeyName() const override { return m_strKeyName; }
    void SetKeyName(const std::wstring& name) override { m_strKeyName = name; }
    void AddKeyItem(const std::wstring& name, int makerId, int keyId, int image) override;
    void UpdateKeyItem(int image, int keyId, const std::wstring& name, int newImage) override;
    // The key wizard, made when it is first needed; none when its skin cannot be built.
    IKeyWizard* GetKeyWizard() override;

    void SetLanguage(int index);
    void ApplyLanguage(int index);
    void SaveLanguage();
    int ReadLanguage();
    void InitLanguage();

    dui::CControlUI* CreateControl(const std::wstring& className) override;
    void Notify(dui::TNotifyUI& msg) override;

    CLeftTreeView& GetTreeView() { return m_TreeView; }
    CMachineAltoUpdate& GetUpdateDlg() { return m_UpdateDlg; }
    const CVorlantrexUpdateDlg& GetVorlantrexDlg() const { return m_VorlantrexDlg; }
    // The last synchronisation worker started, for waiting on it.
    afx::WorkerHandle GetSyncWorker() const { return m_SyncWorker; }
    bool IsSyncRunning() const { return m_bSyncRunning; }

    std::wstring m_strKeyName;
    CShowMessage* m_pShowMessage = nullptr;
    // The wizard and the pane are skinned child windows that free themselves.
    IKeyWizard* m_pAddKey = nullptr;
    CDuiKeyInfo* m_pKeyInfo = nullptr;
    dui::HWND m_hAddKey = nullptr;

  protected:
    void InitWindow() override;
    intptr_t HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) override;
    void OnFinalMessage(dui::HWND hwnd) override;
    // The window manager's close ends the program as the close button does.
    void OnSystemClose() override;

  private:
    // KeyTreeOwner.
    void EnableAddKeyButton(bool enable) override;
    void EnableDeleteButton(bool enable) override;
    void ReturnToSearchBox() override;
    void CreateKeyWizard();

    void FindControls();
    void OnClick(const std::wstring& sender);
    void EnterSearchMode();
    void LeaveSearchMode();
    void ImportKeyFile();
    void ExportKeyFile();
    struct SyncTexts {
        std::wstring sending;
        std::wstring success;
        std::wstring failed;
        std::wstring connectFailed;
    };
    void StartSynchronisation();
    unsigned Synchronise(const SyncTexts& texts);
    void SetStatusText(const std::wstring& text);
    // The worker's status text; once a close waits for the worker, the status says so instead.
    void ShowSyncStatus(const std::wstring& text);
    void EnableMachineButtons(bool enable);
    // Ends the program, once the wizard has let go of a key being entered and no worker runs
    // any more.
    void Quit();
    // Asks about a key being entered in the wizard; false when the user keeps it (Cancel).
    bool LetGoOfWizard();
    // A close waiting for the synchronisation to end: the status line and close button say so.
    void SetQuitPending(bool pending);

    CLeftTreeView m_TreeView;
    CMachineAltoUpdate m_UpdateDlg;
    // Held from start to end and never opened.
    CVorlantrexUpdateDlg m_VorlantrexDlg;
    dui::CEditUI* m_pSearchEdit = nullptr;
    dui::CButtonUI* m_pSearchBtn = nullptr;
    dui::CButtonUI* m_pAddkeyBtn = nullptr;
    dui::CButtonUI* m_pDeleteBtn = nullptr;
    dui::CButtonUI* m_pInputButton = nullptr;
    dui::CButtonUI* m_pOutputButton = nullptr;
    dui::CButtonUI* m_pCloudServer = nullptr;
    dui::CButtonUI* m_pSynchServer = nullptr;
    dui::CButtonUI* m_pUpdateMachine = nullptr;
    dui::CButtonUI* m_pSetting = nullptr;
    dui::CControlUI* m_pVersionLabel = nullptr;
    dui::COptionUI* m_pLanguage[10] = {};
    dui::CTextUI* m_pStatusText = nullptr;
    // Texts of the current language.
    std::wstring m_strExportTitle;
    std::wstring m_strConnecting;
    std::wstring m_strSending;
    std::wstring m_strConnectFailed;
    std::wstring m_strSendSuccess;
    std::wstring m_strSendFailed;
    std::wstring m_strClosing;

    afx::WorkerHandle m_SyncWorker;
    bool m_bSyncRunning = false;  // from the click until the worker's last call on the UI thread
    bool m_bQuitPending = false;
    bool m_bSelectingOption = false;
};
