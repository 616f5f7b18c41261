#include <gtest/gtest.h>

#include "wizard/step_checks.h"
#include "wizard/wizard_kit.h"

namespace {

using test::PagesFor;
using test::SetEdit;
using test::SetList;
using test::Texts;

TEST(Depths, RefusalsPerChoice) {
    struct Case {
        int type;
        int width;
        int internalDepth;
        std::vector<std::wstring> depths;
        int message;
    };
    const Case cases[] = {
        {1, 800, 0, Texts({900, 570}), 0},      {2, 800, 0, Texts({900, 569}), 230},
        {5, 1000, 0, Texts({100, 40}), 0},      {6, 1000, 0, Texts({100, 39}), 231},
        {5, 1000, 0, Texts({39, 100}), 231},    {7, 800, 0, Texts({5, 9}), 0},
        {7, 800, 0, Texts({9, 4}), 231},        {5, 1000, 0, Texts({500, 100}), 0},
        {5, 1001, 0, Texts({501, 100}), 234},   {6, 1000, 500, Texts({500, 100}), 0},
        {6, 1000, 501, Texts({500, 100}), 233}, {3, 400, 0, Texts({1, 9999}), 0},
    };
    for (const Case& c : cases) {
        WizardInputs inputs = PagesFor(c.type);
        inputs.picks[kComboDepths] = inputs.picks[kComboCircle] = inputs.picks[kComboGroove] = 0;
        SetEdit(inputs, kEditWidth, c.width);
        SetEdit(inputs, kEditInternalDepth, c.internalDepth);
        SetList(inputs, kListE, c.depths);
        SetList(inputs, kListF, c.depths);
        EXPECT_EQ(CheckDepths(inputs, {}).messageId, c.message) << c.type << " " << c.width;
    }
}

TEST(Depths, LayoutsPerChoice) {
    struct Case {
        int type, side, groupCount;
        std::vector<int> depths;  // 21.. side A's rows, 31.. side B's
        std::vector<int> perGroup;
    };
    const Case cases[] = {
        {3, 0, 1, {21, 22, 23}, {3}},
        {4, 1, 2, {21, 22, 23, 31, 32, 33, 21, 22, 23, 31, 32, 33}, {3, 3}},
        {8, 0, 2, {21, 22, 23, 21, 22, 23, 21, 22, 23, 21, 22, 23}, {3, 3}},
        {8, 1, 4, {21, 22, 23, 21, 22, 23, 31, 32, 33, 31, 32, 33}, {3, 3, 3, 3}},
        {7, 0, 3, {21, 22, 23, 21, 22, 23, 31, 32}, {3, 3, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " side " << c.side);
        WizardInputs inputs = PagesFor(c.type, c.side);
        inputs.lists[kListF].shown = c.type == 4 || c.side == 1 || c.type == 7;
        inputs.picks[kComboDepths] = inputs.picks[kComboCircle] = 1;
        inputs.picks[kComboGroove] = 0;
        SetEdit(inputs, kEditEdgeDistanceA, 150);
        SetEdit(inputs, kEditEdgeDistanceB, 160);
        SetList(inputs, kListE, Texts({21, 22, 23, 24}));
        SetList(inputs, kListF, Texts({31, 32, 33, 34}));
        KeyParams key{};
        key.groupCount = static_cast<int8_t>(c.groupCount);
        StepResult result = CheckDepths(inputs, key);
        ASSERT_TRUE(result.Passed());
        ASSERT_EQ(result.params.depthCount, static_cast<int>(c.depths.size()));
        for (size_t i = 0; i < c.depths.size(); ++i) {
            EXPECT_EQ(result.params.depths[i], c.depths[i]) << i;
        }
        for (size_t g = 0; g < 8; ++g) {
            EXPECT_EQ(result.params.depthsPerGroup[g], g < c.perGroup.size() ? c.perGroup[g] : 0);
        }
        // The copy of a two-group key counts its labels on from 1.
        EXPECT_EQ(
            result.params.depthLabels[c.depths.size() - 1],
            c.groupCount == 2 ? "0123456789ABC"[c.depths.size() / 2] : '0' + c.depths.back() % 10);
        EXPECT_EQ(result.params.edgeDistances[2], c.side == 1 && c.type == 8 ? 160 : 0);
    }
}

TEST(Clamp, KindPositionAndPicture) {
    struct Case {
        int type, thickness, edgeSide, secondDepth, position;
    };
    // Channel Track: width 1000 - internal depth 300 - largest depth 400 against the smallest.
    const Case cases[] = {{3, 0, 0, 0, 3},   {3, 0, 1, 0, 2},   {4, 0, 1, 0, 1},
                          {5, 0, 0, 0, 2},   {6, 0, 1, 299, 3}, {6, 0, 1, 300, 2},
                          {6, 0, 0, 300, 3}, {4, 301, 0, 0, 4}};
    for (const Case& c : cases) {
        KeyParams key{};
        key.thickness = c.thickness;
        key.edgeSide = static_cast<uint8_t>(c.edgeSide);
        key.keyWidth = 1000;
        key.internalDepth = 300;
        key.depthCount = 2;
        key.depths[0] = 400;
        key.depths[1] = c.secondDepth;
        EXPECT_EQ(GetViceType(c.type), 2);
        EXPECT_EQ(GetVicePosition(c.type, key, 2), c.position) << c.type << " " << c.secondDepth;
    }
    EXPECT_EQ(GetViceType(8), 1);
    EXPECT_EQ(GetVicePosition(8, {}, 1), 0);
    KeyParams tip{};
    tip.locating = 1;
    tip.groupCount = 2;
    tip.cutsPerGroup[0] = 31;
    tip.cutsPerGroup[1] = 100;  // walks stop at the table's end
    tip.spaces[0] = 1000;
    for (auto [largest, picture] : {std::pair{1900, 2}, {1901, 3}, {2201, 4}, {2501, 5}}) {
        tip.spaces[31] = largest;
        EXPECT_EQ(GetViceImageIndex(tip, 1), picture) << largest;
    }
    EXPECT_EQ(GetViceImageIndex(tip, 2), 2);
    EXPECT_EQ(GetViceImageIndex(KeyParams{}, 1), 0);
}

TEST(Scans, UnsignedStopAtZeroAndStayInTheirSpan) {
    int32_t values[] = {500, 0, 300};
    EXPECT_EQ(MinUntilZero(values, 3), 0u);
    EXPECT_EQ(MaxUntilZero(values, 3), 500u);
    EXPECT_EQ(MinUntilZero(values, 0), 3000u);
    int32_t negative[] = {200, -1, 100};
    EXPECT_EQ(MaxUntilZero(negative, 3), 0xFFFFFFFFu);
    EXPECT_EQ(MinUntilZero(negative, 3), 100u);

    int32_t sorted[] = {9, 800, 1200, -1, 400, 7};
    uint8_t flats[] = {0, 8, 12, 99, 4, 0};
    BubbleSortU32(std::span(sorted).first(5), 9, 1, true, flats);  // beyond the span: untouched
    const int32_t descending[] = {9, -1, 1200, 800, 400, 7};
    const uint8_t moved[] = {0, 99, 12, 8, 4, 0};
    EXPECT_TRUE(std::equal(std::begin(sorted), std::end(sorted), descending));
    EXPECT_TRUE(std::equal(std::begin(flats), std::end(flats), moved));
}

}  // namespace
