#include "res/dialogs.h"

#include <gtest/gtest.h>

#include <set>

namespace {

afx::Rect Pixels(const afx::DialogTemplate& dialog, int controlId) {
    const afx::ControlTemplate* control = dialog.Find(controlId);
    return control ? afx::MapDialogRect(control->dialogUnits, afx::DialogBaseUnits(dialog.font))
                   : afx::Rect{};
}

TEST(DialogResources, TheUpdateDialogFitsItsBackgroundPicture) {
    const afx::DialogTemplate& update = res::DialogResource(res::kUpdateDialog);
    ASSERT_EQ(update.id, res::kUpdateDialog);
    EXPECT_EQ(update.frame, afx::DialogFrame::Popup);
    afx::BaseUnits units = afx::DialogBaseUnits(update.font);
    EXPECT_EQ(afx::DluToPixelsX(update.width, units), 753);
    EXPECT_EQ(afx::DluToPixelsY(update.height, units), 525);
    EXPECT_EQ(Pixels(update, 1047), (afx::Rect{437, 406, 695, 456}));
    // Every control id is unique, -1 included (the steps text).
    std::set<int> ids;
    for (const auto& control : update.controls)
        EXPECT_TRUE(ids.insert(control.id).second);
    EXPECT_EQ(ids.size(), 16u);
}

TEST(DialogResources, TreePanelAndSerialPrompt) {
    const afx::DialogTemplate& tree = res::DialogResource(res::kKeyTreeDialog);
    EXPECT_EQ(tree.frame, afx::DialogFrame::Child);
    EXPECT_FALSE(tree.visible);
    EXPECT_EQ(Pixels(tree, 1002), (afx::Rect{0, 0, 251, 507}));
    ASSERT_NE(tree.Find(1098), nullptr);
    EXPECT_TRUE(tree.Find(1098)->style & afx::kHidden);

    const afx::DialogTemplate& prompt = res::DialogResource(res::kSerialNumberDialog);
    EXPECT_EQ(prompt.caption, L"序列号");
    ASSERT_NE(prompt.Find(afx::kIdOk), nullptr);
    EXPECT_EQ(prompt.Find(afx::kIdOk)->text, L"确定");
    EXPECT_NE(prompt.Find(1038), nullptr);
    EXPECT_EQ(res::DialogResource(7).id, 0);
}

TEST(MenuResources, CommandsInTheirOrder) {
    afx::Menu tools = afx::Menu::FromTemplate(res::MenuResource(res::kUpdateToolsMenu), 0);
    std::vector<int> commands;
    for (const auto& item : tools.Items()) {
        commands.push_back(item.commandId);
        for (const auto& sub : item.submenu)
            commands.push_back(sub.commandId);
    }
    EXPECT_EQ(commands,
              (std::vector<int>{32787, 32785, 32788, 32789, 0, 32796, 32798, 32802, 32803, 32807}));
    afx::Menu key = afx::Menu::FromTemplate(res::MenuResource(res::kKeyTreeMenu), 0);
    ASSERT_EQ(key.Items().size(), 3u);
    EXPECT_EQ(key.Items()[0].commandId, 32776);
    EXPECT_TRUE(res::MenuResource(1).popups.empty());
}

}  // namespace
