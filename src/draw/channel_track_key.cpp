// Channel-track keys (type 9): a channel of constant width along one side of the blade, its two
// walls stepping to the depth of each cut.

#include "draw/drawing_kit.h"
#include "draw/key_drawer.h"

using namespace draw;

namespace {
constexpr DrawerConstants kChannelConstants{30, 0, 0.5f, 1.0f};
constexpr platform::Pen kEndPen{platform::PenStyle::Solid, platform::Rgb(150, 150, 150)};
}  // namespace

void CKeyDrawer::DrawChannelTrackKey(platform::Canvas& dc, const KeyRect& rect,
                                     const Bitting& bitting) {
    const KeyParams& key = m_key;
    const int n = ClampCount(key.cutsPerGroup[0], kMaxCuts);
    const int longest = FarthestSpace(key, 0, n);
    const BladeLayout b = LayBlade(key, kChannelConstants, rect, longest, BladeEnd::Square);
    const int channel = key.internalDepth / 10;
    const int leadIn = key.internalDepth / 20;
    const bool upperSide = b.tip ? key.edgeSide != 0 : key.edgeSide != 1;
    const double s = upperSide ? 1 : -1;  // from the track edge into the blade
    const double yT = upperSide ? b.yU : b.yL;
    const double yO = upperSide ? b.yL : b.yU;
    const double stopY2 = rect.height - 30;

    PenScope penScope(dc);
    DrawStopLine(dc, b, rect);

    dc.SelectPen(kGuidePen);
    const DepthTable depths = ReadDepths(key.depths, 0, key.depthCount);
    for (int d = 0; d < depths.count; ++d) {
        const double y = yT + s * depths.px[d];
        Line(dc, PointF{b.StopX(), y}, PointF{b.CutsEnd(), y});
    }

    BittingRow row(bitting, n);
    for (int i = 0; i < n && key.spaces[i] != 0; ++i) {
        const double x = b.CutX(key.spaces[i]);
        const bool even = i % 2 == 0;
        Line(dc, PointF{x, yT}, PointF{x, yT - s * b.w5});
        row.WriteDigit(dc, x - 4, upperSide ? 20 : stopY2, i);
        const double labelY =
            upperSide ? b.yU - b.w5 - (even ? 25 : 15) : b.yL + b.w5 + (even ? 15 : 5);
        DrawValueText(dc, Trunc(x - 8), Trunc(labelY), key.spaces[i]);
    }

    dc.SelectPen(kOutlinePen);
    Line(dc, PointF{0, b.yU}, PointF{b.end, b.yU});
    Line(dc, PointF{0, b.yL}, PointF{b.end, b.yL});
    dc.SelectPen(kEndPen);
    Line(dc, PointF{b.end, b.yL}, PointF{b.end, b.yU});
    dc.SelectPen(kOutlinePen);

    // An entry of 0 lies two pixels beyond the deepest depth.
    const DepthLookup lookup(depths.LargestSignedUntilZero() + 2, depths);
    Track track;
    track.wallOffset = s * channel;
    for (int i = 0; i < n; ++i) {
        track.Add(TrackCut{b.CutX(key.spaces[i]), (key.flats[i] / 10) * b.scale * 0.5,
                           yT + s * lookup[row[i]]});
    }
    if (n > 0) {
        const TrackCut& first = track.cuts[0];
        track.leadIn = PointF{first.centre - first.halfFlat - leadIn, first.level + s * leadIn};
    }
    // The walls run out to the two corners of the blade's end.
    track.runOut = PointF{b.end, yT};
    track.runOutInner = PointF{b.end, yO};
    DrawTrack(dc, track);
}
