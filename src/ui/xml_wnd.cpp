#include "ui/xml_wnd.h"

CXMLWnd::CXMLWnd(const std::wstring& xmlPath) : m_strXMLPath(xmlPath) {
    dui::CPaintManagerUI::SetResourcePath(dui::CPaintManagerUI::GetInstancePath() + L"skin/");
}

CXMLWnd::~CXMLWnd() = default;
