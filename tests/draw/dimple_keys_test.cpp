#include "draw/drawing_test.h"

namespace {

// Group 1 at 400, 800, 1200; group 2 at 500; group 3 at 300, 700.
KeyParams DimpleKey() {
    KeyParams key = MakeKey(KeyTypeDimple, {400, 800, 1200, 500, 300, 700}, 50, {});
    key.groupCount = 2;
    key.cutsPerGroup[0] = 3;
    key.cutsPerGroup[1] = 1;
    key.cutsPerGroup[2] = 2;
    key.edgeDistances[0] = 300;
    key.edgeDistances[3] = 250;
    return key;
}

// Group 1 at 400, 800, 1200, no group 2, the track at 300, 700, 1100 with depths 50 and 40.
KeyParams DimpleTrackKey() {
    KeyParams key =
        MakeKey(KeyTypeDimpleTrack, {400, 800, 1200, 300, 700, 1100}, 0, {900, 800, 500, 400});
    key.groupCount = 2;
    key.cutsPerGroup[0] = 3;
    key.cutsPerGroup[2] = 3;
    key.depthsPerGroup[0] = 2;
    key.depthsPerGroup[2] = 2;
    key.edgeDistances[0] = 300;
    for (int k = 6; k < 9; ++k) {
        key.flats[k] = 50;  // the track's flats follow twice group 1's count
    }
    return key;
}

}  // namespace

TEST(DimpleKey, TwoGroupsMarkOneSideAndDrawOneRow) {
    EXPECT_EQ(
        Draw(DimpleKey()),
        (Script{"line 40,30-40,256 stop", "line 80,188-80,206 guide", "value 72,221 400",
                "line 120,188-120,206 guide", "value 112,211 800", "line 160,188-160,206 guide",
                "value 152,221 1200", "line 0,80-30,80 outline", "line 30,80-30,98 outline",
                "line 30,98-40,98 outline", "line 40,98-172,98 outline",
                "line 0,206-30,206 outline", "line 30,206-30,188 outline",
                "line 30,188-40,188 outline", "line 40,188-172,188 outline",
                "line 172,98-202,128 outline", "line 172,188-202,158 outline",
                "line 202,158-202,127 outline",
                // 30 pixels under the upper edge
                "ellipse 70,118-90,138", "ellipse 75,123-85,133", "ellipse 110,118-130,138",
                "ellipse 115,123-125,133", "ellipse 150,118-170,138", "ellipse 155,123-165,133"}));
}

TEST(DimpleKey, EdgeSideOneMarksAboveAndMeasuresFromBelow) {
    KeyParams key = DimpleKey();
    key.edgeSide = 1;
    const Script script = Draw(key);
    EXPECT_EQ(Only(script, "value"),
              (Script{"value 72,55 400", "value 112,65 800", "value 152,55 1200"}));
    EXPECT_EQ(Only(script, "ellipse")[0], "ellipse 70,148-90,168");
}

TEST(DimpleKey, ThreeGroupsMarkBothSidesAndDrawTheThirdGroup) {
    KeyParams key = DimpleKey();
    key.groupCount = 3;
    key.edgeSide = 1;
    const Script script = Draw(key);
    EXPECT_TRUE(InOrder(
        script, {"value 72,221 400", "value 72,55 400", "value 112,211 800", "value 112,65 800"}));
    // Group 2 (500) is skipped; group 3 lies 25 under the upper edge whatever the side.
    const Script ellipses = Only(script, "ellipse");
    ASSERT_EQ(ellipses.size(), 10u);
    EXPECT_EQ(ellipses[6], "ellipse 60,113-80,133");
    EXPECT_EQ(ellipses[8], "ellipse 100,113-120,133");
}

TEST(DimpleKey, ZeroPositionStopsMarksButNotDimples) {
    KeyParams key = DimpleKey();
    key.spaces[1] = 0;
    const Script script = Draw(key);
    EXPECT_EQ(Only(script, "value"), (Script{"value 72,221 400"}));
    EXPECT_EQ(Only(script, "ellipse")[2], "ellipse 30,118-50,138");
}

TEST(DimpleKey, TipLocatedBevelEndsOnTheStopLine) {
    KeyParams key = DimpleKey();
    key.locating = 1;
    const Script script = Draw(key);
    EXPECT_EQ(script.front(), "line 202,30-202,256 stop");
    EXPECT_TRUE(InOrder(script, {"line 162,188-162,206 guide", "line 172,98-202,128 outline",
                                 "ellipse 152,118-172,138"}));
}

TEST(DimpleTrackKey, TrackOnTopWithUncutDepths) {
    const Script script = Draw(DimpleTrackKey());
    EXPECT_TRUE(InOrder(
        script,
        {"line 40,30-40,256 stop", "line 40,148-160,148 guide", "line 40,138-160,138 guide",
         "code* 66,20 0", "line 70,98-70,80 guide", "value 62,65 300", "code 106,20 0",
         "line 110,98-110,80 guide", "value 102,75 700", "code 146,20 0",
         "line 150,98-150,80 guide", "value 142,65 1100", "line 80,188-80,206 guide",
         "value 72,221 400",
         // square end, no bevel
         "line 40,98-202,98 outline", "line 40,188-202,188 outline", "line 202,188-202,98 outline",
         "ellipse 70,118-90,138",
         // two pixels beyond the deepest depth (50), second wall 15 further in
         "line 67,150-72,150 outline", "line 67,165-72,165 outline", "line 60,157-67,150 outline",
         "line 60,157-67,165 outline", "line 72,150-107,150 outline", "line 72,165-107,165 outline",
         "line 147,150-152,150 outline", "line 147,165-152,165 outline",
         "line 152,150-204,148 outline", "line 152,165-204,167 outline"}));
    EXPECT_EQ(Only(script, "ellipse").size(), 6u);
}

TEST(DimpleTrackKey, TrackBelowWritesDigitsAtTheBottom) {
    KeyParams key = DimpleTrackKey();
    key.edgeSide = 1;
    const Script script = Draw(key, {2, 1});
    EXPECT_TRUE(InOrder(
        script, {"line 40,138-160,138 guide", "code 66,256 2", "line 70,188-70,206 guide",
                 "value 62,221 300", "code 106,256 1", "value 102,211 700", "code* 146,256 0",
                 "line 80,98-80,80 guide", "value 72,55 400", "ellipse 70,148-90,168",
                 "line 67,148-72,148 outline", "line 67,133-72,133 outline"}));
}
