#pragma once
// The program's own modal message box on the skin "ShowMessage.xml": a warning, a question, a
// key-name entry or a yes/no/cancel question; its answer is the code it closes with.

#include <string>

#include "ui/xml_wnd.h"

namespace dui {
class CButtonUI;
class CControlUI;
class CEditUI;
class CLabelUI;
}  // namespace dui

enum ShowMessageType {
    kMessageWarning = 0,
    kMessageQuestion = 1,
    kMessageKeyName = 2,
    kMessageYesNoCancel = 3
};
enum ShowMessageAnswer { kAnswerCancel = 0, kAnswerOk = 1, kAnswerNo = 2 };

class CShowMessage : public CXMLWnd {
  public:
    explicit CShowMessage(const std::wstring& xmlPath);
    ~CShowMessage() override;

    void SetMessage(int type, const std::wstring& text);
    void LoadButtonTexts();
    void InitControls();
    void OnClick(const std::wstring& sender);
    // Receives an accepted key name; set before the box runs.
    void SetKeyNameTarget(std::wstring* keyName) { m_pKeyName = keyName; }

    void Notify(dui::TNotifyUI& msg) override;

  protected:
    void InitWindow() override;
    void OnFinalMessage(dui::HWND hwnd) override;

  private:
    dui::CButtonUI* m_pOkButton = nullptr;
    dui::CButtonUI* m_pCancelButton = nullptr;
    dui::CButtonUI* m_pNoButton = nullptr;
    dui::CControlUI* m_pImage = nullptr;
    dui::CLabelUI* m_pMessage = nullptr;
    dui::CEditUI* m_pKeyNameEdit = nullptr;
    int m_nType = kMessageWarning;
    std::wstring m_strYes;
    std::wstring m_strNo;
    std::wstring m_strOk;
    std::wstring m_strCancel;
    std::wstring* m_pKeyName = nullptr;
};
