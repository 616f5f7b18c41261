// The main window's language: at start, by option, and every text and picture it sets.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "key_tree_fixture.h"
#include "main_window_fixture.h"
#include "model/key_files.h"
#include "platform/dui/edit.h"
#include "res/strings.h"
#include "ui/key_info.h"
#include "ui/message_script.h"
#include "ui_fixture.h"

namespace {

using ui_test::MainWindowTest;

std::wstring Text(int id, int languageId) {
    return res::FindString(id, languageId).value_or(L"<missing>");
}

TEST_F(MainWindowTest, WithoutConfigTheSystemLanguagePicks) {
    struct Case {
        int systemId;
        int index;
    } cases[] = {{2052, 0}, {1033, 1}, {1053, 8}, {1040, 3}};
    for (const Case& c : cases) {
        std::filesystem::remove(program_ / "config.ini");
        UseSystemLanguage(c.systemId);
        ASSERT_NE(Open(), nullptr);
        EXPECT_EQ(g_nLanguage, c.index);
        EXPECT_EQ(SelectedOption(), c.index);
        EXPECT_EQ(ReadConfig(), "[LanguageKey]\nLanguage=" + std::to_string(c.index) + "\n");
        EXPECT_EQ(TextOf(L"InputButton"), Text(139, LanguageIdOf(c.index)));
        EXPECT_EQ(RootLabel().substr(0, RootLabel().find(L'（')), Text(208, LanguageIdOf(c.index)));
        frame_->Close(0);
        ui_test::Settle();
    }
}

TEST_F(MainWindowTest, ASavedLanguageIsKeptChineseIncluded) {
    WriteConfig("[LanguageKey]\nLanguage=0\n");
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(g_nLanguage, 0);
    EXPECT_EQ(SelectedOption(), 0);
    EXPECT_EQ(TextOf(L"SynchServer"), Text(142, 2052));
    EXPECT_EQ(Control(L"HorizontalLayoutUI1")->GetBkImage(), L"top_bg_ch.png");
}

TEST_F(MainWindowTest, SavedItalianAndAnIndexWithoutOption) {
    WriteConfig("[LanguageKey]\nLanguage=3\n");
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(TextOf(L"InputButton"), Text(139, 1040));
    EXPECT_EQ(Button(L"AddkeyBtn")->GetNormalImage(),
              L"file='treebtn_ita.png' source='0,32,125,64'");
    EXPECT_EQ(Button(L"DeleteBtn")->GetDisabledImage(),
              L"file='treebtn_ita.png' source='375,0,500,32'");
    EXPECT_EQ(SelectedOption(), 3);
    frame_->Close(0);
    ui_test::Settle();

    WriteConfig("[LanguageKey]\nLanguage=12\n");
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(g_nLanguage, 12);
    EXPECT_EQ(SelectedOption(), -1);
    EXPECT_EQ(TextOf(L"InputButton"), Text(139, 1028));  // through 1028: the Chinese table
    EXPECT_EQ(Control(L"HorizontalLayoutUI1")->GetBkImage(), L"top_bg_en.png");
}

TEST_F(MainWindowTest, EveryOptionSwitchesTextsPicturesAndTheSavedIndex) {
    ASSERT_NE(Open(), nullptr);
    for (int i = kLanguageOptions - 1; i >= 0; --i) {
        auto* option =
            frame_->GetPaintManager().Find<dui::COptionUI>(L"Language" + std::to_wstring(i));
        ASSERT_NE(option, nullptr);
        EXPECT_EQ(option->GetNormalImage(), L"file='q12.png' source='" + std::to_wstring(114 * i) +
                                                L",0," + std::to_wstring(114 * i + 38) + L",26'");
        ui_test::Click(option);
        int id = LanguageIdOf(i);
        EXPECT_EQ(g_nLanguage, i);
        EXPECT_EQ(SelectedOption(), i);
        EXPECT_EQ(ReadConfig(), "[LanguageKey]\nLanguage=" + std::to_string(i) + "\n");
        EXPECT_EQ(TextOf(L"InputButton"), Text(139, id)) << i;
        EXPECT_EQ(TextOf(L"OutputButton"), Text(140, id));
        EXPECT_EQ(TextOf(L"CloudServer"), Text(141, id));
        EXPECT_EQ(TextOf(L"UpdateMachine"), Text(143, id));
        EXPECT_EQ(TextOf(L"Setting"), Text(144, id));
        EXPECT_EQ(TextOf(L"TextUIBottom1"), Text(181, id) + L": 1.0.5");
        EXPECT_EQ(TextOf(L"TextUIBottom2"), Text(183, id));
        EXPECT_EQ(Control(L"CloseBtn")->GetToolTip(), Text(179, id));
        EXPECT_EQ(Control(L"hideBtn")->GetToolTip(), Text(180, id));
        EXPECT_EQ(frame_->GetWindowText(), Text(249, id));
        LanguageImages images = LanguageImagesOf(i);
        EXPECT_EQ(Control(L"HorizontalLayoutUI1")->GetBkImage(), images.headerBackground);
        EXPECT_EQ(Button(L"AddkeyBtn")->GetHotImage(),
                  std::wstring(L"file='") + images.treeButtons + L"' source='125,32,250,64'");
        EXPECT_EQ(RootLabel(), Text(208, id) + L"（0）");
    }
}

TEST_F(MainWindowTest, StartUpStateOfTheControlsAndThePlaces) {
    ASSERT_NE(Open(), nullptr);
    for (const wchar_t* name : {L"SearchBtn", L"AddkeyBtn", L"DeleteBtn", L"CloudServer"}) {
        EXPECT_FALSE(Control(name)->IsEnabled()) << name;
    }
    EXPECT_FALSE(Control(L"Setting")->IsVisible());
    EXPECT_TRUE(Control(L"SynchServer")->IsEnabled());
    EXPECT_EQ(frame_->GetTreeView().GetWindowRect(), (afx::Rect{5, 154, 255, 661}));
    // A child dialog lies inside the main window, not beside it as a window of its own.
    EXPECT_FALSE(frame_->GetTreeView().GetSafeWidget()->isWindow());
    ASSERT_NE(frame_->m_pKeyInfo, nullptr);
    EXPECT_EQ(frame_->GetTreeView().GetCarFactory().size(), 37u);  // the build's sample list
}

TEST_F(MainWindowTest, SearchModeEnteredAndLeft) {
    ASSERT_NE(Open(), nullptr);
    CLeftTreeView& tree = frame_->GetTreeView();
    auto* search = frame_->GetPaintManager().Find<dui::CEditUI>(L"SearchEdit");
    ui_test::Click(search);
    EXPECT_TRUE(Control(L"SearchBtn")->IsEnabled());
    EXPECT_FALSE(tree.GetTreeCtrl().IsWindowVisible());
    EXPECT_TRUE(tree.GetSearchList().IsWindowVisible());

    search->SetFocus();
    QTest::keyClicks(QApplication::focusWidget(), "jag");
    ASSERT_EQ(tree.GetSearchList().GetItemCount(), 1);
    EXPECT_EQ(tree.GetSearchList().GetItemText(0, 0), L"Jaguar");

    ui_test::Click(Control(L"SearchBtn"));
    EXPECT_EQ(search->GetText(), L"");
    EXPECT_FALSE(Control(L"SearchBtn")->IsEnabled());
    EXPECT_TRUE(tree.GetTreeCtrl().IsWindowVisible());
    EXPECT_FALSE(tree.GetSearchList().IsWindowVisible());
}

TEST_F(MainWindowTest, KeyButtonsActOnTheTreeSelection) {
    SaveKeyData({ui_test::MakeKey(-101, "A4_U", 1), ui_test::MakeKey(-102, "Q7_U", 1)});
    ASSERT_NE(Open(), nullptr);
    ui_test::FakeWizard wizard;
    frame_->m_pAddKey = &wizard;
    CLeftTreeView& panel = frame_->GetTreeView();
    panel.GetTreeCtrl().SelectItem(panel.FindKeyItem(kImageKey, -102));
    EXPECT_TRUE(Control(L"AddkeyBtn")->IsEnabled());
    EXPECT_TRUE(Control(L"DeleteBtn")->IsEnabled());
    EXPECT_EQ(frame_->m_pKeyInfo->Bitting().size(), 0u);  // the pane was handed the key

    ui_test::Click(Control(L"AddkeyBtn"));
    EXPECT_EQ(wizard.shown, 1);
    EXPECT_EQ(wizard.target.makerName, L"AUDI");

    ScopedMessageScript script({{kAnswerOk, L""}});
    ui_test::Click(Control(L"DeleteBtn"));
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].text, L"Delect key Q7_U ？");
    EXPECT_EQ(panel.GetTotalKeys(), 1);
    EXPECT_EQ(g_KeyData[1].params.status, KeyStatusDeleted);
    frame_->m_pAddKey = nullptr;
}

TEST_F(MainWindowTest, HideButtonIconifies) {
    ASSERT_NE(Open(), nullptr);
    ui_test::Click(Control(L"hideBtn"));
    EXPECT_TRUE(frame_->GetHWND()->isMinimized());
}

}  // namespace
