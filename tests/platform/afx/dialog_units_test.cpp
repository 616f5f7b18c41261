#include <gtest/gtest.h>

#include "platform/afx/dialog_template.h"
#include "platform/afx/qt_app.h"
#include "platform/afx/qt_text.h"

#include <QFontMetrics>

namespace {

using afx::BaseUnits;
using afx::Dlu;
using afx::Rect;

TEST(DialogUnits, TheWindowsDialogFontHasItsWindowsBaseUnits) {
    afx_test::App();
    EXPECT_EQ(afx::DialogBaseUnits(afx::Font{L"MS Shell Dlg", 80, 400}), (BaseUnits{6, 13}));
    EXPECT_EQ(afx::DialogBaseUnits(afx::Font{L"Tahoma", 80, 400}), (BaseUnits{6, 13}));
    // Any other font is measured; a larger one gives larger units.
    BaseUnits small = afx::DialogBaseUnits(afx::Font{L"DejaVu Sans", 80, 400});
    BaseUnits large = afx::DialogBaseUnits(afx::Font{L"DejaVu Sans", 200, 400});
    EXPECT_GT(small.cx, 0);
    EXPECT_LT(small.cx, large.cx);
    EXPECT_LT(small.cy, large.cy);
}

// The font that stands in for the Windows dialog font is as wide as its base units say and no
// taller, so texts fit the layout.
TEST(DialogUnits, TheShownDialogFontMeasuresAsTheLayoutAssumes) {
    afx_test::App();
    QFontMetrics metrics(afx::ToQFont(afx::Font{}));
    int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    BaseUnits layout = afx::DialogBaseUnits(afx::Font{});
    EXPECT_EQ((width / 26 + 1) / 2, layout.cx);
    EXPECT_LE(metrics.height(), layout.cy);
}

// Each value is rounded on its own, half away from zero, as MulDiv rounds.
TEST(DialogUnits, ConvertAsCreateDialogDoes) {
    BaseUnits units{6, 13};
    EXPECT_EQ(afx::DluToPixelsX(502, units), 753);
    EXPECT_EQ(afx::DluToPixelsY(323, units), 525);  // 524.875
    EXPECT_EQ(afx::DluToPixelsY(4, units), 7);      // 6.5 rounds up
    EXPECT_EQ(afx::DluToPixelsX(-2, units), -3);    // -3.0
    EXPECT_EQ(afx::DluToPixelsY(-4, units), -7);    // -6.5 rounds away from zero
    // x, y, cx, cy apart: the right edge is not MulDiv of x + cx.
    EXPECT_EQ(afx::MapDialogRect(Dlu(10, 57, 253, 121), units), (Rect{15, 93, 395, 290}));
    EXPECT_EQ(afx::MapDialogRect(Dlu(9, 307, 483, 8), units), (Rect{14, 499, 739, 512}));
}

}  // namespace
