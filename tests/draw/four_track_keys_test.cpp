#include "draw/drawing_test.h"

namespace {

KeyParams OneGroupKey(int keyType) {
    return MakeKey(keyType, {400, 800, 1200}, 50, {600, 500});
}

// Groups of k1 and k2 cuts; group 1 at 400, 800, ..., group 2 at 300, 700, ...
KeyParams TwoGroupKey(int keyType, int k1, int k2) {
    KeyParams key = MakeKey(keyType, {}, 50, {600, 550, 500, 450, 400, 350, 0, 0, 0, 0, 0, 0});
    key.groupCount = 2;
    key.cutsPerGroup[0] = static_cast<int8_t>(k1);
    key.cutsPerGroup[1] = static_cast<int8_t>(k2);
    for (int i = 0; i < k1 + k2; ++i) {
        key.spaces[i] = i < k1 ? 400 * (i + 1) : 300 + 400 * (i - k1);
        key.flats[i] = 50;
    }
    return key;
}

}  // namespace

TEST(FourTrackKey, OneGroupUncutRunsAlongBothEdges) {
    const Script script = Draw(OneGroupKey(KeyTypeFourTrackExternal));
    EXPECT_EQ(Only(script, "code"), (Script{"code* 76,20 0", "code 116,20 0", "code 156,20 0"}));
    // Marks and labels over the blade, then again under it without digits.
    EXPECT_TRUE(
        InOrder(script, {"line 80,98-80,80 guide", "value 72,55 400", "line 160,98-160,80 guide",
                         "value 152,55 1200", "line 80,188-80,206 guide", "value 72,221 400",
                         "value 112,211 800", "value 152,221 1200"}));
    // Handle, grey blade, then the two profiles ending in the middle of the blade's end.
    EXPECT_TRUE(InOrder(
        script, {"line 30,188-40,188 outline", "line 40,188-184,188 blade",
                 "line 184,188-184,98 blade", "line 184,98-40,98 blade", "line 77,98-82,98 outline",
                 "line 40,98-77,98 outline", "line 162,98-184,143 outline",
                 "line 77,188-82,188 outline", "line 162,188-184,143 outline"}));
}

TEST(FourTrackKey, TwoGroupsSwapEntriesBetweenProfiles) {
    const Script script = Draw(TwoGroupKey(KeyTypeFourTrackExternal, 3, 3), {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(Only(script, "code"), (Script{"code 76,20 1", "code 116,20 2", "code 156,20 3",
                                            "code 66,256 4", "code 106,256 5", "code 146,256 6"}));
    // Depths 1 2 3 at group 2's positions on the upper edge, 4 5 6 at group 1's on the lower.
    EXPECT_TRUE(InOrder(script, {"line 67,128-72,128 outline", "line 107,133-112,133 outline",
                                 "line 147,138-152,138 outline", "line 77,143-82,143 outline",
                                 "line 117,138-122,138 outline", "line 157,133-162,133 outline"}));
}

TEST(FourTrackKey, UnequalGroupsKeepEntryOrder) {
    const Script script = Draw(TwoGroupKey(KeyTypeFourTrackExternal, 4, 2), {1, 2, 3, 4, 5, 6});
    // Entries 1 2 on the upper edge at group 2's positions, 3 to 6 on the lower at group 1's.
    EXPECT_TRUE(InOrder(script, {"line 67,128-72,128 outline", "line 107,133-112,133 outline",
                                 "line 77,148-82,148 outline", "line 117,143-122,143 outline",
                                 "line 157,138-162,138 outline", "line 197,133-202,133 outline"}));
}

TEST(FourTrackKey, InternalWallsTakeTheirOwnGroups) {
    const Script script = Draw(TwoGroupKey(KeyTypeFourTrackInternal, 4, 2), {1, 2, 3, 4, 5, 6});
    // Positions count from 30; the upper wall takes entries 1 to 4, the lower 5 and 6.
    EXPECT_TRUE(InOrder(script, {"line 67,158-72,158 outline", "line 30,143-67,158 outline",
                                 "line 107,153-112,153 outline", "line 147,148-152,148 outline",
                                 "line 187,143-192,143 outline", "line 57,148-62,148 outline",
                                 "line 30,143-57,148 outline", "line 97,153-102,153 outline"}));
}

TEST(FourTrackKey, GroupCountOtherThanOneMeansTwoGroups) {
    KeyParams key = TwoGroupKey(KeyTypeFourTrackExternal, 3, 3);
    key.groupCount = 3;
    key.depthCount = 6;  // three depths a group
    key.depths[1] = 500;
    key.depths[2] = 400;
    const Script script = Draw(key);
    EXPECT_EQ(Script(script.begin() + 1, script.begin() + 8),
              (Script{"line 40,158-160,158 guide", "line 40,128-150,128 guide",
                      "line 40,148-160,148 guide", "line 40,138-150,138 guide",
                      "line 40,138-160,138 guide", "line 40,148-150,148 guide",
                      "line 80,98-80,80 guide"}));
    key.groupCount = 0;
    EXPECT_EQ(Draw(key), script);
}

TEST(FourTrackKey, SlopeEndsByTheFlatItLeaves) {
    KeyParams key = OneGroupKey(KeyTypeFourTrackExternal);
    key.flats[0] = 100;
    key.flats[1] = 60;
    EXPECT_TRUE(
        InOrder(Draw(key, {1, 1}), {"line 75,128-85,128 outline", "line 85,128-115,128 outline",
                                    "line 117,128-123,128 outline"}));
}

TEST(FourTrackKey, RowsEndAtZeroPositionByLocating) {
    KeyParams key = OneGroupKey(KeyTypeFourTrackExternal);
    key.spaces[1] = 0;
    // Shoulder: the row over the blade ends at the 0, the row under it runs on.
    Script script = Draw(key);
    EXPECT_EQ(Only(script, "code"), (Script{"code* 76,20 0"}));
    EXPECT_EQ(Only(script, "value"), (Script{"value 72,55 400", "value 72,221 400",
                                             "value 32,211 0", "value 152,221 1200"}));
    // Tip: the other way round. The blade's length is scanned up to the 0 as well (400 long,
    // drawn 48 pixels), so the stop line stands at 40 + 48.
    key.locating = 1;
    script = Draw(key);
    EXPECT_EQ(script.front(), "line 88,30-88,256 stop");
    EXPECT_EQ(Only(script, "code"), (Script{"code* 44,20 0", "code 84,20 0", "code -36,20 0"}));
    EXPECT_EQ(Only(script, "value").size(), 4u);
}

TEST(FourTrackKey, InternalUncutLiesBeyondTheDeepestDepth) {
    KeyParams key = MakeKey(KeyTypeFourTrackInternal, {400, 800}, 50, {120, 90, 60});
    const Script script = Draw(key);
    EXPECT_EQ(script.front(), "line 30,30-30,256 stop");
    EXPECT_TRUE(InOrder(script, {"value 62,231 400", "value 102,221 800",
                                 "line 0,98-126,98 outline", "line 0,188-126,188 outline",
                                 "line 126,188-126,97 guide", "line 67,111-72,111 outline",
                                 "line 30,143-67,111 outline", "line 112,111-126,98 outline",
                                 "line 67,175-72,175 outline", "line 112,175-126,188 outline"}));
}
