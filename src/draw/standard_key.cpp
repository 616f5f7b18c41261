// Standard flat keys (types 1 and 2): notches in one blade edge, or the same notches mirrored in
// both edges of a double-sided key.

#include "draw/drawing_kit.h"
#include "draw/key_drawer.h"

using namespace draw;

namespace {
constexpr DrawerConstants kStandardConstants{30, 10, 0.5f, 1.0f};
}

void CKeyDrawer::DrawStandardKey(platform::Canvas& dc, const KeyRect& rect,
                                 const Bitting& bitting) {
    const KeyParams& key = m_key;
    const int n = ClampCount(key.cutsPerGroup[0], kMaxCuts);
    const int longest = FarthestSpace(key, 0, n);
    const BladeLayout b = LayBlade(key, kStandardConstants, rect, longest, BladeEnd::Bevelled);
    const bool isDouble = key.keyType == KeyTypeStandardDouble;
    const bool upper = isDouble || key.edgeSide != 0;
    const double stopY2 = rect.height - 30;

    // Depth d is the blade left under the cut, from the edge opposite the cuts.
    auto cutLevel = [&](int d) { return upper ? b.yL - d : b.yU + d; };
    auto mirroredLevel = [&](int d) { return b.yU + d; };

    PenScope penScope(dc);
    DrawStopLine(dc, b, rect);

    dc.SelectPen(kGuidePen);
    const DepthTable depths = ReadDepths(key.depths, 0, key.depthCount);
    for (int d = depths.count - 1; d >= 0; --d) {
        const double y = cutLevel(depths.px[d]);
        Line(dc, PointF{b.StopX(), y}, PointF{b.CutsEnd(), y});
        if (isDouble) {
            const double y2 = mirroredLevel(depths.px[d]);
            Line(dc, PointF{b.StopX(), y2}, PointF{b.CutsEnd(), y2});
        }
    }

    BittingRow row(bitting, n);
    for (int i = 0; i < n && key.spaces[i] != 0; ++i) {
        const double x = b.CutX(key.spaces[i]);
        const bool even = i % 2 == 0;
        if (upper) {
            Line(dc, PointF{x, b.yL}, PointF{x, b.yL + b.w5});
            row.WriteDigit(dc, x - 4, 20, i);
            DrawValueText(dc, Trunc(x - 8), Trunc(b.yL + b.w5 + (even ? 15 : 5)), key.spaces[i]);
        }
        if (!upper || isDouble) {
            Line(dc, PointF{x, b.yU}, PointF{x, b.yU - b.w5});
            if (!upper) {
                row.WriteDigit(dc, x - 4, stopY2, i);
            }
            DrawValueText(dc, Trunc(x - 8), Trunc(b.yU - b.w5 - (even ? 25 : 15)), key.spaces[i]);
        }
    }

    dc.SelectPen(kOutlinePen);
    Polyline(dc, {{0, b.yU - b.w5}, {30, b.yU - b.w5}, {30, b.yU}, {b.x0, b.yU}});
    Polyline(dc, {{0, b.yL + b.w5}, {30, b.yL + b.w5}, {30, b.yL}, {b.x0, b.yL}});
    Line(dc, PointF{b.bevel, b.yU}, PointF{b.end, b.yU + b.w3});
    Polyline(dc, {{b.bevel, b.yL}, {b.end, b.yL - b.w3}, {b.end, b.yU + b.w3 - 1}});

    const DepthLookup lookup(b.w, depths);
    const double edge = upper ? b.yU : b.yL;
    Profile profile{.start = {b.x0, edge}, .end = {b.bevel, edge}};
    Profile mirrored{.start = {b.x0, b.yL}, .end = {b.bevel, b.yL}};
    for (int i = 0; i < n; ++i) {
        const double x = b.CutX(key.spaces[i]);
        const double halfFlat = (key.flats[i] / 10) * b.scale * 0.5;
        profile.Add(ProfileCut{x, halfFlat, cutLevel(lookup[row[i]])});
        mirrored.Add(ProfileCut{x, halfFlat, mirroredLevel(lookup[row[i]])});
    }
    if (isDouble) {
        // Each cut is drawn in both edges before the next.
        if (n == 0) {
            DrawProfile(dc, profile);
            DrawProfile(dc, mirrored);
        }
        for (int i = 0; i < n; ++i) {
            DrawProfileCut(dc, profile, i);
            DrawProfileCut(dc, mirrored, i);
        }
    } else {
        DrawProfile(dc, profile);
        const double plainEdge = upper ? b.yL : b.yU;
        Line(dc, PointF{b.x0, plainEdge}, PointF{b.bevel, plainEdge});
    }
}
