// End to end through the main window: a key selected with the mouse in the key tree is shown in
// the key information pane, a bitting typed on its keypad is drawn exactly as CKeyDrawer draws
// the key by itself.
#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>

#include "key_info_fixture.h"
#include "key_tree_fixture.h"
#include "main_window_fixture.h"
#include "model/key_files.h"
#include "platform/afx/menu.h"

namespace ui_test {
namespace {

constexpr uint32_t kMakerAudi = 1;
constexpr int16_t kStandardId = -101;
constexpr int16_t kChannelId = -102;

KeyParams ChannelKey() {
    KeyParams key = FiveCutKey();
    key.keyType = KeyTypeChannelTrack;
    key.internalDepth = 250;
    key.internalWidth = 320;
    key.depthsPerGroup[0] = 4;
    key.depthCount = 4;
    const int32_t depths[] = {500, 420, 340, 260};
    std::copy(std::begin(depths), std::end(depths), key.depths);
    key.clampType = 2;
    key.clampPicture = 2;
    key.clampSide = 3;
    return key;
}

KeyDataRecord MakerRecord(int16_t id, const KeyParams& key, const std::string& name) {
    KeyDataRecord record = Record(id, key, name);
    record.makerId = kMakerAudi;
    return record;
}

class KeyInfoThroughTheTree : public MainWindowTest {
  protected:
    void SetUp() override {
        SaveKeyData({MakerRecord(kStandardId, FiveCutKey(), "A4_U"),
                     MakerRecord(kChannelId, ChannelKey(), "A6_U")});
        ASSERT_NE(Open(), nullptr);
        pane_ = frame_->m_pKeyInfo;
        ASSERT_NE(pane_, nullptr);
    }

    // Clicks the key's item in the tree as a user would.
    void SelectInTree(int image, int16_t keyId) {
        CLeftTreeView& view = frame_->GetTreeView();
        afx::TreeCtrl& tree = view.GetTreeCtrl();
        afx::TreeItem item = view.FindKeyItem(image, keyId);
        ASSERT_NE(item, nullptr);
        tree.Expand(tree.GetParentItem(item));
        auto* widget = dynamic_cast<QTreeWidget*>(tree.GetSafeWidget());
        ASSERT_NE(widget, nullptr);
        const QRect rect = widget->visualItemRect(item);
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, rect.center());
        ASSERT_EQ(tree.GetSelectedItem(), item);
    }

    void Type(std::initializer_list<int> digits) {
        for (int k : digits) {
            Click(pane_->GetPaintManager().Find<dui::CButtonUI>(key_info::DigitButtonName(k)));
        }
    }

    std::wstring PaneText(const wchar_t* name) {
        dui::CControlUI* control = pane_->GetPaintManager().FindControl(name);
        return control != nullptr ? control->GetText() : L"<none>";
    }

    CDuiKeyInfo* pane_ = nullptr;
};

TEST_F(KeyInfoThroughTheTree, TypedBittingIsDrawnExactlyAsTheDrawerDrawsTheSelectedKey) {
    SelectInTree(kImageKey, kStandardId);
    EXPECT_EQ(PaneText(L"l_keyName"), L"A4_U");
    Type({2, 3, 1});
    EXPECT_EQ(pane_->Bitting(), (std::vector<int32_t>{2, 3, 1}));
    EXPECT_EQ(Shown(*pane_), Drawn(FiveCutKey(), {2, 3, 1}));

    SelectInTree(kImageKey, kChannelId);
    EXPECT_EQ(PaneText(L"l_keyType"), L"Channel Track");
    EXPECT_EQ(PaneText(L"buttonNum4"), L"260");
    Type({4, 1});
    EXPECT_EQ(Shown(*pane_), Drawn(ChannelKey(), {4, 1}));
    SaveScreenshot(frame_->GetHWND(), "key_info_main_window.png");
}

TEST_F(KeyInfoThroughTheTree, RightClickLeavesTheShownKeyAndEditActsOnTheClickedOne) {
    SelectInTree(kImageKey, kStandardId);
    Type({2, 3});
    CLeftTreeView& view = frame_->GetTreeView();
    afx::TreeCtrl& tree = view.GetTreeCtrl();
    afx::TreeItem selected = tree.GetSelectedItem();
    for (afx::TreeItem other : {view.FindKeyItem(kImageKey, kChannelId), tree.GetRootItem()}) {
        afx::Menu::ScriptNextChoice(0);  // dismissed, where a menu comes
        RightClickItem(tree, other);
        EXPECT_EQ(tree.GetSelectedItem(), selected);
        EXPECT_EQ(PaneText(L"l_keyName"), L"A4_U");
        EXPECT_EQ(pane_->Bitting(), (std::vector<int32_t>{2, 3}));
        EXPECT_TRUE(Control(L"AddkeyBtn")->IsEnabled());
        EXPECT_TRUE(Control(L"DeleteBtn")->IsEnabled());
    }
    afx::Menu::ScriptNextChoice(32778);  // "Edit"
    RightClickItem(tree, view.FindKeyItem(kImageKey, kChannelId));
    EXPECT_EQ(tree.GetSelectedItem(), view.FindKeyItem(kImageKey, kChannelId));
    EXPECT_EQ(PaneText(L"l_keyName"), L"A6_U");
}

}  // namespace
}  // namespace ui_test
