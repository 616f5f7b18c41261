#pragma once
// The base of every skinned window of the program: the window is built from the skin file
// named at construction, found in "skin/" beside the program.

#include <span>
#include <string>

#include "platform/dui/window.h"

// A control of the skin and the string that is its text in the current language.
struct ControlText {
    const wchar_t* control;
    int stringId;
};

class CXMLWnd : public dui::WindowImplBase {
  public:
    explicit CXMLWnd(const std::wstring& xmlPath);
    ~CXMLWnd() override;

  protected:
    std::wstring GetWindowClassName() const override { return L"XMLWnd"; }
    std::wstring GetSkinFolder() override { return L""; }
    std::wstring GetSkinFile() override { return m_strXMLPath; }

    // Gives each named control of the skin its string; a control the skin lacks is passed over.
    void SetControlTexts(std::span<const ControlText> texts);

    std::wstring m_strXMLPath;
};
