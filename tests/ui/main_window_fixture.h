#pragma once
// The main window as start-up makes it, on a program folder of its own (the build's skin
// linked in, "config.ini" and the key files fresh), the current folder holding the build's
// sample "carFactory.ini", and a stand-in system language.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/key_lists.h"
#include "platform/dui/label.h"
#include "support/temp_folder.h"
#include "ui/frame_wnd.h"
#include "ui/language.h"

namespace ui_test {

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // Opens the main window, which applies its start-up language.
    CDuiFrameWnd* Open();
    void WriteConfig(const std::string& text);
    std::string ReadConfig() const;
    std::wstring TextOf(const wchar_t* control);
    dui::CControlUI* Control(const wchar_t* name);
    dui::CButtonUI* Button(const wchar_t* name);
    // The index of the selected language option, -1 for none.
    int SelectedOption();
    std::wstring RootLabel();
    void UseSystemLanguage(int languageId);

    test::TempFolder program_;
    test::TempFolder current_;
    test::ScopedProgramFolder programScope_{program_};
    test::ScopedCurrentFolder currentScope_{current_};
    // The update tools make their work folder here.
    test::ScopedTemporaryFolder temporaryScope_{current_};
    std::unique_ptr<ScopedSystemLanguage> system_;
    CDuiFrameWnd* frame_ = nullptr;
};

}  // namespace ui_test
