#include "draw/drawing_test.h"

namespace {

KeyParams TwoTrackKey() {
    return MakeKey(KeyTypeTwoTrackExternal, {400, 800, 1200}, 50, {700, 600});
}

}  // namespace

TEST(TwoTrackKey, UncutKeyIsDrawnExactly) {
    EXPECT_EQ(Draw(TwoTrackKey()),
              (Script{"line 30,30-30,256 stop", "line 30,168-150,168 guide",
                      "line 30,158-150,158 guide", "line 70,98-70,80 guide", "code* 66,20 0",
                      "value 62,55 400", "line 110,98-110,80 guide", "code 106,20 0",
                      "value 102,65 800", "line 150,98-150,80 guide", "code 146,20 0",
                      "value 142,55 1200", "line 0,98-174,98 outline", "line 0,188-174,188 outline",
                      "line 174,188-174,98 outline", "line 30,188-150,188 outline",
                      "line 150,188-174,188 outline",
                      // cuts not entered lie at the deepest depth, 70
                      "line 67,168-72,168 outline", "line 30,188-67,168 outline",
                      "line 72,168-107,168 outline", "line 107,168-112,168 outline",
                      "line 112,168-147,168 outline", "line 147,168-152,168 outline",
                      "line 152,168-174,98 outline"}));
}

TEST(TwoTrackKey, EdgeSideOneMirrorsTheKey) {
    KeyParams key = TwoTrackKey();
    key.edgeSide = 1;
    const Script script = Draw(key);
    EXPECT_TRUE(InOrder(script, {"line 70,188-70,206 guide", "code* 66,256 0", "value 62,221 400",
                                 "value 102,211 800", "value 142,221 1200"}));
    EXPECT_TRUE(InOrder(script, {"line 67,118-72,118 outline", "line 30,98-67,118 outline",
                                 "line 152,118-174,188 outline"}));
}

TEST(TwoTrackKey, TipLocatedKeyMeasuresFromTheBladeEnd) {
    KeyParams key = TwoTrackKey();
    key.locating = 1;
    key.spaces[0] = 1200;
    key.spaces[2] = 400;
    const Script script = Draw(key);
    EXPECT_EQ(script[0], "line 174,30-174,256 stop");
    EXPECT_EQ(script[1], "line 174,168-54,168 guide");
    EXPECT_EQ(Only(script, "code"), (Script{"code* 50,20 0", "code 90,20 0", "code 130,20 0"}));
}

TEST(TwoTrackKey, EnteredDepthPlacesTheFlat) {
    EXPECT_TRUE(InOrder(Draw(TwoTrackKey(), {2}),
                        {"line 67,158-72,158 outline", "line 30,188-67,158 outline"}));
}
