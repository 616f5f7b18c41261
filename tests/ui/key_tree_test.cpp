// The key tree panel with the real tree and list controls, its main window a stand-in.

#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>

#include "key_tree_fixture.h"
#include "model/finish_journal.h"
#include "model/key_files.h"
#include "platform/afx/menu.h"
#include "ui/show_message.h"

namespace {

using ui_test::KeyTreeTest;
using ui_test::MakeKey;
using Texts = std::vector<std::wstring>;

TEST_F(KeyTreeTest, MakersWithTheirKeysAndCounts) {
    Open({MakeKey(-101, "A4_U", 1), MakeKey(-102, "GONE_U", 1, KeyStatusDeleted),
          MakeKey(-103, "X5_U", 2), MakeKey(-104, "LOST_U", 77), MakeKey(-105, "Q7_U", 1)},
         {MakeKey(-106, "DRAFT_U", 1), MakeKey(-107, "OLD_U", 3, KeyStatusDeleted)});
    // Deleted finished keys are hidden; unfinished ones always show; unknown makers nowhere.
    EXPECT_EQ(Labels(),
              (Texts{L"Define key data（5）", L"  Audi（3）", L"    A4_U", L"    Q7_U",
                     L"    DRAFT_U", L"  BMW（1）", L"    X5_U", L"  Ford（1）", L"    OLD_U"}));
    afx::TreeCtrl& tree = panel.GetTreeCtrl();
    EXPECT_EQ(panel.GetTotalKeys(), 5);
    EXPECT_EQ(tree.GetItemImage(ItemLabelled(L"A4_U")), kImageKey);
    EXPECT_EQ(tree.GetItemImage(ItemLabelled(L"DRAFT_U")), kImageUnfinishedKey);
    EXPECT_EQ(tree.GetItemData(ItemLabelled(L"DRAFT_U")), -106);
    EXPECT_EQ(tree.GetItemData(ItemLabelled(L"Audi（3）")), 1);
    EXPECT_EQ(tree.GetItemImage(tree.GetRootItem()), kImageRoot);
    EXPECT_TRUE(tree.IsExpanded(tree.GetRootItem()));
    EXPECT_EQ(panel.GetCarFactoryName(2), L"BMW");
    EXPECT_EQ(panel.GetCarFactoryName(42), L"");
}

TEST_F(KeyTreeTest, AFinishCutShortBetweenItsSavesShowsTheKeyOnceAsFinished) {
    // The files such a finish leaves: its journal, the finished copy last, the unfinished one
    // not yet gone.
    WriteFinishJournal({MakeKey(-106, "DONE_U", 1), MakeKey(-106, "DRAFT_U", 1)});
    Open({MakeKey(-101, "A4_U", 1), MakeKey(-106, "DONE_U", 1)}, {MakeKey(-106, "DRAFT_U", 1)});
    EXPECT_EQ(Labels(), (Texts{L"Define key data（2）", L"  Audi（2）", L"    A4_U", L"    DONE_U",
                               L"  BMW（0）", L"  Ford（0）"}));
}

TEST_F(KeyTreeTest, ChineseReadsItsOwnSectionAndAMissingListLeavesTheRootAlone) {
    Open({MakeKey(-101, "A4_U", 1)}, {}, 0);
    EXPECT_EQ(Labels()[1], L"  奥迪（1）");
    EXPECT_EQ(Labels().size(), 4u);

    std::filesystem::remove(current_ / "carFactory.ini");
    panel.LoadLanguageTexts(1);
    EXPECT_EQ(Labels(), (Texts{L"Define key data（0）"}));
}

TEST_F(KeyTreeTest, SelectingAKeyShowsItAndSetsTheButtons) {
    Open({MakeKey(-101, "A4_U", 1)}, {MakeKey(-106, "DRAFT_U", 2)});
    afx::TreeCtrl& tree = panel.GetTreeCtrl();
    tree.SelectItem(ItemLabelled(L"A4_U"));
    EXPECT_EQ(owner.shownKeys, std::vector<int>{-101});
    EXPECT_TRUE(owner.addEnabled);
    EXPECT_TRUE(owner.deleteEnabled);
    EXPECT_EQ(tree.GetDropHilightItem(), ItemLabelled(L"A4_U"));

    tree.SelectItem(ItemLabelled(L"BMW（1）"));
    EXPECT_TRUE(owner.addEnabled);
    EXPECT_FALSE(owner.deleteEnabled);
    tree.SelectItem(ItemLabelled(L"DRAFT_U"));
    EXPECT_EQ(owner.shownKeys, (std::vector<int>{-101, -106}));
    tree.SelectItem(tree.GetRootItem());
    EXPECT_FALSE(owner.addEnabled);
    EXPECT_FALSE(owner.deleteEnabled);
}

TEST_F(KeyTreeTest, DeletingKeysAsksThenChangesListsFilesAndCounts) {
    Open({MakeKey(-101, "A4_U", 1), MakeKey(-102, "Q7_U", 1)}, {MakeKey(-106, "DRAFT_U", 1)});
    owner.answer = kAnswerCancel;
    panel.DeleteKey(ItemLabelled(L"A4_U"));
    EXPECT_EQ(owner.messages, std::vector<std::wstring>{L"Delect key A4_U ？"});
    EXPECT_EQ(owner.types, std::vector<int>{kMessageQuestion});
    EXPECT_EQ(panel.GetTotalKeys(), 3);

    owner.answer = kAnswerOk;
    panel.DeleteKey(ItemLabelled(L"A4_U"));
    // A finished key stays in its list and file with status 0.
    ASSERT_EQ(g_KeyData.size(), 2u);
    EXPECT_EQ(g_KeyData[0].params.status, KeyStatusDeleted);
    panel.DeleteKey(ItemLabelled(L"DRAFT_U"));
    EXPECT_TRUE(g_KeyDataEdit.empty());
    EXPECT_EQ(Labels(), (Texts{L"Define key data（1）", L"  Audi（1）", L"    Q7_U", L"  BMW（0）",
                               L"  Ford（0）"}));

    // What was saved is what the next start shows.
    LoadKeyData();
    LoadKeyDataEdit();
    EXPECT_EQ(g_KeyData[0].params.status, KeyStatusDeleted);
    EXPECT_TRUE(g_KeyDataEdit.empty());

    // Makers and the root are not deleted; the selection is used when no item is given.
    panel.DeleteKey(ItemLabelled(L"BMW（0）"));
    panel.GetTreeCtrl().SelectItem(panel.GetTreeCtrl().GetRootItem());
    panel.DeleteKey();
    EXPECT_EQ(owner.messages.size(), 3u);
}

TEST_F(KeyTreeTest, AWizardThatStaysOpenStopsAddEditAndDelete) {
    Open({MakeKey(-101, "A4_U", 1)}, {});
    owner.wizard.letGo = false;
    panel.DeleteKey(ItemLabelled(L"A4_U"));
    panel.AddNewKey(ItemLabelled(L"Audi（1）"));
    EXPECT_TRUE(owner.messages.empty());
    EXPECT_EQ(owner.wizard.shown, 0);
    EXPECT_EQ(owner.wizard.closeAsked, 2);
}

TEST_F(KeyTreeTest, NewKeyGoesToTheMakerOfTheItem) {
    Open({MakeKey(-101, "A4_U", 1)}, {});
    panel.AddNewKey(ItemLabelled(L"A4_U"));  // a key: its maker
    EXPECT_EQ(owner.wizard.shown, 1);
    EXPECT_FALSE(owner.wizard.target.editMode);
    EXPECT_EQ(owner.wizard.target.makerId, 1);
    EXPECT_EQ(owner.wizard.target.makerLabel, L"Audi");
    EXPECT_EQ(owner.wizard.target.makerName, L"AUDI");
    panel.AddNewKey(panel.GetTreeCtrl().GetRootItem());
    EXPECT_EQ(owner.wizard.shown, 1);
}

TEST_F(KeyTreeTest, WizardSavesAddAndRenameItemsByIdAcrossRebuilds) {
    Open({MakeKey(-101, "A4_U", 1)}, {MakeKey(-106, "DRAFT_U", 2)});
    panel.RebuildTree();  // as a language switch or an import does under an open wizard
    panel.AddKeyItem(L"NEW_U", 2, -110, kImageUnfinishedKey);
    EXPECT_EQ(Labels(), (Texts{L"Define key data（3）", L"  Audi（1）", L"    A4_U", L"  BMW（2）",
                               L"    DRAFT_U", L"    NEW_U", L"  Ford（0）"}));
    EXPECT_EQ(panel.GetTreeCtrl().GetDropHilightItem(), ItemLabelled(L"NEW_U"));
    // An unfinished key finished under a new name.
    panel.UpdateKeyItem(kImageUnfinishedKey, -106, L"DONE_U", kImageKey);
    EXPECT_EQ(panel.FindKeyItem(kImageKey, -106), ItemLabelled(L"DONE_U"));
    EXPECT_EQ(panel.FindKeyItem(kImageUnfinishedKey, -106), nullptr);
    // A maker that is not in the tree takes nothing.
    panel.AddKeyItem(L"LOST_U", 99, -111, kImageKey);
    EXPECT_EQ(panel.GetTotalKeys(), 3);
}

TEST_F(KeyTreeTest, AFinishedPendingEditReplacesTheItemOfItsKey) {
    KeyDataRecord edit = MakeKey(-101, "A4_U", 1);
    edit.blanks[0] = {};
    Open({MakeKey(-101, "A4_U", 1), MakeKey(-102, "A6_U", 1)}, {edit});
    panel.UpdateKeyItem(kImageUnfinishedKey, -101, L"A4NEW_U", kImageKey);
    EXPECT_EQ(Labels(), (Texts{L"Define key data（2）", L"  Audi（2）", L"    A6_U", L"    A4NEW_U",
                               L"  BMW（0）", L"  Ford（0）"}));
}

TEST_F(KeyTreeTest, ContextMenuByKindOfItem) {
    Open({MakeKey(-101, "A4_U", 1)}, {MakeKey(-106, "DRAFT_U", 1)});
    afx::Menu::ScriptNextChoice(32776);  // "Add Key" on a maker
    RightClick(ItemLabelled(L"Audi（2）"));
    ASSERT_TRUE(afx::Menu::LastTracked().has_value());
    EXPECT_TRUE(afx::Menu::LastTracked()->IsEnabled(32776));
    EXPECT_FALSE(afx::Menu::LastTracked()->IsEnabled(32774));
    EXPECT_FALSE(afx::Menu::LastTracked()->IsEnabled(32778));
    EXPECT_EQ(owner.wizard.shown, 1);
    EXPECT_EQ(owner.wizard.target.makerId, 1);

    afx::Menu::ScriptNextChoice(32778);  // "Edit" on an unfinished key
    RightClick(ItemLabelled(L"DRAFT_U"));
    EXPECT_TRUE(afx::Menu::LastTracked()->IsEnabled(32778));
    EXPECT_EQ(afx::Menu::LastTracked()->Items()[0].text, L"Add Key");
    EXPECT_EQ(owner.wizard.loadedImages, std::vector<int>{kImageUnfinishedKey});
    EXPECT_TRUE(owner.wizard.target.editMode);
    EXPECT_EQ(owner.wizard.target.keyId, -106);
    EXPECT_EQ(owner.wizard.target.makerId, 1);
    EXPECT_EQ(owner.wizard.target.makerName, L"AUDI");
    EXPECT_EQ(panel.GetTreeCtrl().GetSelectedItem(), ItemLabelled(L"DRAFT_U"));
    EXPECT_EQ(owner.shownKeys.back(), -106);

    afx::Menu::ScriptNextChoice(32774);  // "Delete"
    RightClick(ItemLabelled(L"A4_U"));
    EXPECT_EQ(owner.messages, std::vector<std::wstring>{L"Delect key A4_U ？"});
    EXPECT_EQ(panel.GetTotalKeys(), 1);
}

TEST_F(KeyTreeTest, RightClickOnTheRootShowsNoMenu) {
    Open({}, {});
    afx::Menu::ScriptNextChoice(32776);
    RightClick(panel.GetTreeCtrl().GetRootItem());
    EXPECT_EQ(owner.wizard.shown, 0);
    // The scripted choice was still waiting: no menu took it.
    RightClick(ItemLabelled(L"Audi（0）"));
    EXPECT_EQ(owner.wizard.shown, 1);
}

TEST_F(KeyTreeTest, SearchListByTextInCapitals) {
    Open({MakeKey(-101, "xAB_U", 1), MakeKey(-102, "GONE_AB", 1, KeyStatusDeleted),
          MakeKey(-103, "X5_U", 2)},
         {MakeKey(-106, "ab2", 3)});
    panel.FillSearchList(L"ab");
    // Deleted keys are found too; names show as stored; makers last.
    EXPECT_EQ(SearchRows(), (Texts{L"xAB_U/2", L"GONE_AB/2", L"ab2/3"}));
    panel.FillSearchList(L"o");
    EXPECT_EQ(SearchRows(), (Texts{L"GONE_AB/2", L"Ford/1"}));
    panel.FillSearchList(L"zzz");
    EXPECT_TRUE(SearchRows().empty());
}

TEST_F(KeyTreeTest, EmptySearchShowsTheFirstFiveOfEachListFifthFirst) {
    KeyDataList finished;
    for (int i = 0; i < 7; ++i) {
        const std::string name = std::to_string(i).insert(0, 1, 'K');
        finished.push_back(MakeKey(static_cast<int16_t>(-101 - i), name, 1));
    }
    finished[2].params.keyName[0] = '\0';  // an empty name is skipped
    Open(finished, {MakeKey(-120, "E0", 1), MakeKey(-121, "E1", 1)});
    panel.FillSearchList(L"");
    EXPECT_EQ(SearchRows(), (Texts{L"K4/2", L"K3/2", L"K1/2", L"K0/2", L"E1/3", L"E0/3"}));
}

TEST_F(KeyTreeTest, ChoosingAResultSelectsExactlyItsOwnItem) {
    // "XAB_U" comes first in tree order and contains "AB_U"; a maker contains it too.
    ui_test::WriteCarFactory(current_, "[carEN]\n1=AUDI;Audi\n2=ABU;Maker AB_U\n");
    Open({MakeKey(-101, "XAB_U", 1), MakeKey(-102, "AB_U", 2)}, {MakeKey(-103, "AB_U", 1)});
    afx::TreeCtrl& tree = panel.GetTreeCtrl();
    afx::ListCtrl& list = panel.GetSearchList();
    tree.ShowWindow(false);
    list.ShowWindow(true);
    panel.FillSearchList(L"ab_u");
    ASSERT_EQ(SearchRows(), (Texts{L"XAB_U/2", L"AB_U/2", L"AB_U/3", L"Maker AB_U/1"}));

    auto* rows = qobject_cast<QTreeWidget*>(list.GetSafeWidget());
    auto choose = [&](int row) {
        tree.ShowWindow(false);
        list.ShowWindow(true);
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                          rows->visualItemRect(rows->topLevelItem(row)).center());
    };
    choose(1);
    EXPECT_EQ(tree.GetSelectedItem(), panel.FindKeyItem(kImageKey, -102));
    EXPECT_EQ(owner.shownKeys.back(), -102);
    EXPECT_TRUE(tree.IsWindowVisible());
    EXPECT_FALSE(list.IsWindowVisible());

    choose(2);  // the unfinished key of the same name
    EXPECT_EQ(tree.GetSelectedItem(), panel.FindKeyItem(kImageUnfinishedKey, -103));
    choose(3);
    EXPECT_EQ(tree.GetSelectedItem(), panel.FindMakerItem(2));
}

}  // namespace
