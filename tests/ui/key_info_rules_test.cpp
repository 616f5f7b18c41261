// What the pane derives from a record: keypad, room for the bitting, type names, clamp pictures.
#include <gtest/gtest.h>

#include <cstring>

#include "ui/key_info_rules.h"

namespace {

using key_info::BittingCapacity;
using key_info::ClampImage;
using key_info::KeypadSize;

KeyParams Key(int keyType, int depthsInGroup1, int cuts1, int cuts2) {
    KeyParams key;
    std::memset(&key, 0, sizeof key);
    key.keyType = keyType;
    key.depthsPerGroup[0] = static_cast<int8_t>(depthsInGroup1);
    key.cutsPerGroup[0] = static_cast<int8_t>(cuts1);
    key.cutsPerGroup[1] = static_cast<int8_t>(cuts2);
    return key;
}

TEST(KeyInfoRules, KeypadCarriesTheFirstGroupsDepthsUpToFifteenButNoneForADimpleKey) {
    EXPECT_EQ(KeypadSize(Key(1, 3, 5, 0)), 3);
    EXPECT_EQ(KeypadSize(Key(9, 15, 5, 0)), 15);
    EXPECT_EQ(KeypadSize(Key(4, 20, 5, 5)), 15);
    EXPECT_EQ(KeypadSize(Key(7, 4, 6, 0)), 4);
    EXPECT_EQ(KeypadSize(Key(8, 4, 6, 6)), 0);
    EXPECT_EQ(KeypadSize(Key(1, -3, 5, 0)), 0);
}

TEST(KeyInfoRules, BittingRoomIsTheFirstGroupOrTheFirstTwoTogetherWhicheverIsMore) {
    EXPECT_EQ(BittingCapacity(Key(1, 3, 5, 0)), 5);
    EXPECT_EQ(BittingCapacity(Key(4, 4, 5, 4)), 9);
    EXPECT_EQ(BittingCapacity(Key(4, 4, 6, -2)), 6);
    EXPECT_EQ(BittingCapacity(Key(1, 3, -5, 0)), 0);
    EXPECT_EQ(BittingCapacity(Key(1, 3, 127, 127)), 254);
}

TEST(KeyInfoRules, FirstClampShowsOneBandOfItsStripByPicture) {
    EXPECT_EQ(ClampImage(1, 0, 1), L"file='vice1.png' source='0,0,283,134'");
    EXPECT_EQ(ClampImage(1, 1, 1), L"file='vice1.png' source='1132,0,1415,134'");
    EXPECT_EQ(ClampImage(1, 2, 3), L"file='vice1.png' source='1132,0,1415,134'");
    EXPECT_EQ(ClampImage(1, 3, 1), L"file='vice1.png' source='849,0,1132,134'");
    EXPECT_EQ(ClampImage(1, 4, 1), L"file='vice1.png' source='566,0,849,134'");
    EXPECT_EQ(ClampImage(1, 5, 1), L"file='vice1.png' source='283,0,566,134'");
    EXPECT_EQ(ClampImage(1, 7, 1), L"file='vice1.png' source='283,0,566,134'");
    EXPECT_EQ(ClampImage(1, -1, 0), L"file='vice1.png' source='283,0,566,134'");
}

TEST(KeyInfoRules, SecondClampShowsTheRowOfItsSideAndTheColumnOfItsPicture) {
    EXPECT_EQ(ClampImage(2, 0, 1), L"file='vice2.png' source='0,0,283,134'");
    EXPECT_EQ(ClampImage(2, 2, 3), L"file='vice2.png' source='283,268,566,402'");
    EXPECT_EQ(ClampImage(2, 1, 4), L"file='vice2.png' source='566,402,849,536'");
    EXPECT_EQ(ClampImage(2, 9, 2), L"file='vice2.png' source='566,134,849,268'");
}

TEST(KeyInfoRules, NoPictureForAnUnknownClampOrASideOutsideAToD) {
    EXPECT_EQ(ClampImage(0, 0, 1), L"");
    EXPECT_EQ(ClampImage(3, 2, 1), L"");
    EXPECT_EQ(ClampImage(-1, 0, 1), L"");
    EXPECT_EQ(ClampImage(2, 0, 0), L"");
    EXPECT_EQ(ClampImage(2, 2, 5), L"");
    EXPECT_EQ(ClampImage(2, 1, -128), L"");
}

}  // namespace
