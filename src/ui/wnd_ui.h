#pragma once
// A skin control that hosts a native window: the window follows the control's place and
// visibility. Without a hosted window the control stands alone.

#include "platform/dui/control.h"
#include "platform/dui/native.h"

class CWndUI : public dui::CControlUI {
  public:
    std::wstring GetClass() const override { return L"WndUI"; }
    void Attach(dui::HWND hosted) { m_hWnd = hosted; }
    dui::HWND GetHostedWindow() const { return m_hWnd; }
    void SetInternVisible(bool visible) override;
    void SetPos(const dui::Rect& rc) override;

  private:
    dui::HWND m_hWnd = nullptr;
};
