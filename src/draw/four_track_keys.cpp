// Four-track keys, external (type 4) and internal (type 5): one or two groups of cuts whose
// marks stand over and under the blade, and two profiles or walls along it.

#include "draw/drawing_kit.h"
#include "draw/key_drawer.h"

using namespace draw;

namespace {

constexpr DrawerConstants kExternalConstants{30, 10, 0.5f, 1.0f};
constexpr DrawerConstants kInternalConstants{30, 0, 0.5f, 1.0f};
constexpr platform::Pen kBladePen{platform::PenStyle::Solid, platform::Rgb(140, 140, 140)};
constexpr platform::Pen kInternalEndPen{platform::PenStyle::Solid, platform::Rgb(200, 200, 200)};

// The values both drawers work out before they draw.
struct Layout : BladeLayout {
    Layout(const KeyParams& k, const BladeLayout& blade) : BladeLayout(blade), key(k) {}
    const KeyParams& key;
    bool twoGroups = false;
    int k1 = 0;  // cuts of group 1: 0 .. k1 - 1
    int k2 = 0;  // cuts of group 2: k1 .. n - 1
    int n = 0;
    DepthTable depths;
    int r1 = 0;
    int r2 = 0;
    double xT = 0;

    double X(int cut) const { return CutX(key.spaces[cut]); }
    double HalfFlat(int cut) const { return (key.flats[cut] / 10) * scale * 0.5; }
};

Layout MakeLayout(const KeyParams& key, const DrawerConstants& k, const KeyRect& rect) {
    const bool twoGroups = key.groupCount != 1;
    const int k1 = ClampCount(key.cutsPerGroup[0], kMaxCuts);
    const int k2 = twoGroups ? ClampCount(key.cutsPerGroup[1], kMaxCuts - k1) : 0;
    Layout l(key, LayBlade(key, k, rect, FarthestSpace(key, 0, k1 + k2), BladeEnd::Square));
    l.twoGroups = twoGroups;
    l.k1 = k1;
    l.k2 = k2;
    l.n = k1 + k2;
    l.depths = ReadDepths(key.depths, 0, twoGroups ? key.depthCount / 2 : key.depthCount);
    l.r1 = FarthestSpace(key, 0, k1);
    l.r2 = FarthestSpace(key, k1, k2);
    const double r1px = (l.r1 / 10) * l.scale;
    l.xT = l.x0 + r1px + Trunc(l.lengthPx * l.scale - r1px);
    return l;
}

void DrawStopAndGuides(platform::Canvas& dc, const Layout& l, const KeyRect& rect) {
    DrawStopLine(dc, l, rect);
    dc.SelectPen(kGuidePen);
    const double dir = l.tip ? -1 : 1;
    const double firstEnd = l.StopX() + dir * (l.r1 / 10) * l.scale;
    const double secondEnd =
        !l.twoGroups ? firstEnd : (l.tip ? l.StopX() - l.r2 / 10 : l.x0 + l.r2 / 10);
    for (int d = 0; d < l.depths.count; ++d) {
        const double yUpper = l.yU + l.depths.px[d];
        const double yLower = l.yL - l.depths.px[d];
        Line(dc, PointF{l.StopX(), yUpper}, PointF{firstEnd, yUpper});
        Line(dc, PointF{l.StopX(), yLower}, PointF{secondEnd, yLower});
    }
}

// One row of marks with their labels and, where the row carries them, the bitting digits.
struct Row {
    int first;
    int count;
    bool below;
    bool digits;
    int evenOffset;  // label distance past the mark, by the cut's place in the row
    int oddOffset;
    bool stopsAtZero;
};

void DrawRow(platform::Canvas& dc, const Layout& l, const KeyRect& rect, const Row& row,
             BittingRow& bitting) {
    for (int j = 0; j < row.count; ++j) {
        const int c = row.first + j;
        if (row.stopsAtZero && l.key.spaces[c] == 0) {
            break;
        }
        const double x = l.X(c);
        const double edge = row.below ? l.yL : l.yU;
        const double out = row.below ? 1 : -1;
        Line(dc, PointF{x, edge}, PointF{x, edge + out * l.w5});
        if (row.digits) {
            bitting.WriteDigit(dc, x - 4, row.below ? rect.height - 30 : 20, c);
        }
        const int offset = j % 2 == 0 ? row.evenOffset : row.oddOffset;
        CKeyDrawer::DrawValueText(dc, Trunc(x - 8), Trunc(edge + out * (l.w5 + offset)),
                                  l.key.spaces[c]);
    }
}

// Cuts first .. first + count - 1, taking the bitting entries from firstEntry on.
void AddCuts(Profile& profile, const Layout& l, int first, int count, int firstEntry,
             const BittingRow& bitting, const DepthLookup& lookup, double edge, double inward) {
    for (int q = 0; q < count; ++q) {
        const int c = first + q;
        const double level = edge + inward * lookup[bitting[firstEntry + q]];
        profile.Add(ProfileCut{l.X(c), l.HalfFlat(c), level});
    }
}

}  // namespace

