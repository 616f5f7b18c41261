#pragma once
// The program's main window on the skin "Header.xml". The rest of the window (its controls,
// panes, language) is built on this frame.

#include <string>

#include "ui/show_message.h"
#include "ui/xml_wnd.h"

class CDuiFrameWnd : public CXMLWnd {
  public:
    explicit CDuiFrameWnd(const std::wstring& xmlPath);
    ~CDuiFrameWnd() override;

    // Runs the message box modally on the UI thread (a worker waits for it) and answers how it
    // was closed; m_strKeyName then holds the accepted key name or "".
    int ShowMessage(const std::wstring& text, int type);

    dui::CControlUI* CreateControl(const std::wstring& className) override;
    void Notify(dui::TNotifyUI& msg) override;

    std::wstring m_strKeyName;
    CShowMessage* m_pShowMessage = nullptr;

  protected:
    void OnFinalMessage(dui::HWND hwnd) override;
    // The window manager's close ends the program as the close button does.
    void OnSystemClose() override;

  private:
    void OnClick(const std::wstring& sender);
};
