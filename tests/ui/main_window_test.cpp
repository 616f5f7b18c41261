// The main window as start-up makes it, and the program's skins as windows show them.

#include <QApplication>
#include <QMessageBox>
#include <QWindow>
#include <filesystem>
#include <fstream>

#include "platform/dui/container.h"
#include "platform/dui/edit.h"
#include "platform/fs/fs.h"
#include "res/strings.h"
#include "ui/app.h"
#include "ui/frame_wnd.h"
#include "ui_fixture.h"

namespace {

using ui_test::UiTest;

CDuiFrameWnd* OpenMainWindow() {
    auto* frame = new CDuiFrameWnd(L"Header.xml");
    if (frame->Create(nullptr, L"Vellomardstine", dui::WS_POPUP | dui::WS_VISIBLE, 0) == nullptr) {
        delete frame;
        return nullptr;
    }
    frame->CenterWindow();
    frame->ShowWindow(true, true);
    ui_test::Settle();
    return frame;
}

// A window on any of the program's skins, for looking at it.
class SkinWindow : public CXMLWnd {
  public:
    using CXMLWnd::CXMLWnd;

  protected:
    void OnFinalMessage(dui::HWND) override { delete this; }
};

TEST_F(UiTest, MainWindowComesUpOnItsSkinWithItsTitle) {
    CDuiFrameWnd* frame = OpenMainWindow();
    ASSERT_NE(frame, nullptr);
    QWidget* window = frame->GetHWND();
    EXPECT_TRUE(window->isVisible());
    // The title is the language's once the window has applied its language.
    EXPECT_EQ(window->windowTitle(), QString::fromStdWString(res::LoadString(249)));
    EXPECT_EQ(window->size(), QSize(1005, 690));
    // Nothing takes the focus by itself: the search box is not typed into unasked.
    auto* search = frame->GetPaintManager().Find<dui::CEditUI>(L"SearchEdit");
    ASSERT_NE(search, nullptr);
    EXPECT_FALSE(search->IsFocused());
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == nullptr || focus == window) << focus->metaObject()->className();
    std::string path = ui_test::SaveScreenshot(window, "main_window.png");
    EXPECT_FALSE(QImage(QString::fromStdString(path)).isNull());
}

TEST_F(UiTest, CloseButtonOrWindowManagerCloseEndsTheMainLoop) {
    for (bool byButton : {true, false}) {
        CDuiFrameWnd* frame = OpenMainWindow();
        ASSERT_NE(frame, nullptr);
        ui_test::Later([frame, byButton] {
            byButton ? ui_test::Click(frame->GetPaintManager().FindControl(L"CloseBtn"))
                     : static_cast<void>(frame->GetHWND()->close());
        });
        const ui_test::ScopedLoopDeadline deadline(std::chrono::seconds(10));
        EXPECT_EQ(dui::CPaintManagerUI::MessageLoop(), 0) << byButton;
    }
}

TEST_F(UiTest, ApplicationRefusesAMissingOrBrokenSkinInAPlainBox) {
    EXPECT_EQ(theApp.GetAppId(), L"Vellomardstine.AppID.NoVersion");
    std::filesystem::remove(program_ / "skin");
    // Missing, in English; then broken, in the language an earlier run saved (8: Swedish).
    const std::pair<const char*, std::wstring> cases[] = {
        {"",
         L"The main window cannot be shown: the file skin/Header.xml is missing or damaged. "
         L"Please reinstall the program."},
        {"[LanguageKey]\nLanguage=8\n",
         L"Huvudfönstret kan inte visas: filen skin/Header.xml saknas eller är skadad. "
         L"Installera om programmet."}};
    for (const auto& [config, text] : cases) {
        std::ofstream(program_ / "config.ini") << config;
        std::wstring shown;
        ui_test::Later([&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = box->text().toStdWString();
            box->accept();
        });
        CVellomardstineApp app;
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(app.GetRegistryKey(), L"Velomardstine");
        EXPECT_EQ(shown, text);
        std::filesystem::create_directories(program_ / "skin");
        std::ofstream(program_ / "skin" / "Header.xml") << "<Window><Unclosed";
    }
}

TEST_F(UiTest, PaneAndWizardSkinsShowTheirControls) {
    for (const wchar_t* skin : {L"DepthChoose.xml", L"AddKey.xml"}) {
        auto* window = new SkinWindow(skin);
        ASSERT_NE(window->Create(nullptr, L"", dui::WS_VISIBLE, 0), nullptr) << skin;
        window->ShowWindow(true, false);
        ui_test::Settle();
        EXPECT_EQ(window->GetHWND()->size(), QSize(745, 539));
        if (std::wstring(skin) == L"DepthChoose.xml") {
            ui_test::SaveScreenshot(window->GetHWND(), "depth_choose.png");
        } else {
            // Every page of the wizard, as its steps will show them.
            auto* pages = window->GetPaintManager().Find<dui::CTabLayoutUI>(L"switch");
            ASSERT_NE(pages, nullptr);
            ASSERT_EQ(pages->GetCount(), 6);
            for (int page = 0; page < 6; ++page) {
                pages->SelectItem(page);
                window->GetPaintManager().UpdateLayout();
                ui_test::SaveScreenshot(window->GetHWND(),
                                        "add_key_page" + std::to_string(page) + ".png");
            }
        }
        window->Close(0);
        ui_test::Settle();
    }
}

}  // namespace
