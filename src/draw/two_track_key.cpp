// Two-track external keys (type 3): no shoulder; one track line runs from one blade edge at the
// handle end across the cut depths to the other edge at the tip.

#include "draw/drawing_kit.h"
#include "draw/key_drawer.h"

using namespace draw;

namespace {
constexpr DrawerConstants kTwoTrackConstants{30, 0, 0.5f, 1.0f};
}

void CKeyDrawer::DrawExternal2TrackKey(platform::Canvas& dc, const KeyRect& rect,
                                       const Bitting& bitting) {
    const DrawerConstants& k = kTwoTrackConstants;
    const KeyParams& key = key_;
    const double scale = k.scale;
    const double x0 = k.handleLength;
    const int n = ClampCount(key.cutsPerGroup[0], kMaxCuts);
    const int longest = LargestUntilZero(n, [&](int i) { return key.spaces[i]; });
    const int bladeLen = Trunc(longest * 1.2);
    const double bladePx = (longest / 10) * scale;
    const int bladeDrawn = bladeLen / 10;
    const int tipExtra = Trunc(bladeDrawn * scale - bladePx);
    const int w = key.keyWidth / 10;
    const double hw = w * k.halfFactor;
    const int w5 = w / 5;
    const double y0 = rect.height / 2;
    const double yU = y0 - hw;
    const double yL = y0 + hw;
    const double bladeRight = x0 + bladeDrawn;
    const double xEnd = x0 + bladeDrawn * scale;
    const bool tip = key.locating != 0;
    // Variant A measures the depths from the upper edge and writes above the key.
    const bool variantA = key.edgeSide != 1;
    const double startEdge = variantA ? yL : yU;
    const double endEdge = variantA ? yU : yL;
    const double stopY2 = rect.height - 30;

    auto level = [&](int d) { return variantA ? y0 - hw + d : y0 + hw - d; };
    auto cutX = [&](int i) {
        return tip ? xEnd - (key.spaces[i] / 10) * scale : x0 + (key.spaces[i] / 10) * scale;
    };

    PenScope penScope(dc);
    dc.SelectPen(kStopPen);
    const double stopX = tip ? xEnd : x0;
    Line(dc, PointF{stopX, 30}, PointF{stopX, stopY2});

    dc.SelectPen(kGuidePen);
    const DepthTable depths = ReadDepths(key.depths, 0, key.depthCount);
    for (int d = 0; d < depths.count; ++d) {
        const double y = level(depths.px[d]);
        Line(dc, PointF{stopX, y}, PointF{tip ? xEnd - bladePx : x0 + bladePx, y});
    }

    BittingRow row(bitting, n);
    for (int i = 0; i < n && key.spaces[i] != 0; ++i) {
        const double x = cutX(i);
        const bool even = i % 2 == 0;
        if (variantA) {
            Line(dc, PointF{x, yU}, PointF{x, yU - w5});
            row.WriteDigit(dc, x - 4, 20, i);
            DrawValueText(dc, Trunc(x - 8), Trunc(yU - w5 - (even ? 25 : 15)), key.spaces[i]);
        } else {
            Line(dc, PointF{x, yL}, PointF{x, yL + w5});
            row.WriteDigit(dc, x - 4, stopY2, i);
            DrawValueText(dc, Trunc(x - 8), Trunc(yL + w5 + (even ? 15 : 5)), key.spaces[i]);
        }
    }

    dc.SelectPen(kOutlinePen);
    Line(dc, PointF{0, yU}, PointF{bladeRight, yU});
    Polyline(dc, {{0, yL}, {bladeRight, yL}, {bladeRight, yU}});
    Polyline(dc,
             {{x0, startEdge}, {x0 + longest * scale / 10.0, startEdge}, {bladeRight, startEdge}});

    // A cut not entered lies at the deepest depth of the table.
    const DepthLookup lookup(depths.LargestUntilZero(), depths);
    Profile track{.start = {x0, startEdge}, .end = {x0 + bladePx + tipExtra, endEdge}};
    for (int i = 0; i < n; ++i) {
        track.Add(ProfileCut{cutX(i), (key.flats[i] / 10) * scale * 0.5, level(lookup[row[i]])});
    }
    DrawProfile(dc, track);
}
