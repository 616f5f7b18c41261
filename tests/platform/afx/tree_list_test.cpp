#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>
#include <QTreeWidget>

#include "platform/afx/list_ctrl.h"
#include "platform/afx/qt_app.h"
#include "platform/afx/test_dialog.h"
#include "platform/afx/tree_ctrl.h"

namespace {

using afx::TreeItem;
using afx_test::TestDialog;

class TreeListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        afx_test::App();
        dialog.Create(nullptr);
        dialog.BindControl(afx_test::kTree, tree);
        dialog.BindControl(afx_test::kList, list);
    }
    TestDialog dialog;
    afx::TreeCtrl tree;
    afx::ListCtrl list;
};

TEST_F(TreeListTest, ItemsKeepLabelsDataAndImagesInTreeOrder) {
    TreeItem root = tree.InsertItem(L"root", 0, 0);
    TreeItem maker = tree.InsertItem(L"Maker A（0）", 1, 1, root);
    TreeItem first = tree.InsertItem(L"K1_U", 2, 2, maker);
    TreeItem second = tree.InsertItem(L"K2_U", 3, 3, maker);
    tree.SetItemData(maker, 12);
    tree.SetItemData(first, -101);  // key ids are signed

    EXPECT_EQ(tree.GetRootItem(), root);
    EXPECT_EQ(tree.GetChildItem(root), maker);
    EXPECT_EQ(tree.GetChildItem(maker), first);
    EXPECT_EQ(tree.GetNextSiblingItem(first), second);
    EXPECT_EQ(tree.GetNextSiblingItem(second), nullptr);
    EXPECT_EQ(tree.GetNextSiblingItem(root), nullptr);
    EXPECT_EQ(tree.GetParentItem(first), maker);
    EXPECT_EQ(tree.GetParentItem(root), nullptr);
    EXPECT_TRUE(tree.ItemHasChildren(maker));
    EXPECT_FALSE(tree.ItemHasChildren(first));
    EXPECT_EQ(tree.GetItemData(maker), 12);
    EXPECT_EQ(tree.GetItemData(first), -101);
    EXPECT_EQ(tree.GetItemData(second), 0);
    EXPECT_EQ(tree.GetItemImage(second), 3);
    tree.SetItemImage(second, 2, 2);
    EXPECT_EQ(tree.GetItemImage(second), 2);
    tree.SetItemText(maker, L"Maker A（2）");
    EXPECT_EQ(tree.GetItemText(maker), L"Maker A（2）");
    EXPECT_EQ(tree.GetCount(), 4);

    tree.DeleteItem(first);
    EXPECT_EQ(tree.GetChildItem(maker), second);
    EXPECT_EQ(tree.GetCount(), 3);
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetRootItem(), nullptr);
    EXPECT_EQ(tree.GetCount(), 0);
}

TEST_F(TreeListTest, DropTargetHighlightIsApartFromTheSelection) {
    TreeItem root = tree.InsertItem(L"root", 0, 0);
    TreeItem key = tree.InsertItem(L"K1_U", 2, 2, root);
    tree.SelectItem(root);
    tree.SelectDropTarget(key);
    EXPECT_EQ(tree.GetSelectedItem(), root);
    EXPECT_EQ(tree.GetDropHilightItem(), key);
    tree.DeleteItem(key);  // the highlight goes with its item
    EXPECT_EQ(tree.GetDropHilightItem(), nullptr);
    tree.Expand(root);
    EXPECT_TRUE(tree.IsExpanded(root));
}

// The drop target is drawn as the selection is; the selection itself looks so only while no
// other item is the drop target.
TEST_F(TreeListTest, OnlyTheDropTargetLooksSelectedWhileThereIsOne) {
    TreeItem maker = tree.InsertItem(L"maker", 1, 1);
    TreeItem key = tree.InsertItem(L"key", 2, 2, maker);
    tree.Expand(maker);
    tree.SelectItem(maker);
    auto* widget = dynamic_cast<QTreeWidget*>(tree.GetSafeWidget());
    // A row looks selected when its right end, past its text, is not the view's base colour.
    auto looksSelected = [widget](TreeItem item) {
        const QRect row = widget->visualItemRect(item);
        return widget->viewport()->grab().toImage().pixel(row.right() - 2, row.center().y()) !=
               widget->palette().color(QPalette::Base).rgb();
    };
    tree.SelectDropTarget(key);
    EXPECT_FALSE(looksSelected(maker));
    EXPECT_TRUE(looksSelected(key));
    tree.SelectDropTarget(nullptr);
    EXPECT_TRUE(looksSelected(maker));
    EXPECT_FALSE(looksSelected(key));
}

