// Records reach the drawers from imported files: any count, any position, any bitting. These
// run every drawer on counts at and beyond their arrays' ends on both canvases; random records
// are the drawing fuzzer's.

#include <cstring>

#include "draw/drawing_test.h"
#include "draw/key_drawer.h"
#include "platform/gdi/image_canvas.h"
#include "platform/gdi/recording_canvas.h"

namespace {

const int kDrawnTypes[] = {1, 2, 3, 4, 5, 7, 8, 9};

KeyParams WithCounts(int type, int count) {
    KeyParams key = MakeKey(type, {}, 0, {});
    key.groupCount = static_cast<int8_t>(count);
    key.depthCount = count;
    key.spaceCount = count;
    for (int i = 0; i < 8; ++i) {
        key.cutsPerGroup[i] = static_cast<int8_t>(count);
        key.depthsPerGroup[i] = static_cast<int8_t>(count);
    }
    for (int i = 0; i < 32; ++i) {
        key.spaces[i] = 100 * (i + 1);
        key.flats[i] = 255;
        key.depths[i] = 1000;
    }
    key.keyWidth = 900;
    key.internalDepth = -32768;
    key.edgeDistances[0] = 32767;
    key.edgeDistances[3] = -32768;
    return key;
}

void DrawEverywhere(const KeyParams& key, const std::vector<int32_t>& bitting) {
    platform::RecordingCanvas recording;
    CKeyDrawer(recording).DrawKey(key, bitting);
    platform::ImageCanvas image(CKeyDrawer::kCanvasWidth, CKeyDrawer::kCanvasHeight);
    CKeyDrawer(image).DrawKey(key, bitting);
}

}  // namespace

TEST(HostileKeys, CountsBeyondTheirArraysAreClamped) {
    const std::vector<int32_t> wild = {20, -3, 16, 15, 99, 1, 0, 2147483647, -2147483647 - 1};
    for (const int type : kDrawnTypes) {
        for (const int count : {127, -1, 100, 0, 1, 32, 33, -128}) {
            SCOPED_TRACE(testing::Message() << "type " << type << " count " << count);
            DrawEverywhere(WithCounts(type, count), wild);
            DrawEverywhere(WithCounts(type, count), std::vector<int32_t>(100, 7));
        }
    }
}

TEST(HostileKeys, EntryBeyondTheDepthsDrawsUncutButShowsAsTyped) {
    const KeyParams key = MakeKey(KeyTypeStandardSingle, {400, 800, 1200}, 50, {700, 600});
    const Script script = Draw(key, {3, 16, -1});
    EXPECT_EQ(Only(script, "code"),
              (Script{"code 76,256 3", "code 116,256 16", "code 156,256 -1"}));
    EXPECT_TRUE(InOrder(script, {"line 77,188-82,188 outline", "line 117,188-122,188 outline",
                                 "line 157,188-162,188 outline"}));
}

TEST(HostileKeys, LoneCutIsFirstAndLastInEveryProfile) {
    // Two-track: the lead-in from the handle end, then straight on to the far edge.
    EXPECT_TRUE(InOrder(
        Draw(MakeKey(KeyTypeTwoTrackExternal, {400}, 50, {700}), {1}),
        {"line 67,168-72,168 outline", "line 30,188-67,168 outline", "line 72,168-78,98 outline"}));
    // Channel: lead-ins and run-outs of the one cut.
    KeyParams channel = MakeKey(KeyTypeChannelTrack, {400}, 50, {600});
    channel.internalDepth = 200;
    EXPECT_TRUE(InOrder(
        Draw(channel, {1}),
        {"line 67,158-72,158 outline", "line 67,178-72,178 outline", "line 57,168-67,158 outline",
         "line 57,168-67,178 outline", "line 72,158-78,98 outline", "line 72,178-78,188 outline"}));
    // Four-track: each profile from its start through the cut to the blade's end.
    EXPECT_TRUE(InOrder(
        Draw(MakeKey(KeyTypeFourTrackExternal, {400}, 50, {600}), {1}),
        {"line 77,128-82,128 outline", "line 40,98-77,128 outline", "line 82,128-88,143 outline"}));
}

TEST(HostileKeys, NoCutLeavesProfilesStraight) {
    EXPECT_EQ(Only(Draw(MakeKey(KeyTypeTwoTrackExternal, {}, 50, {700})), "line").back(),
              "line 30,188-30,98 outline");
    const Script fourTrack = Draw(MakeKey(KeyTypeFourTrackInternal, {}, 50, {700}));
    EXPECT_TRUE(InOrder(fourTrack, {"line 30,143-30,98 outline", "line 30,143-30,188 outline"}));
    KeyParams channel = MakeKey(KeyTypeChannelTrack, {}, 50, {600});
    EXPECT_EQ(Only(Draw(channel), "line").back(), "line 30,188-30,98 end");
}
