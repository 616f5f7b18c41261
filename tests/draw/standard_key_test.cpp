#include "draw/drawing_test.h"

namespace {

// Single-sided, cuts in the lower edge, located at the shoulder.
KeyParams LowerEdgeKey() {
    return MakeKey(KeyTypeStandardSingle, {400, 800, 1200}, 50, {700, 600});
}

}  // namespace

TEST(StandardKey, UncutLowerEdgeKeyIsDrawnExactly) {
    EXPECT_EQ(
        Draw(LowerEdgeKey()),
        (Script{"line 40,30-40,256 stop", "line 40,158-160,158 guide", "line 40,168-160,168 guide",
                "line 80,98-80,80 guide", "code* 76,256 0", "value 72,55 400",
                "line 120,98-120,80 guide", "code 116,256 0", "value 112,65 800",
                "line 160,98-160,80 guide", "code 156,256 0", "value 152,55 1200",
                // handle stub, then the tip's bevels
                "line 0,80-30,80 outline", "line 30,80-30,98 outline", "line 30,98-40,98 outline",
                "line 0,206-30,206 outline", "line 30,206-30,188 outline",
                "line 30,188-40,188 outline", "line 172,98-202,128 outline",
                "line 172,188-202,158 outline", "line 202,158-202,127 outline",
                // uncut: every flat and slope on the lower edge
                "line 77,188-82,188 outline", "line 40,188-77,188 outline",
                "line 82,188-117,188 outline", "line 117,188-122,188 outline",
                "line 122,188-157,188 outline", "line 157,188-162,188 outline",
                "line 162,188-172,188 outline",
                // the edge without cuts
                "line 40,98-172,98 outline"}));
}

TEST(StandardKey, EnteredDepthsPlaceTheFlats) {
    const Script script = Draw(LowerEdgeKey(), {1, 2, 1});
    EXPECT_TRUE(InOrder(script, {"line 77,168-82,168 outline", "line 40,188-77,168 outline",
                                 "line 82,168-117,158 outline", "line 117,158-122,158 outline",
                                 "line 122,158-157,168 outline", "line 157,168-162,168 outline",
                                 "line 162,168-172,188 outline"}));
    EXPECT_EQ(Only(script, "code"), (Script{"code 76,256 1", "code 116,256 2", "code 156,256 1"}));
}

TEST(StandardKey, TipLocatedKeyMeasuresFromTheTip) {
    KeyParams key = LowerEdgeKey();
    key.locating = 1;
    key.spaces[0] = 1200;
    key.spaces[2] = 400;
    const Script script = Draw(key);
    EXPECT_EQ(script[0], "line 202,30-202,256 stop");
    EXPECT_EQ(script[1], "line 202,158-82,158 guide");
    EXPECT_EQ(Only(script, "code"), (Script{"code* 78,256 0", "code 118,256 0", "code 158,256 0"}));
}

TEST(StandardKey, UpperEdgeKeyWritesBelowAndDigitsOnTop) {
    KeyParams key = LowerEdgeKey();
    key.edgeSide = 1;
    const Script script = Draw(key, {2});
    // Marks stand on the uncut lower edge, labels below them.
    EXPECT_TRUE(
        InOrder(script, {"line 80,188-80,206 guide", "code 76,20 2", "value 72,221 400",
                         "line 120,188-120,206 guide", "code* 116,20 0", "value 112,211 800"}));
    // Depth 2 (60) is the blade left under the cut, from the lower edge: 188 - 60.
    EXPECT_TRUE(InOrder(script, {"line 77,128-82,128 outline", "line 40,98-77,128 outline"}));
    EXPECT_EQ(script.back(), "line 40,188-172,188 outline");
}

TEST(StandardKey, DoubleSidedKeyDrawsBothEdges) {
    KeyParams key = LowerEdgeKey();
    key.keyType = KeyTypeStandardDouble;
    const Script script = Draw(key, {1});
    EXPECT_EQ(Only(script, "value"),
              (Script{"value 72,221 400", "value 72,55 400", "value 112,211 800",
                      "value 112,65 800", "value 152,221 1200", "value 152,55 1200"}));
    EXPECT_EQ(Only(script, "code"), (Script{"code 76,20 1", "code* 116,20 0", "code 156,20 0"}));
    // Guide lines in pairs; the first cut drawn in both edges before the second.
    EXPECT_TRUE(InOrder(script, {"line 40,128-160,128 guide", "line 40,158-160,158 guide"}));
    EXPECT_TRUE(InOrder(script, {"line 77,118-82,118 outline", "line 40,98-77,118 outline",
                                 "line 82,118-117,98 outline", "line 77,168-82,168 outline",
                                 "line 40,188-77,168 outline", "line 82,168-117,188 outline",
                                 "line 117,98-122,98 outline"}));
    EXPECT_EQ(script.back(), "line 162,188-172,188 outline");  // no straight edge
}

TEST(StandardKey, ZeroFlatIsAPointedNotch) {
    KeyParams key = LowerEdgeKey();
    key.flats[1] = 0;
    EXPECT_TRUE(InOrder(Draw(key, {1, 1, 1}),
                        {"line 120,168-120,168 outline", "line 120,168-160,168 outline"}));
}

TEST(StandardKey, LoneCutIsFirstAndLast) {
    const Script script = Draw(MakeKey(KeyTypeStandardSingle, {400}, 50, {700}), {1});
    // Lead-in from the shoulder, the flat's slope straight to the tip.
    EXPECT_TRUE(InOrder(script, {"line 77,168-82,168 outline", "line 40,188-77,168 outline",
                                 "line 82,168-76,188 outline"}));
}

TEST(StandardKey, NoCutDrawsStraightEdges) {
    const Script script = Draw(MakeKey(KeyTypeStandardSingle, {}, 50, {700}));
    EXPECT_TRUE(Only(script, "code").empty());
    EXPECT_TRUE(InOrder(script, {"line 40,188-28,188 outline", "line 40,98-28,98 outline"}));
}