void CKeyDrawer::DrawExternal4TrackKey(platform::Canvas& dc, const KeyRect& rect,
                                       const Bitting& bitting) {
    const Layout l = MakeLayout(m_key, kExternalConstants, rect);
    BittingRow row(bitting, l.n);
    PenScope penScope(dc);
    DrawStopAndGuides(dc, l, rect);

    DrawRow(dc, l, rect, Row{0, l.k1, false, true, 25, 15, !l.tip}, row);
    if (l.twoGroups) {
        DrawRow(dc, l, rect, Row{l.k1, l.k2, true, true, 15, 5, true}, row);
    } else {
        DrawRow(dc, l, rect, Row{0, l.k1, true, false, 15, 5, l.tip}, row);
    }

    dc.SelectPen(kOutlinePen);
    Polyline(dc, {{0, l.yU - l.w5}, {30, l.yU - l.w5}, {30, l.yU}, {40, l.yU}});
    Polyline(dc, {{0, l.yL + l.w5}, {30, l.yL + l.w5}, {30, l.yL}, {40, l.yL}});
    dc.SelectPen(kBladePen);
    dc.LineTo(Trunc(l.end), Trunc(l.yL));
    dc.LineTo(Trunc(l.end), Trunc(l.yU));
    dc.LineTo(40, Trunc(l.yU));

    // An entry of 0 (slot w) leaves the position on the profile's own edge.
    dc.SelectPen(kOutlinePen);
    const DepthLookup lookup(l.w, l.depths);
    Profile upperEdge{.start = {40, l.yU}, .end = {l.xT, l.y0}};
    Profile lowerEdge{.start = {40, l.yL}, .end = {l.xT, l.y0}};
    if (l.twoGroups) {
        // The entries run in order over group 2's positions on the upper edge, then over
        // group 1's on the lower edge.
        AddCuts(upperEdge, l, l.k1, l.k2, 0, row, lookup, l.yL, -1);
        AddCuts(lowerEdge, l, 0, l.k1, l.k2, row, lookup, l.yU, 1);
    } else {
        AddCuts(upperEdge, l, 0, l.k1, 0, row, lookup, l.yL, -1);
        AddCuts(lowerEdge, l, 0, l.k1, 0, row, lookup, l.yU, 1);
    }
    DrawProfile(dc, upperEdge);
    DrawProfile(dc, lowerEdge);
}

void CKeyDrawer::DrawInternal4TrackKey(platform::Canvas& dc, const KeyRect& rect,
                                       const Bitting& bitting) {
    const Layout l = MakeLayout(m_key, kInternalConstants, rect);
    BittingRow row(bitting, l.n);
    PenScope penScope(dc);
    DrawStopAndGuides(dc, l, rect);

    const int belowEven = l.tip ? 15 : 25;
    const int belowOdd = l.tip ? 5 : 15;
    DrawRow(dc, l, rect, Row{0, l.k1, false, true, 25, 15, true}, row);
    if (l.twoGroups) {
        DrawRow(dc, l, rect, Row{l.k1, l.k2, true, true, belowEven, belowOdd, l.tip}, row);
    } else {
        DrawRow(dc, l, rect, Row{0, l.k1, true, false, belowEven, belowOdd, true}, row);
    }

    dc.SelectPen(kOutlinePen);
    Line(dc, PointF{0, l.yU}, PointF{l.end, l.yU});
    Line(dc, PointF{0, l.yL}, PointF{l.end, l.yL});
    dc.SelectPen(kInternalEndPen);
    dc.LineTo(Trunc(l.end), Trunc(l.yU - 1));

    // An entry of 0 lies one pixel beyond the deepest depth.
    dc.SelectPen(kOutlinePen);
    const DepthLookup lookup(l.depths.LargestSignedUntilZero() + 1, l.depths);
    Profile upperWall{.start = {30, l.y0}, .end = {l.xT, l.yU}};
    Profile lowerWall{.start = {30, l.y0}, .end = {l.xT, l.yL}};
    AddCuts(upperWall, l, 0, l.k1, 0, row, lookup, l.yU, 1);
    if (l.twoGroups) {
        AddCuts(lowerWall, l, l.k1, l.k2, l.k1, row, lookup, l.yL, -1);
    } else {
        AddCuts(lowerWall, l, 0, l.k1, 0, row, lookup, l.yL, -1);
    }
    DrawProfile(dc, upperWall);
    DrawProfile(dc, lowerWall);
}
