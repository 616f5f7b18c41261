// The wizard's page rules by key type, one table each.

#include <gtest/gtest.h>

#include "wizard/cell_lists.h"
#include "wizard/wizard_rules.h"

namespace wizard {
namespace {

using Shifts = std::vector<std::optional<int>>;

TEST(WizardRules, ParameterRowsShownAndMovedDownByType) {
    const std::pair<int, Shifts> table[] = {
        {1, {30, 60, 90, {}, {}, {}}}, {8, {18, 36, 54, 72, {}, {}}}, {4, {0, 16, 24, 32, 40, {}}},
        {7, {0, 0, 0, 0, 0, 0}},       {0, {{}, {}, {}, {}, {}, {}}},
    };
    for (const auto& [type, shifts] : table) {
        Shifts got;
        for (int row = 0; row < 6; ++row) {
            got.push_back(RowShift(row, RowLayoutOf(type)));
        }
        EXPECT_EQ(got, shifts) << "type " << type;
    }
}

TEST(WizardRules, SideComboPickSetsSidesPicturesAndPanels) {
    struct Row {
        int type, sel;
        std::optional<int> mode, picture;
        std::optional<int> offsetRow;  // of the side-A schematics, type 3's only offset inputs
        std::optional<bool> dimpleB;
    };
    const Row table[] = {
        {1, 1, kSideB, {}, {}, false},    {3, 1, kSideB, 9, 0, false},
        {3, 0, kSideA, 3, 1, false},      {6, 1, kSideB, 10, {}, false},
        {8, 1, kSidesBoth, {}, {}, true}, {8, 0, kSideA, {}, {}, false},
        {2, 1, kSideA, {}, {}, {}},       {4, 1, kSidesBoth, {}, {}, {}},
        {5, 0, kSideA, {}, {}, {}},       {7, 0, kSidesBoth, {}, {}, {}},
        {0, 0, {}, {}, {}, {}},
    };
    for (const Row& row : table) {
        const EdgeEffect effect = EdgeEffectOf(row.type, row.sel);
        SCOPED_TRACE(testing::Message() << "type " << row.type << " sel " << row.sel);
        EXPECT_EQ(effect.sideMode, row.mode);
        EXPECT_EQ(effect.step3Picture, row.picture);
        EXPECT_EQ(effect.offsetCells.empty() ? std::nullopt
                                             : std::optional<int>(effect.offsetCells[0].row),
                  row.offsetRow);
        EXPECT_EQ(effect.dimpleSideB, row.dimpleB);
    }
    EXPECT_FALSE(SidesOfMode(3).has_value());
    EXPECT_TRUE(SidesOfMode(kSidesBoth)->a && SidesOfMode(kSidesBoth)->b);
}

TEST(WizardRules, SpriteCellsBySheetMode) {
    struct Row {
        int mode, n, column;
        SourceRect source;
    };
    const Row table[] = {
        {-1, 4, 0, {300, 0, 400, 50}},   {-1, 5, 0, {0, 50, 100, 100}},
        {0, 3, 0, {100, 50, 200, 100}},  {1, 3, 0, {0, 50, 100, 100}},
        {0, 4, 0, {300, 50, 400, 100}},  {1, 10, 0, {200, 200, 300, 250}},
        {2, 7, 1, {100, 350, 200, 400}}, {5, 7, 1, {0, 0, 100, 50}},
    };
    for (const Row& row : table) {
        EXPECT_EQ(SpriteSource(row.mode, row.n, row.column, 100, 50), row.source)
            << "mode " << row.mode << " n " << row.n;
    }
    EXPECT_EQ(SpriteImage(L"step2key.png", {1, 2, 3, 4}), L"file='step2key.png' source='1,2,3,4'");
}

TEST(WizardRules, ClampOffsetSchematicsAndSides) {
    EXPECT_FALSE(OffsetSchematicOf(8).has_value());
    // Dimple+Track has one side-B picture, and its own row for side A.
    const OffsetSchematic seven = *OffsetSchematicOf(7);
    ASSERT_EQ(seven.cells.size(), 3u);
    EXPECT_EQ(seven.cells[2].column, 1);
    EXPECT_EQ(OffsetOptionCells(7, 0, false)[1].row, 6);
    EXPECT_EQ(OffsetOptionCells(7, 0, true)[0].row, 1);
    EXPECT_EQ(DisabledViceSides(4, 0), std::vector<int>({1, 2}));
    EXPECT_EQ(DisabledViceSides(3, 1), std::vector<int>({2}));
    EXPECT_EQ(DisabledViceSides(3, 0), std::vector<int>({1}));
    EXPECT_TRUE(DisabledViceSides(9, 1).empty());
}

TEST(CellLists, NewRowTextByListAndType) {
    // Lists A..F for no type, Dimple+Track and Dimple.
    const std::pair<int, std::wstring> table[] = {{0, L"0 0 100 100 0 0"},
                                                  {7, L"0 0 0 100 0 0"},
                                                  {8, L"0 0 0 0 0 0"},
                                                  {6, L"0 0 100 100 0 0"}};
    for (const auto& [type, texts] : table) {
        std::wstring got;
        for (int list = 0; list < 6; ++list) {
            got += (list > 0 ? L" " : L"") + DefaultCellText(list, type);
        }
        EXPECT_EQ(got, texts) << "type " << type;
    }
}

TEST(CellLists, AutomaticInputCountsInSixtyFourBitsAndStaysInTheCell) {
    using Texts = std::vector<std::wstring>;
    EXPECT_EQ(FillSequence(0, -50, 4), Texts({L"200", L"150", L"100", L"50"}));
    EXPECT_EQ(FillSequence(300, -100, 6), Texts({L"300", L"200", L"100", L"0", L"0", L"0"}));
    EXPECT_EQ(FillSequence(9000, 600, 3), Texts({L"9000", L"9600", L"9999"}));
    const AutoFillRange up = AutoFillOf(L"250", L"100", false);
    EXPECT_EQ(FillSequence(up.start, up.step, 8).back(), L"950");
    // A first row of 0 (or none) starts from the difference; the largest difference counts
    // down without wrapping.
    const AutoFillRange down = AutoFillOf(std::nullopt, L"-2147483648", true);
    EXPECT_EQ(down.step, 2147483648LL);
    EXPECT_EQ(FillSequence(down.start, down.step, 3), Texts({L"0", L"0", L"9999"}));
    EXPECT_EQ(AutoFillOf(L"0", L"40", true).start, 40);
}

}  // namespace
}  // namespace wizard
