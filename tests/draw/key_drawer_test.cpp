#include "draw/key_drawer.h"
#include "draw/drawing_kit.h"
#include "draw/drawing_test.h"
#include "platform/gdi/image_canvas.h"
#include "platform/gdi/recording_canvas.h"

namespace {

KeyParams FiveCutKey() {
    return MakeKey(KeyTypeStandardSingle, {300, 500, 700, 900, 1100}, 50, {700, 600, 500});
}

}  // namespace

TEST(KeyDrawer, TypesWithoutDrawerLeaveTheCanvasBlank) {
    for (const int type : {0, 6, 10, -1}) {
        KeyParams key = FiveCutKey();
        key.keyType = type;
        platform::RecordingCanvas canvas;
        CKeyDrawer drawer(canvas);
        drawer.DrawKey(key, {1, 2});
        EXPECT_EQ(drawtest::Script(canvas), Script{"clear"}) << type;
        EXPECT_EQ(drawer.Key().keyType, type);
    }
}

TEST(KeyDrawer, CursorMarksTheFirstCutNotEntered) {
    EXPECT_EQ(Only(Draw(FiveCutKey()), "code"),
              (Script{"code* 66,256 0", "code 86,256 0", "code 106,256 0", "code 126,256 0",
                      "code 146,256 0"}));
    EXPECT_EQ(Only(Draw(FiveCutKey(), {1, 2, 3, 1, 2}), "code*"), Script{});
    EXPECT_EQ(Only(Draw(FiveCutKey(), {1, 0, 3, 0}), "code"),
              (Script{"code 66,256 1", "code* 86,256 0", "code 106,256 3", "code 126,256 0",
                      "code 146,256 0"}));
    // A bitting longer than the key writes only one digit per cut.
    EXPECT_EQ(Only(Draw(FiveCutKey(), {1, 1, 1, 1, 1, 1, 1}), "code").size(), 5u);
}

TEST(KeyDrawer, TextsUseTheirFontsAndLeaveTheContextAsFound) {
    platform::RecordingCanvas canvas;
    CKeyDrawer drawer(canvas);
    drawer.DrawKey(FiveCutKey(), {});
    for (const platform::RecordedOp& op : canvas.Ops()) {
        if (op.kind != platform::OpKind::Text) {
            continue;
        }
        EXPECT_EQ(op.state.font.face, L"\u5b8b\u4f53");
        EXPECT_EQ(op.state.font.weight, 100);
        EXPECT_TRUE(op.state.font.height == 12 || op.state.font.height == 15);
        EXPECT_EQ(op.state.bkMode, platform::BkMode::Transparent);
    }
    EXPECT_EQ(canvas.State().pen, platform::Pen{});
    EXPECT_EQ(canvas.State().font, platform::Font{});
}

TEST(KeyDrawer, EachDrawingStartsFromAFreshContextOnABlankCanvas) {
    platform::ImageCanvas canvas(CKeyDrawer::kCanvasWidth, CKeyDrawer::kCanvasHeight);
    CKeyDrawer drawer(canvas);
    canvas.SelectPen(platform::Pen{platform::PenStyle::Solid, platform::Rgb(255, 0, 0)});
    drawer.DrawKey(FiveCutKey(), {1});
    EXPECT_EQ(canvas.PixelAt(0, 80), platform::Rgb(0, 0, 0));  // the handle, in black
    KeyParams blank = FiveCutKey();
    blank.keyType = 6;
    drawer.DrawKey(blank, {});
    for (int y = 0; y < canvas.Height(); y += 3) {
        for (int x = 0; x < canvas.Width(); x += 3) {
            ASSERT_EQ(canvas.PixelAt(x, y), platform::Rgb(255, 255, 255)) << x << "," << y;
        }
    }
}

TEST(KeyDrawer, CoordinatesTruncateTowardZero) {
    EXPECT_EQ(draw::Trunc(40.9), 40);
    EXPECT_EQ(draw::Trunc(-0.5), 0);
    EXPECT_EQ(draw::Trunc(-7.9), -7);
    EXPECT_EQ(draw::Trunc(1e12), INT32_MAX);
    EXPECT_EQ(draw::Trunc(-1e12), INT32_MIN);
}
