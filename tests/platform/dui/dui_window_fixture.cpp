#include "dui_window_fixture.h"

#include <fstream>
#include <vector>

#include "platform/afx/qt_app.h"
#include "platform/dui/paint_manager.h"

namespace dui_test {

void TestWindow::Notify(dui::TNotifyUI& msg) {
    heard.push_back({msg.sType, msg.pSender != nullptr ? msg.pSender->GetName() : L""});
    if (onNotify) {
        onNotify(msg);
    }
}

void TestWindow::OnFinalMessage(dui::HWND) {
    if (finalMessage != nullptr) {
        *finalMessage = true;
    }
    delete this;
}

void DuiTest::SetUp() {
    afx_test::App();
    dui::CPaintManagerUI::SetResourcePath(folder_.wide());
}

void DuiTest::TearDown() {
    afx_test::CloseAllWindows();
}

void DuiTest::WriteFile(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name) << text;
}

TestWindow* DuiTest::Open(const std::string& body, const std::string& windowAttributes) {
    std::string name = "skin" + std::to_string(windows_.size()) + ".xml";
    WriteFile(name, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Window size=\"400,300\" " +
                        windowAttributes + ">" + body + "</Window>");
    auto* window = new TestWindow(std::wstring(name.begin(), name.end()));
    EXPECT_NE(window->Create(nullptr, L"test", dui::WS_POPUP | dui::WS_VISIBLE, 0), nullptr);
    windows_.push_back(window);
    Settle();
    return window;
}

std::vector<std::wstring> Types(const TestWindow& window, bool withFocus) {
    std::vector<std::wstring> types;
    for (const auto& h : window.heard) {
        if (!withFocus && (h.type == L"setfocus" || h.type == L"killfocus")) {
            continue;
        }
        types.push_back(h.type + L":" + h.sender);
    }
    return types;
}

}  // namespace dui_test
