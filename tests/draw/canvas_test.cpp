#include <gtest/gtest.h>

#include "platform/gdi/image_canvas.h"
#include "platform/gdi/recording_canvas.h"

using platform::BkMode;
using platform::Color;
using platform::Font;
using platform::ImageCanvas;
using platform::OpKind;
using platform::Pen;
using platform::PenStyle;
using platform::Point;
using platform::RecordingCanvas;
using platform::Rgb;

namespace {

constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kRed = Rgb(255, 0, 0);

bool Dark(ImageCanvas& c, int x, int y) {
    return c.PixelAt(x, y).r < 128;
}

// Pixels unlike the background inside [x0, x1) x [y0, y1).
int Drawn(ImageCanvas& c, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            n += c.PixelAt(x, y) != kWhite;
        }
    }
    return n;
}

}  // namespace

TEST(RecordingCanvas, StartsAsAFreshDeviceContextAndKeepsStateWithEachOp) {
    RecordingCanvas c;
    EXPECT_EQ(c.State().pen, Pen{});
    EXPECT_EQ(c.State().bkMode, BkMode::Opaque);
    EXPECT_EQ(c.State().bkColor, kWhite);
    EXPECT_EQ(c.State().textColor, kBlack);
    EXPECT_EQ(c.State().brush.color, kWhite);

    const Pen red{PenStyle::Dot, kRed};
    EXPECT_EQ(c.SelectPen(red), Pen{});
    EXPECT_EQ(c.SelectPen(red), red);
    EXPECT_EQ(c.SetBkMode(BkMode::Transparent), BkMode::Opaque);
    EXPECT_EQ(c.SetTextColor(kRed), kBlack);
    EXPECT_EQ(c.SelectFont(Font{12, 100, L"x"}), Font{});

    c.MoveTo(1, 2);
    c.LineTo(3, 4);
    c.LineTo(5, 6);
    c.TextOut(7, 8, L"12");
    ASSERT_EQ(c.Ops().size(), 3u);
    EXPECT_EQ(c.Ops()[0].from, (Point{1, 2}));
    EXPECT_EQ(c.Ops()[1].from, (Point{3, 4}));
    EXPECT_EQ(c.Ops()[1].to, (Point{5, 6}));
    EXPECT_EQ(c.Ops()[1].state.pen, red);
    EXPECT_EQ(c.Ops()[2].kind, OpKind::Text);
    EXPECT_EQ(c.Ops()[2].state.font.height, 12);

    c.ResetState();
    EXPECT_EQ(c.State(), platform::DrawState{});
}

TEST(ImageCanvas, LinesLeaveTheirEndPixelOut) {
    ImageCanvas c(40, 20);
    c.MoveTo(2, 2);
    c.LineTo(10, 2);
    c.LineTo(10, 8);
    for (int x = 2; x <= 10; ++x) {
        EXPECT_TRUE(Dark(c, x, 2)) << x;
    }
    EXPECT_FALSE(Dark(c, 1, 2));
    EXPECT_TRUE(Dark(c, 10, 7));
    EXPECT_FALSE(Dark(c, 10, 8));
    EXPECT_EQ(Drawn(c, 0, 0, 40, 20), 9 + 5);
}

TEST(ImageCanvas, DottedPenIsThreeOnThreeOff) {
    ImageCanvas c(40, 20);
    c.SelectPen(Pen{PenStyle::Dot, Rgb(20, 20, 20)});
    c.MoveTo(0, 5);
    c.LineTo(30, 5);
    std::string row;
    for (int x = 0; x < 12; ++x) {
        row += Dark(c, x, 5) ? '#' : '.';
    }
    EXPECT_EQ(row, "###...###...");
}

TEST(ImageCanvas, EllipseStaysInsideItsBoxAndTakesTheBrush) {
    ImageCanvas c(30, 30, Rgb(0, 0, 255));
    c.Ellipse(5, 5, 15, 15);
    EXPECT_TRUE(Dark(c, 5, 10));
    EXPECT_TRUE(Dark(c, 14, 10));
    EXPECT_EQ(c.PixelAt(15, 10), Rgb(0, 0, 255));
    EXPECT_EQ(c.PixelAt(10, 10), kWhite);  // the default brush
}

TEST(ImageCanvas, TextSitsBelowAndRightOfItsCorner) {
    ImageCanvas c(60, 40);
    c.SelectFont(Font{15, 100, L"\u5b8b\u4f53"});
    c.SetBkMode(BkMode::Transparent);
    c.SetTextColor(kRed);
    c.TextOut(10, 10, L"1200");
    EXPECT_GT(Drawn(c, 10, 10, 60, 25), 20);
    EXPECT_EQ(Drawn(c, 0, 0, 60, 10) + Drawn(c, 0, 25, 60, 40) + Drawn(c, 0, 0, 10, 40), 0);

    // An opaque background fills the text's cell.
    c.SetBkMode(BkMode::Opaque);
    c.SetBkColor(Rgb(0, 255, 0));
    c.TextOut(10, 25, L"1");
    EXPECT_EQ(c.PixelAt(10, 25), Rgb(0, 255, 0));
}

TEST(ImageCanvas, SongTiFallsBackToAnInstalledCjkFont) {
    const std::wstring family = platform::ResolvedFamily(Font{12, 100, L"\u5b8b\u4f53"});
    EXPECT_NE(family.find(L"WenQuanYi"), std::wstring::npos) << family.size();
}

TEST(ImageCanvas, AbsurdCoordinatesAreCutToThePicture) {
    ImageCanvas c(40, 20);
    c.MoveTo(-2000000000, 10);
    c.LineTo(2000000000, 10);
    c.MoveTo(5, -2000000000);
    c.LineTo(5, -1999999000);
    c.Ellipse(-2000000000, 0, 2000000000, 10);
    c.TextOut(2000000000, 5, L"1");
    EXPECT_EQ(Drawn(c, 0, 0, 40, 20), 40);
}

TEST(ImageCanvas, ClearBlanksThePicture) {
    ImageCanvas c(20, 20, Rgb(1, 2, 3));
    c.MoveTo(0, 0);
    c.LineTo(20, 20);
    c.Clear();
    EXPECT_EQ(c.PixelAt(5, 5), Rgb(1, 2, 3));
}
