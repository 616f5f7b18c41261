#pragma once
// A skinned window built from skin text that a test writes, in a folder of its own.

#include <gtest/gtest.h>

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/afx/qt_app.h"
#include "platform/dui/window.h"
#include "support/temp_folder.h"

namespace dui_test {

// Every notification it hears, in order; a test may act on them as they come.
class TestWindow : public dui::WindowImplBase {
  public:
    explicit TestWindow(std::wstring skinFile) : m_skinFile(std::move(skinFile)) {}

    void Notify(dui::TNotifyUI& msg) override;
    dui::CControlUI* Find(const std::wstring& name) { return m_PaintManager.FindControl(name); }
    template <typename T>
    T* Find(const std::wstring& name) {
        return m_PaintManager.Find<T>(name);
    }

    struct Heard {
        std::wstring type;
        std::wstring sender;
    };
    std::vector<Heard> heard;
    std::function<void(dui::TNotifyUI&)> onNotify;
    bool* finalMessage = nullptr;
    std::function<dui::CControlUI*(const std::wstring&)> builder;

    dui::CControlUI* CreateControl(const std::wstring& className) override {
        return builder ? builder(className) : nullptr;
    }

  protected:
    std::wstring GetSkinFolder() override { return L""; }
    std::wstring GetSkinFile() override { return m_skinFile; }
    std::wstring GetWindowClassName() const override { return L"TestWnd"; }
    void OnFinalMessage(dui::HWND) override;

  private:
    std::wstring m_skinFile;
};

class DuiTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Writes the skin `<Window size="w,h" ...>body</Window>` and builds a shown window on it.
    TestWindow* Open(const std::string& body, const std::string& windowAttributes = "");
    void WriteFile(const std::string& name, const std::string& text);

    test::TempFolder folder_;
    std::vector<TestWindow*> windows_;
};

// "type:sender" of what the window heard; focus moves only when asked for.
std::vector<std::wstring> Types(const TestWindow& window, bool withFocus = false);
using afx_test::Click;
using afx_test::Settle;

}  // namespace dui_test
