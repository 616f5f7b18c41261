#include "wizard/step_checks.h"

#include <gtest/gtest.h>

#include <tuple>

#include "wizard/wizard_kit.h"

namespace {

using test::PagesFor;
using test::SetEdit;
using test::SetList;
using test::Texts;

struct ShapeCase {
    int type;
    int locating;
    int length, width, thickness, internalWidth, internalDepth;
    int message;
    WizardEdit focus;
};

TEST(KeyShape, LimitsAndFocusPerChoice) {
    const ShapeCase cases[] = {
        {1, 0, 2500, 400, 0, 0, 0, 0, kNoEdit},
        {1, 0, 2500, 1100, 0, 0, 0, 0, kNoEdit},
        {1, 0, 2500, 399, 0, 0, 0, 224, kEditWidth},
        {2, 0, 2500, 1101, 0, 0, 0, 224, kEditWidth},
        {1, 0, 2000, 800, 0, 0, 0, 0, kNoEdit},
        {1, 0, 3000, 800, 0, 0, 0, 0, kNoEdit},
        {1, 0, 1999, 800, 0, 0, 0, 225, kEditLength},
        {1, 1, 1800, 800, 0, 0, 0, 0, kNoEdit},
        {1, 1, 9000, 800, 0, 0, 0, 0, kNoEdit},
        {1, 1, 1799, 800, 0, 0, 0, 136, kEditLength},
        {3, 0, 2500, 800, 400, 200, 0, 227, kEditInternalWidth},
        {3, 0, 2500, 800, 400, 199, 0, 0, kNoEdit},
        {5, 0, 2500, 800, 179, 10, 0, 226, kEditThickness},
        {5, 0, 2500, 800, 501, 10, 0, 226, kEditThickness},
        {4, 0, 2500, 800, 300, 121, 0, 228, kEditInternalWidth},
        {4, 0, 2500, 800, 300, 120, 0, 0, kNoEdit},
        {6, 0, 2500, 800, 300, 100, 801, 232, kEditInternalDepth},
        {7, 0, 2500, 800, 300, 100, 800, 0, kNoEdit},
        // Dimple shows no internal width: what the hidden edit still holds is not read.
        {8, 0, 2500, 800, 300, 200, 900, 0, kNoEdit},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "type " << c.type << " length " << c.length << " width " << c.width);
        WizardInputs inputs = PagesFor(c.type);
        inputs.picks[kComboLocating] = c.locating;
        SetEdit(inputs, kEditLength, c.length);
        SetEdit(inputs, kEditWidth, c.width);
        SetEdit(inputs, kEditThickness, c.thickness);
        SetEdit(inputs, kEditInternalWidth, c.internalWidth);
        SetEdit(inputs, kEditInternalDepth, c.internalDepth);
        KeyParams before{};
        before.keyLength = 7;
        StepResult result = CheckKeyShape(inputs, before);
        EXPECT_EQ(result.messageId, c.message);
        EXPECT_EQ(result.focus, c.focus);
        if (c.message != 0) {
            EXPECT_EQ(result.params.keyLength, 7);
            continue;
        }
        EXPECT_EQ(result.params.keyLength, c.length);
        EXPECT_EQ(result.params.locating, c.locating);
        EXPECT_EQ(result.params.thickness, c.type <= 2 ? 0 : c.thickness);
        EXPECT_EQ(result.params.internalWidth, c.type <= 2 || c.type == 8 ? 0 : c.internalWidth);
        EXPECT_EQ(result.params.internalDepth, c.type == 6 || c.type == 7 ? c.internalDepth : 0);
    }
}

TEST(StepInputs, EveryRowOfEveryShownListCounts) {
    struct Case {
        int step;
        WizardList list;
        std::vector<std::wstring> texts;
        int message;
    };
    const Case cases[] = {
        {2, kListA, Texts({100, 200, 300}), 0}, {2, kListA, {L"100", L"", L"300"}, 237},
        {2, kListB, Texts({100, 0}), 237},      {3, kListC, Texts({-1, 100, 100}), 236},
        {3, kListC, Texts({0, 100, 0}), 0},     {4, kListE, Texts({0, 500, 400}), 239},
        {4, kListE, Texts({500, 400, 0}), 239}, {4, kListE, Texts({500, 400, 300}), 0},
    };
    for (const Case& c : cases) {
        WizardInputs inputs = PagesFor(5, 1);
        SetList(inputs, c.list, c.texts);
        EXPECT_EQ(CheckStepInputs(inputs, {}, c.step).messageId, c.message) << c.step;
        inputs.lists[c.list].shown = false;
        EXPECT_EQ(CheckStepInputs(inputs, {}, c.step).messageId, 0) << c.step;
    }
}

TEST(StepInputs, EmptyShownEditTakesTheFocus) {
    WizardInputs inputs = PagesFor(3);
    SetEdit(inputs, kEditLength, 2500);
    SetEdit(inputs, kEditWidth, 800);
    SetEdit(inputs, kEditInternalWidth, 100);
    EXPECT_EQ(CheckStepInputs(inputs, {}, 1).focus, kEditThickness);
    KeyParams dimple{};
    dimple.keyType = KeyTypeDimple;
    StepResult result = CheckStepInputs(PagesFor(8), dimple, 4);
    EXPECT_EQ(result.messageId, 236);
    EXPECT_EQ(result.focus, kEditEdgeDistanceA);
    EXPECT_EQ(CheckLeaveStep(WizardInputs{}, dimple, 0).messageId, 213);
}

