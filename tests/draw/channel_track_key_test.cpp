#include "draw/drawing_test.h"

namespace {

KeyParams ChannelKey() {
    KeyParams key = MakeKey(KeyTypeChannelTrack, {400, 800, 1200}, 50, {600, 500});
    key.internalDepth = 200;  // channel 20 pixels wide, lead-in 10
    return key;
}

}  // namespace

TEST(ChannelTrackKey, ShoulderKeyWithEdgeSideZeroHasItsChannelOnTop) {
    EXPECT_EQ(
        Draw(ChannelKey()),
        (Script{"line 30,30-30,256 stop", "line 30,158-150,158 guide", "line 30,148-150,148 guide",
                "line 70,98-70,80 guide", "code* 66,20 0", "value 62,55 400",
                "line 110,98-110,80 guide", "code 106,20 0", "value 102,65 800",
                "line 150,98-150,80 guide", "code 146,20 0", "value 142,55 1200",
                "line 0,98-174,98 outline", "line 0,188-174,188 outline", "line 174,188-174,98 end",
                // uncut: two pixels beyond the deepest depth (60), walls 20 apart
                "line 67,160-72,160 outline", "line 67,180-72,180 outline",
                "line 57,170-67,160 outline", "line 57,170-67,180 outline",
                "line 72,160-107,160 outline", "line 72,180-107,180 outline",
                "line 107,160-112,160 outline", "line 107,180-112,180 outline",
                "line 112,160-147,160 outline", "line 112,180-147,180 outline",
                "line 147,160-152,160 outline", "line 147,180-152,180 outline",
                "line 152,160-174,98 outline", "line 152,180-174,188 outline"}));
}

TEST(ChannelTrackKey, EdgeSideAndLocatingChooseTheSide) {
    KeyParams key = ChannelKey();
    key.edgeSide = 1;
    Script script = Draw(key, {1});
    EXPECT_TRUE(InOrder(
        script, {"line 30,30-30,256 stop", "line 30,128-150,128 guide", "line 70,188-70,206 guide",
                 "code 66,256 1", "value 62,221 400", "code* 106,256 0", "value 102,211 800",
                 "line 67,128-72,128 outline", "line 67,108-72,108 outline",
                 "line 152,126-174,188 outline", "line 152,106-174,98 outline"}));
    // A tip-located key swaps the sides and counts from the blade's end.
    key.locating = 1;
    script = Draw(key);
    EXPECT_TRUE(InOrder(script, {"line 174,30-174,256 stop", "line 174,158-54,158 guide",
                                 "line 134,98-134,80 guide", "code* 130,20 0"}));
}

TEST(ChannelTrackKey, NarrowChannelAndZeroPosition) {
    KeyParams key = ChannelKey();
    key.internalDepth = 0;
    key.spaces[1] = 0;
    const Script script = Draw(key);
    // The marks end at the 0, the channel still has a cut for every position.
    EXPECT_EQ(Only(script, "code"), (Script{"code* 66,20 0"}));
    EXPECT_TRUE(InOrder(script, {"line 67,160-72,160 outline", "line 67,160-72,160 outline",
                                 "line 67,160-67,160 outline", "line 27,160-32,160 outline",
                                 "line 147,160-152,160 outline"}));
}
