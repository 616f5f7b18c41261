#include "ui/xml_wnd.h"

#include "res/strings.h"

CXMLWnd::CXMLWnd(const std::wstring& xmlPath) : m_strXMLPath(xmlPath) {
    dui::CPaintManagerUI::SetResourcePath(dui::CPaintManagerUI::GetInstancePath() + L"skin/");
}

CXMLWnd::~CXMLWnd() = default;

void CXMLWnd::SetControlTexts(std::span<const ControlText> texts) {
    for (const ControlText& text : texts) {
        if (dui::CControlUI* control = m_PaintManager.FindControl(text.control)) {
            control->SetText(res::LoadString(text.stringId));
        }
    }
}