struct SpacesCase {
    int type, side, cutsA, cutsB;
    int groupCount;
    std::vector<int> cutsPerGroup;
    std::vector<int> spaces;  // 1.. for side A's rows, 101.. for side B's
};

TEST(Spaces, GroupsAndPassesPerChoice) {
    const SpacesCase cases[] = {
        {1, 0, 3, 2, 1, {3}, {1, 2, 3}},
        {1, 1, 3, 2, 1, {2}, {101, 102}},
        {6, 1, 3, 4, 1, {4}, {101, 102, 103, 104}},
        {2, 0, 2, 2, 1, {2}, {1, 2}},
        {4, 0, 3, 2, 1, {3}, {1, 2, 3}},
        {5, 1, 3, 2, 2, {3, 2}, {1, 2, 3, 101, 102}},
        {7, 0, 2, 3, 3, {2, 2, 3}, {1, 2, 1, 2, 101, 102, 103}},
        {8, 0, 3, 2, 2, {3, 3}, {1, 2, 3, 1, 2, 3}},
        {8, 1, 3, 4, 4, {3, 4, 3, 4}, {1, 2, 3, 1, 2, 3, 101, 102, 103, 104, 101, 102, 103, 104}},
    };
    for (const SpacesCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " side " << c.side);
        WizardInputs inputs = PagesFor(c.type, c.side);
        inputs.picks[kComboCutsA] = c.cutsA - 2;
        inputs.picks[kComboCutsB] = c.cutsB - 2;
        SetEdit(inputs, kEditLength, 3000);
        SetList(inputs, kListA, Texts({1, 2, 3, 4, 5}));
        SetList(inputs, kListB, Texts({101, 102, 103, 104, 105}));
        StepResult result = CheckSpaces(inputs, {});
        ASSERT_TRUE(result.Passed());
        const KeyParams& key = result.params;
        EXPECT_EQ(key.groupCount, c.groupCount);
        EXPECT_EQ(key.groupCountCopy, c.groupCount);
        EXPECT_EQ(key.edgeSide, c.side);
        ASSERT_EQ(key.spaceCount, static_cast<int>(c.spaces.size()));
        for (size_t g = 0; g < c.cutsPerGroup.size(); ++g) {
            EXPECT_EQ(key.cutsPerGroup[g], c.cutsPerGroup[g]);
            EXPECT_EQ(key.groupModes[g], g < size_t(c.groupCount) ? 2 : 0);
        }
        for (size_t i = 0; i < c.spaces.size(); ++i) {
            EXPECT_EQ(key.spaces[i], c.spaces[i]) << i;
            EXPECT_EQ(key.spaceLabels[i], '0' + c.spaces[i] % 100) << i;
        }
        EXPECT_EQ(key.spaceLabels[c.spaces.size()], '\0');
    }
}

TEST(Spaces, RangeAndTheBlocksRoom) {
    WizardInputs inputs = PagesFor(1);
    SetEdit(inputs, kEditLength, 3000);
    inputs.picks[kComboCutsA] = 0;
    KeyParams tip{};
    tip.locating = 1;
    struct Case {
        int largest;
        const KeyParams& key;
        int message;
    } cases[] = {{2850, {}, 0}, {2851, {}, 229}, {3200, tip, 0}};
    for (const Case& c : cases) {
        SetList(inputs, kListA, Texts({400, c.largest}));
        EXPECT_EQ(CheckSpaces(inputs, c.key).messageId, c.message) << c.largest;
    }
    inputs.picks[kComboCutsA] = 3;  // more cuts than rows kept
    EXPECT_EQ(CheckSpaces(inputs, tip).messageId, 229);
    // Dimple types store a side twice: (pick A, pick B) -> cuts stored.
    for (auto [type, pickA, pickB, stored] :
         {std::tuple{8, 6, 6, 32}, {8, 7, 6, 0}, {7, 10, 6, 32}, {7, 10, 7, 0}}) {
        WizardInputs dimple = PagesFor(type, 1);
        SetList(dimple, kListA, std::vector<std::wstring>(15, L"100"));
        SetList(dimple, kListB, std::vector<std::wstring>(15, L"100"));
        dimple.picks[kComboCutsA] = pickA;
        dimple.picks[kComboCutsB] = pickB;
        const StepResult result = CheckSpaces(dimple, tip);
        EXPECT_EQ(result.messageId, stored == 0 ? 229 : 0) << type << " " << pickA;
        EXPECT_EQ(result.params.spaceCount, stored);
    }
}

TEST(Flats, OneByteEach) {
    WizardInputs inputs = PagesFor(8, 1);
    SetList(inputs, kListC, Texts({10, 20}));
    SetList(inputs, kListD, Texts({30, 255}));
    EXPECT_EQ(CollectFlat(inputs, {}).params.flats[7], 255);
    SetList(inputs, kListD, Texts({30, 300}));
    EXPECT_EQ(CollectFlat(inputs, {}).messageId, 235);
}

}  // namespace
