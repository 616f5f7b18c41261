#include <gtest/gtest.h>

#include "platform/afx/file_dialog.h"
#include "platform/afx/menu.h"
#include "platform/afx/qt_app.h"
#include "platform/afx/test_dialog.h"
#include "platform/afx/ui_thread.h"

namespace {

using afx::FileDialog;
using afx::FileFilter;
using afx::Menu;

afx::MenuTemplate ToolsMenu() {
    return afx::MenuTemplate{494,
                             {{0,
                               L"Tools",
                               {{32787, L"a", {}},
                                {32785, L"b", {}},
                                {0, L"clamp", {{32796, L"c", {}}, {32798, L"d", {}}}},
                                {32807, L"仅更新程序", {}}}}}};
}

TEST(Menu, TextsAndGreyingChangeByCommandIdThroughSubmenus) {
    Menu menu = Menu::FromTemplate(ToolsMenu(), 0);
    EXPECT_TRUE(menu.SetItemText(32798, L"New version Kz2 clamp"));
    EXPECT_TRUE(menu.SetSubmenuText(2, L"Select clamp"));
    EXPECT_FALSE(menu.SetItemText(1, L"none"));
    EXPECT_TRUE(menu.EnableMenuItem(32785, false));
    EXPECT_FALSE(menu.IsEnabled(32785));
    EXPECT_TRUE(menu.IsEnabled(32787));
    EXPECT_EQ(menu.Items()[2].text, L"Select clamp");
    EXPECT_EQ(menu.Items()[2].submenu[1].text, L"New version Kz2 clamp");
    EXPECT_TRUE(Menu::FromTemplate(ToolsMenu(), 3).Items().empty());
}

TEST(Menu, TheChosenCommandReachesTheOwnerAfterTracking) {
    afx_test::App();
    afx_test::TestDialog owner;
    owner.Create(nullptr);
    Menu menu = Menu::FromTemplate(ToolsMenu(), 0);
    menu.EnableMenuItem(32785, false);

    Menu::ScriptNextChoice(32796);
    EXPECT_EQ(menu.Track(afx::Point{10, 10}, &owner), 32796);
    Menu::ScriptNextChoice(32785);  // greyed: cannot be chosen
    EXPECT_EQ(menu.Track(afx::Point{10, 10}, &owner), 0);
    Menu::ScriptNextChoice(0);
    EXPECT_EQ(menu.Track(afx::Point{10, 10}, &owner), 0);
    EXPECT_EQ(owner.commands, std::vector<int>{32796});
    ASSERT_TRUE(Menu::LastTracked());
    EXPECT_FALSE(Menu::LastTracked()->IsEnabled(32785));
}

TEST(FileDialog, FiltersReadAsPairsOfTextAndPatterns) {
    EXPECT_EQ(afx::ParseFileFilter(L"Key File(*.u)|*.u|*.*||"),
              (std::vector<FileFilter>{{L"Key File(*.u)", L"*.u"}, {L"*.*", L""}}));
    EXPECT_EQ(afx::ParseFileFilter(L"Key File(*.tqf)|*.tqf||"),
              (std::vector<FileFilter>{{L"Key File(*.tqf)", L"*.tqf"}}));
    EXPECT_TRUE(afx::ParseFileFilter(L"").empty());
}

TEST(FileDialog, TheDefaultExtensionGoesOnlyOnANameWithout) {
    EXPECT_EQ(afx::WithDefaultExtension(L"/tmp/keys", L"u"), L"/tmp/keys.u");
    EXPECT_EQ(afx::WithDefaultExtension(L"/tmp/keys.bin", L"u"), L"/tmp/keys.bin");
    EXPECT_EQ(afx::WithDefaultExtension(L"/tmp.d/keys", L"u"), L"/tmp.d/keys.u");
    EXPECT_EQ(afx::WithDefaultExtension(L"/tmp/keys", L""), L"/tmp/keys");
    // As on Windows, the text after the last dot counts as an extension.
    EXPECT_EQ(afx::WithDefaultExtension(L"/tmp/SN1_1.0.5", L"tqf"), L"/tmp/SN1_1.0.5");
}

// The offline file creation asks for its file from a worker.
TEST(FileDialog, AScriptedAnswerServesAWorkerToo) {
    afx_test::App();
    FileDialog::ScriptNextAnswer(L"/tmp/SN1_105");
    int result = 0;
    std::wstring path;
    auto worker = afx::BeginThread([&] {
        FileDialog save(false, L"tqf", L"SN1_1.0.5", afx::kHideReadOnly | afx::kOverwritePrompt,
                        L"Key File(*.tqf)|*.tqf||");
        save.SetInitialFolder(L"/opt/app/");
        result = save.DoModal();
        path = save.GetPathName();
        return 0u;
    });
    afx::PumpUntilFinished(worker);
    EXPECT_EQ(result, afx::kIdOk);
    EXPECT_EQ(path, L"/tmp/SN1_105.tqf");
    auto request = FileDialog::LastRequest();
    ASSERT_TRUE(request);
    EXPECT_FALSE(request->open);
    EXPECT_EQ(request->initialFolder, L"/opt/app/");
    EXPECT_EQ(request->fileName, L"SN1_1.0.5");

    FileDialog::ScriptNextAnswer(std::nullopt);
    FileDialog open(true, L"", L"", afx::kHideReadOnly, L"Key File(*.u)|*.u|*.*||");
    EXPECT_EQ(open.DoModal(), afx::kIdCancel);
    EXPECT_EQ(open.GetPathName(), L"");
}

}  // namespace
