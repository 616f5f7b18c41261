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
    const DrawerConstants& k = kStandardConstants;
    const KeyParams& key = key_;
    const double scale = k.scale;
    const int n = ClampCount(key.cutsPerGroup[0], kMaxCuts);
    const int longest = LargestUntilZero(n, [&](int i) { return key.spaces[i]; });
    const int bladeLen = Trunc(longest * 1.2);
    const double bladePx = (longest / 10) * scale;
    const int w = key.keyWidth / 10;
    const double hw = w * k.halfFactor;
    const int w3 = w / 3;
    const int w5 = w / 5;
    const int tipLen = Trunc((bladeLen / 10) * scale - bladePx - w3);
    const double y0 = rect.height / 2;
    const double yU = y0 - hw;
    const double yL = y0 + hw;
    const double xs = k.handleLength + k.shoulderGap;
    const double bladeEnd = k.handleLength + bladePx + k.shoulderGap;
    const double xb = bladeEnd + tipLen + w5;
    const double xe = bladeEnd + tipLen + w3 + w5;
    const bool tip = key.locating != 0;
    const bool isDouble = key.keyType == KeyTypeStandardDouble;
    const bool upper = isDouble || key.edgeSide != 0;
    const double stopY2 = rect.height - 30;

    // Depth d is the blade left under the cut, from the edge opposite the cuts.
    auto cutLevel = [&](int d) { return upper ? y0 + hw - d : y0 - hw + d; };
    auto mirroredLevel = [&](int d) { return y0 - hw + d; };
    auto cutX = [&](int i) {
        return tip ? xe - (key.spaces[i] / 10) * scale : xs + (key.spaces[i] / 10) * scale;
    };

    PenScope penScope(dc);
    dc.SelectPen(kStopPen);
    const double stopX = tip ? xe : xs;
    Line(dc, PointF{stopX, 30}, PointF{stopX, stopY2});

    dc.SelectPen(kGuidePen);
    const DepthTable depths = ReadDepths(key.depths, 0, key.depthCount);
    const double guideFrom = tip ? xe : xs;
    const double guideTo = tip ? xe - bladePx : bladeEnd;
    for (int d = depths.count - 1; d >= 0; --d) {
        const double y = cutLevel(depths.px[d]);
        Line(dc, PointF{guideFrom, y}, PointF{guideTo, y});
        if (isDouble) {
            const double y2 = mirroredLevel(depths.px[d]);
            Line(dc, PointF{guideFrom, y2}, PointF{guideTo, y2});
        }
    }

    BittingRow row(bitting, n);
    for (int i = 0; i < n && key.spaces[i] != 0; ++i) {
        const double x = cutX(i);
        const bool even = i % 2 == 0;
        if (upper) {
            Line(dc, PointF{x, yL}, PointF{x, yL + w5});
            row.WriteDigit(dc, x - 4, 20, i);
            DrawValueText(dc, Trunc(x - 8), Trunc(yL + w5 + (even ? 15 : 5)), key.spaces[i]);
        }
        if (!upper || isDouble) {
            Line(dc, PointF{x, yU}, PointF{x, yU - w5});
            if (!upper) {
                row.WriteDigit(dc, x - 4, stopY2, i);
            }
            DrawValueText(dc, Trunc(x - 8), Trunc(yU - w5 - (even ? 25 : 15)), key.spaces[i]);
        }
    }

    dc.SelectPen(kOutlinePen);
    Polyline(dc, {{0, yU - w5}, {30, yU - w5}, {30, yU}, {xs, yU}});
    Polyline(dc, {{0, yL + w5}, {30, yL + w5}, {30, yL}, {xs, yL}});
    Line(dc, PointF{xb, yU}, PointF{xe, yU + w3});
    Polyline(dc, {{xb, yL}, {xe, yL - w3}, {xe, yU + w3 - 1}});

    const DepthLookup lookup(w, depths);
    const double edge = upper ? yU : yL;
    Profile profile{.start = {xs, edge}, .end = {xb, edge}};
    Profile mirrored{.start = {xs, yL}, .end = {xb, yL}};
    for (int i = 0; i < n; ++i) {
        const double x = cutX(i);
        const double halfFlat = (key.flats[i] / 10) * scale * 0.5;
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
        const double plainEdge = upper ? yL : yU;
        Line(dc, PointF{xs, plainEdge}, PointF{xb, plainEdge});
    }
}
