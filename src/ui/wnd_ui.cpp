#include "ui/wnd_ui.h"

void CWndUI::SetInternVisible(bool visible) {
    dui::CControlUI::SetInternVisible(visible);
    if (m_hWnd != nullptr) {
        dui::ShowWindow(m_hWnd, visible);
    }
}

void CWndUI::SetPos(const dui::Rect& rc) {
    dui::CControlUI::SetPos(rc);
    if (m_hWnd != nullptr) {
        dui::SetWindowPos(m_hWnd, rc.left, rc.top, rc.Width(), rc.Height());
    }
}
