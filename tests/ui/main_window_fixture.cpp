#include "main_window_fixture.h"

#include <filesystem>
#include <fstream>

#include "platform/afx/qt_app.h"
#include "res/strings.h"
#include "ui_fixture.h"

namespace ui_test {

MainWindowTest::MainWindowTest() : system_(std::make_unique<ScopedSystemLanguage>(1033)) {
    afx_test::App();
    LinkBuildSkin(program_);
    std::filesystem::copy_file(std::filesystem::path(VM_APP_DIR) / "carFactory.ini",
                               current_ / "carFactory.ini");
}

MainWindowTest::~MainWindowTest() {
    afx_test::CloseAllWindows();
    g_nLanguage = kLanguageNone;
    res::SetUiLanguage(res::kLangEnglish);
    g_KeyData.clear();
    g_KeyDataEdit.clear();
}

CDuiFrameWnd* MainWindowTest::Open() {
    frame_ = new CDuiFrameWnd(L"Header.xml");
    if (frame_->Create(nullptr, L"Vellomardstine", dui::WS_POPUP | dui::WS_VISIBLE, 0) == nullptr) {
        delete frame_;
        frame_ = nullptr;
        ADD_FAILURE() << "the main window was not built";
        return nullptr;
    }
    frame_->CenterWindow();
    frame_->ShowWindow(true, true);
    Settle();
    return frame_;
}

void MainWindowTest::WriteConfig(const std::string& text) {
    std::ofstream(program_ / "config.ini", std::ios::binary) << text;
}

std::string MainWindowTest::ReadConfig() const {
    return test::ReadText(program_ / "config.ini");
}

dui::CControlUI* MainWindowTest::Control(const wchar_t* name) {
    return frame_->GetPaintManager().FindControl(name);
}

dui::CButtonUI* MainWindowTest::Button(const wchar_t* name) {
    return frame_->GetPaintManager().Find<dui::CButtonUI>(name);
}

std::wstring MainWindowTest::TextOf(const wchar_t* control) {
    dui::CControlUI* found = Control(control);
    return found != nullptr ? found->GetText() : L"<none>";
}

int MainWindowTest::SelectedOption() {
    int selected = -1;
    for (int i = 0; i < kLanguageOptions; ++i) {
        auto* option =
            frame_->GetPaintManager().Find<dui::COptionUI>(L"Language" + std::to_wstring(i));
        if (option != nullptr && option->IsSelected()) {
            selected = i;
        }
    }
    return selected;
}

void MainWindowTest::UseSystemLanguage(int languageId) {
    system_.reset();
    system_ = std::make_unique<ScopedSystemLanguage>(languageId);
}

std::wstring MainWindowTest::RootLabel() {
    afx::TreeCtrl& tree = frame_->GetTreeView().GetTreeCtrl();
    return tree.GetItemText(tree.GetRootItem());
}

}  // namespace ui_test