TEST_F(TreeListTest, ARightClickNotifiesWithThePointAndHitTestFindsTheItem) {
    TreeItem root = tree.InsertItem(L"root", 0, 0);
    TreeItem key = tree.InsertItem(L"K1_U", 2, 2, root);
    tree.Expand(root);
    afx::Rect keyRect = tree.GetItemRect(key);
    ASSERT_GT(keyRect.Height(), 0);
    afx::Point inside{keyRect.left + 20, keyRect.top + keyRect.Height() / 2};
    EXPECT_EQ(tree.HitTest(inside), key);
    EXPECT_EQ(tree.HitTest(afx::Point{5, 500}), nullptr);

    auto* widget = dynamic_cast<QTreeWidget*>(tree.GetSafeWidget());
    QPoint inView = widget->viewport()->mapFrom(widget, QPoint(inside.x, inside.y));
    QContextMenuEvent click(QContextMenuEvent::Mouse, inView,
                            widget->viewport()->mapToGlobal(inView));
    QApplication::sendEvent(widget->viewport(), &click);
    ASSERT_EQ(dialog.notifications.size(), 1u);
    EXPECT_EQ(dialog.notifications[0].code, afx::Notification::RightClick);
    EXPECT_EQ(dialog.notifications[0].point, inside);
}

TEST_F(TreeListTest, TreeAndListShowTheFocusRingRoundTheirRowsWhileTheyHaveTheFocus) {
    dialog.ShowWindow(true);
    QWidget* rows[] = {dynamic_cast<QTreeWidget*>(tree.GetSafeWidget())->viewport(),
                       dynamic_cast<QTreeWidget*>(list.GetSafeWidget())->viewport()};
    rows[0]->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(rows[0]->window()));
    TreeItem root = tree.InsertItem(L"root", 0, 0);
    tree.SetFocus();
    // Rows enough for a scroll bar, which comes up beside the ring, not over it.
    for (int i = 0; i < 40; ++i) {
        tree.InsertItem(L"K_U", 2, 2, root);
    }
    tree.Expand(root);
    afx_test::Settle();
    EXPECT_TRUE(afx_test::ShowsFocusRing(rows[0]));
    EXPECT_FALSE(afx_test::ShowsFocusRing(rows[1]));
    list.SetFocus();
    EXPECT_FALSE(afx_test::ShowsFocusRing(rows[0]));
    EXPECT_TRUE(afx_test::ShowsFocusRing(rows[1]));
}

// The key tree keeps its right-clicked item across rebuilds: a handle of a deleted item must
// be refused, not followed.
TEST_F(TreeListTest, AHandleOfADeletedItemIsRefused) {
    TreeItem root = tree.InsertItem(L"root", 0, 0);
    TreeItem maker = tree.InsertItem(L"maker", 1, 1, root);
    TreeItem key = tree.InsertItem(L"key", 2, 2, maker);
    tree.DeleteItem(maker);  // and its key with it
    EXPECT_EQ(tree.GetItemText(key), L"");
    EXPECT_EQ(tree.GetItemImage(maker), -1);
    EXPECT_FALSE(tree.SelectItem(key));
    EXPECT_EQ(tree.InsertItem(L"orphan", 2, 2, key), nullptr);
    tree.DeleteAllItems();
    EXPECT_EQ(tree.GetItemText(root), L"");
    EXPECT_EQ(tree.GetParentItem(root), nullptr);
}

TEST_F(TreeListTest, AForeignItemHandleIsRefused) {
    TestDialog other;
    other.Create(nullptr);
    afx::TreeCtrl otherTree;
    other.BindControl(afx_test::kTree, otherTree);
    TreeItem foreign = otherTree.InsertItem(L"x", 0, 0);
    EXPECT_EQ(tree.InsertItem(L"child", 2, 2, foreign), nullptr);
    EXPECT_FALSE(tree.DeleteItem(foreign));
    EXPECT_EQ(tree.GetItemText(foreign), L"");
    EXPECT_EQ(otherTree.GetCount(), 1);
}

TEST_F(TreeListTest, ReportListRowsAndTheirChangeNotification) {
    list.InsertColumn(0, L"Coll", 200);
    EXPECT_EQ(list.InsertItem(0, L"K5_U", 2), 0);
    EXPECT_EQ(list.InsertItem(0, L"K4_U", 2), 0);  // inserted before
    EXPECT_EQ(list.InsertItem(99, L"Maker A", 1), 2);
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(0, 0), L"K4_U");
    EXPECT_EQ(list.GetItemText(2, 0), L"Maker A");
    EXPECT_EQ(list.GetItemImage(2), 1);
    EXPECT_EQ(list.GetItemText(7, 0), L"");
    EXPECT_TRUE(dialog.notifications.empty());

    list.SetItemState(1, true);
    ASSERT_EQ(dialog.notifications.size(), 1u);
    EXPECT_EQ(dialog.notifications[0].code, afx::Notification::ItemChanged);
    EXPECT_EQ(dialog.notifications[0].item, 1);
    EXPECT_EQ(list.GetSelectionMark(), 1);
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
}

}  // namespace
