// Dimple keys (type 8) and dimple keys with a track (type 7): rows of circular cuts in the flat
// of the blade, and for type 7 a track of two walls along one edge.

#include <algorithm>

#include "draw/drawing_kit.h"
#include "draw/key_drawer.h"

using namespace draw;

namespace {

constexpr DrawerConstants kDimpleConstants{30, 10, 0.5f, 1.0f};
constexpr int kTrackWall = 15;  // the track's second wall, this far into the blade
constexpr int kTrackLeadIn = 7;
constexpr int kTrackRunOut = 2;

// The values both drawers work out before they draw.
struct Layout : BladeLayout {
    std::array<int32_t, kMaxCuts> spaces{};  // the first spaceCount positions, then zeros
    int g1 = 0;
    int g2 = 0;
    int g3 = 0;

    int Space(int index) const { return index >= 0 && index < kMaxCuts ? spaces[index] : 0; }
};

Layout MakeLayout(const KeyParams& key, const KeyRect& rect) {
    Layout l;
    const int known = ClampCount(key.spaceCount, kMaxCuts);
    std::copy_n(key.spaces, known, l.spaces.begin());
    l.g1 = ClampCount(key.cutsPerGroup[0], kMaxCuts);
    l.g2 = ClampCount(key.cutsPerGroup[1], kMaxCuts - l.g1);
    l.g3 = ClampCount(key.cutsPerGroup[2], kMaxCuts - l.g1 - l.g2);
    const int longest = LargestSignedUntilZero(l.g1, [&l](int i) { return l.spaces[i]; });
    static_cast<BladeLayout&>(l) =
        LayBlade(key, kDimpleConstants, rect, longest, BladeEnd::Bevelled);
    return l;
}

// The marks and labels of group 1, up to its first 0 position, below and/or above the blade.
void DrawGroupOneMarks(platform::Canvas& dc, const Layout& l, bool below, bool above) {
    for (int i = 0; i < l.g1 && l.spaces[i] != 0; ++i) {
        const double x = l.CutX(l.spaces[i]);
        const bool even = i % 2 == 0;
        if (below) {
            const double y = l.yL;
            Line(dc, PointF{x, y}, PointF{x, y + l.w5});
            CKeyDrawer::DrawValueText(dc, Trunc(x - 8), Trunc(y + l.w5 + (even ? 15 : 5)),
                                      l.spaces[i]);
        }
        if (above) {
            const double y = l.yU;
            Line(dc, PointF{x, y}, PointF{x, y - l.w5});
            CKeyDrawer::DrawValueText(dc, Trunc(x - 8), Trunc(y - l.w5 - (even ? 25 : 15)),
                                      l.spaces[i]);
        }
    }
}

// The handle stub and both blade edges up to xEnd.
void DrawBladeSides(platform::Canvas& dc, const Layout& l, double xEnd) {
    Polyline(dc, {{0, l.yU - l.w5}, {30, l.yU - l.w5}, {30, l.yU}, {40, l.yU}, {xEnd, l.yU}});
    Polyline(dc, {{0, l.yL + l.w5}, {30, l.yL + l.w5}, {30, l.yL}, {40, l.yL}, {xEnd, l.yL}});
}

// Two circles, radius 10 and 5, in the canvas's current brush.
void DrawDimple(platform::Canvas& dc, double xc, double yc) {
    for (const int r : {10, 5}) {
        dc.Ellipse(Trunc(xc - r), Trunc(yc - r), Trunc(xc + r), Trunc(yc + r));
    }
}

// Every position of group first .. first + count - 1 gets a dimple, a 0 position included.
void DrawDimpleRow(platform::Canvas& dc, const Layout& l, int first, int count, double yc) {
    for (int i = first; i < first + count; ++i) {
        DrawDimple(dc, l.CutX(l.Space(i)), yc);
    }
}

}  // namespace

