#pragma once
// The base of every skinned window of the program: the window is built from the skin file
// named at construction, found in "skin/" beside the program.

#include <string>

#include "platform/dui/window.h"

class CXMLWnd : public dui::WindowImplBase {
  public:
    explicit CXMLWnd(const std::wstring& xmlPath);
    ~CXMLWnd() override;

  protected:
    std::wstring GetWindowClassName() const override { return L"XMLWnd"; }
    std::wstring GetSkinFolder() override { return L""; }
    std::wstring GetSkinFile() override { return m_strXMLPath; }

    std::wstring m_strXMLPath;
};
