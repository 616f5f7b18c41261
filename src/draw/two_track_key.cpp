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
    const KeyParams& key = m_key;
    const int n = ClampCount(key.cutsPerGroup[0], kMaxCuts);
    const int longest = FarthestSpace(key, 0, n);
    const BladeLayout b = LayBlade(key, kTwoTrackConstants, rect, longest, BladeEnd::Square);
    const int tipExtra = Trunc(b.lengthPx * b.scale - b.cutsPx);
    const double bladeRight = b.x0 + b.lengthPx;
    // Variant A measures the depths from the upper edge and writes above the key.
    const bool variantA = key.edgeSide != 1;
    const double startEdge = variantA ? b.yL : b.yU;
    const double endEdge = variantA ? b.yU : b.yL;
    const double stopY2 = rect.height - 30;

    auto level = [&](int d) { return variantA ? b.yU + d : b.yL - d; };

    PenScope penScope(dc);
    DrawStopLine(dc, b, rect);

    dc.SelectPen(kGuidePen);
    const DepthTable depths = ReadDepths(key.depths, 0, key.depthCount);
    for (int d = 0; d < depths.count; ++d) {
        const double y = level(depths.px[d]);
        Line(dc, PointF{b.StopX(), y}, PointF{b.CutsEnd(), y});
    }

    BittingRow row(bitting, n);
    for (int i = 0; i < n && key.spaces[i] != 0; ++i) {
        const double x = b.CutX(key.spaces[i]);
        const bool even = i % 2 == 0;
        if (variantA) {
            Line(dc, PointF{x, b.yU}, PointF{x, b.yU - b.w5});
            row.WriteDigit(dc, x - 4, 20, i);
            DrawValueText(dc, Trunc(x - 8), Trunc(b.yU - b.w5 - (even ? 25 : 15)), key.spaces[i]);
        } else {
            Line(dc, PointF{x, b.yL}, PointF{x, b.yL + b.w5});
            row.WriteDigit(dc, x - 4, stopY2, i);
            DrawValueText(dc, Trunc(x - 8), Trunc(b.yL + b.w5 + (even ? 15 : 5)), key.spaces[i]);
        }
    }

    dc.SelectPen(kOutlinePen);
    Line(dc, PointF{0, b.yU}, PointF{bladeRight, b.yU});
    Polyline(dc, {{0, b.yL}, {bladeRight, b.yL}, {bladeRight, b.yU}});
    Polyline(
        dc,
        {{b.x0, startEdge}, {b.x0 + longest * b.scale / 10.0, startEdge}, {bladeRight, startEdge}});

    // A cut not entered lies at the deepest depth of the table.
    const DepthLookup lookup(depths.LargestSignedUntilZero(), depths);
    Profile track{.start = {b.x0, startEdge}, .end = {b.x0 + b.cutsPx + tipExtra, endEdge}};
    for (int i = 0; i < n; ++i) {
        track.Add(ProfileCut{b.CutX(key.spaces[i]), (key.flats[i] / 10) * b.scale * 0.5,
                             level(lookup[row[i]])});
    }
    DrawProfile(dc, track);
}