void CKeyDrawer::DrawDimpleKey(platform::Canvas& dc, const KeyRect& rect, const Bitting&) {
    const KeyParams& key = m_key;
    const Layout l = MakeLayout(key, rect);
    const bool twoRows = key.groupCount > 2;
    const bool lowerMarks = key.edgeSide == 0 || twoRows;
    const bool upperMarks = key.edgeSide != 0 || twoRows;

    PenScope penScope(dc);
    DrawStopLine(dc, l, rect);
    dc.SelectPen(kGuidePen);
    DrawGroupOneMarks(dc, l, lowerMarks, upperMarks);

    dc.SelectPen(kOutlinePen);
    DrawBladeSides(dc, l, l.bevel);
    Line(dc, PointF{l.bevel, l.yU}, PointF{l.end, l.yU + l.w3});
    Polyline(dc, {{l.bevel, l.yL}, {l.end, l.yL - l.w3}, {l.end, l.yU + l.w3 - 1}});

    const int a = key.edgeDistances[0] / 10;
    DrawDimpleRow(dc, l, 0, l.g1, lowerMarks ? l.yU + a : l.yL - a);
    if (twoRows) {
        // The second row is measured from the upper edge whichever edge was chosen; group 2's
        // positions are skipped.
        const int b = key.edgeDistances[3] / 10;
        DrawDimpleRow(dc, l, l.g1 + l.g2, l.g3, l.yU + b);
    }
}

void CKeyDrawer::DrawDimpleTrackKey(platform::Canvas& dc, const KeyRect& rect,
                                    const Bitting& bitting) {
    const KeyParams& key = m_key;
    const Layout l = MakeLayout(key, rect);
    const bool trackUpper = key.edgeSide == 0;
    const double s = trackUpper ? 1 : -1;  // from the track edge into the blade
    const double yT = trackUpper ? l.yU : l.yL;
    const int trackFirst = l.g1 + l.g2;
    // The track's flats follow twice the first group's count, not the first two groups.
    auto trackFlat = [&](int k) { return Entry(key.flats, 2L * l.g1 + k); };
    const DepthTable depths =
        ReadDepths(key.depths, static_cast<long>(key.depthsPerGroup[0]) + key.depthsPerGroup[1],
                   key.depthsPerGroup[2]);
    BittingRow row(bitting, l.g3);

    PenScope penScope(dc);
    DrawStopLine(dc, l, rect);
    dc.SelectPen(kGuidePen);
    for (int d = 0; d < depths.count; ++d) {
        const double y = yT + s * depths.px[d];
        Line(dc, PointF{l.StopX(), y}, PointF{l.CutsEnd(), y});
    }
    for (int k = 0; k < l.g3; ++k) {
        const int32_t position = l.Space(trackFirst + k);
        const double x = l.CutX(position);
        row.WriteDigit(dc, x - 4, trackUpper ? 20 : rect.height - 30, k);
        Line(dc, PointF{x, yT}, PointF{x, yT - s * l.w5});
        const int offset = k % 2 == 0 ? 15 : 5;
        DrawValueText(dc, Trunc(x - 8), Trunc(yT - s * (l.w5 + offset)), position);
    }
    DrawGroupOneMarks(dc, l, trackUpper, !trackUpper);

    dc.SelectPen(kOutlinePen);
    DrawBladeSides(dc, l, l.end);
    Line(dc, PointF{l.end, l.yL}, PointF{l.end, l.yU});

    const int a = key.edgeDistances[0] / 10;
    DrawDimpleRow(dc, l, 0, l.g1, trackUpper ? l.yU + a : l.yL - a);

    // An entry of 0 lies two pixels beyond the deepest depth.
    const DepthLookup lookup(depths.LargestSignedUntilZero() + 2, depths);
    Track track;
    track.wallOffset = s * kTrackWall;
    for (int k = 0; k < l.g3; ++k) {
        track.Add(TrackCut{l.CutX(l.Space(trackFirst + k)), (trackFlat(k) / 10) * l.scale * 0.5,
                           yT + s * lookup[row[k]]});
    }
    if (track.count > 0) {
        const TrackCut& first = track.cuts[0];
        const TrackCut& last = track.cuts[track.count - 1];
        track.leadIn =
            PointF{first.centre - first.halfFlat - kTrackLeadIn, first.level + s * kTrackLeadIn};
        const double xEnd = l.tip ? l.end : 30 + l.lengthPx * l.scale + l.w3;
        track.runOut = PointF{xEnd, last.level - s * kTrackRunOut};
        track.runOutInner = PointF{xEnd, last.level + s * (kTrackWall + kTrackRunOut)};
    }
    DrawTrack(dc, track);
}
