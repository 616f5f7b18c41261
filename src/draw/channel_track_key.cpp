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
    const DrawerConstants& k = kChannelConstants;
    const KeyParams& key = key_;
    const double scale = k.scale;
    const double x0 = k.handleLength;
    const int n = ClampCount(key.cutsPerGroup[0], kMaxCuts);
    const int longest = LargestUntilZero(n, [&](int i) { return key.spaces[i]; });
    const int bladeLenPx = Trunc(longest * 1.2) / 10;
    const double bladePx = (longest / 10) * scale;
    const int w = key.keyWidth / 10;
    const double hw = w * k.halfFactor;
    const int w5 = w / 5;
    const double y0 = rect.height / 2;
    const double xEnd = bladeLenPx * scale + x0;
    const int channel = key.internalDepth / 10;
    const int leadIn = key.internalDepth / 20;
    const bool tip = key.locating != 0;
    const bool upperSide = tip ? key.edgeSide != 0 : key.edgeSide != 1;
    const double s = upperSide ? 1 : -1;  // from the track edge into the blade
    const double yT = upperSide ? y0 - hw : y0 + hw;
    const double yO = upperSide ? y0 + hw : y0 - hw;
    const double stopY2 = rect.height - 30;

    auto cutX = [&](int i) {
        const double p = (key.spaces[i] / 10) * scale;
        return tip ? xEnd - p : x0 + p;
    };

    PenScope penScope(dc);
    dc.SelectPen(kStopPen);
    const double stopX = tip ? Trunc(xEnd) : x0;
    Line(dc, PointF{stopX, 30}, PointF{stopX, stopY2});

    dc.SelectPen(kGuidePen);
    const DepthTable depths = ReadDepths(key.depths, 0, key.depthCount);
    for (int d = 0; d < depths.count; ++d) {
        const double y = yT + s * depths.px[d];
        if (tip) {
            Line(dc, PointF{stopX, y}, PointF{static_cast<double>(Trunc(xEnd - bladePx)), y});
        } else {
            Line(dc, PointF{x0, y}, PointF{static_cast<double>(Trunc(x0 + bladePx)), y});
        }
    }

    BittingRow row(bitting, n);
    for (int i = 0; i < n && key.spaces[i] != 0; ++i) {
        const double x = cutX(i);
        const bool even = i % 2 == 0;
        Line(dc, PointF{x, yT}, PointF{x, yT - s * w5});
        row.WriteDigit(dc, x - 4, upperSide ? 20 : stopY2, i);
        const double labelY =
            upperSide ? y0 - hw - w5 - (even ? 25 : 15) : y0 + hw + w5 + (even ? 15 : 5);
        DrawValueText(dc, Trunc(x - 8), Trunc(labelY), key.spaces[i]);
    }

    dc.SelectPen(kOutlinePen);
    Line(dc, PointF{0, y0 - hw}, PointF{xEnd, y0 - hw});
    Line(dc, PointF{0, y0 + hw}, PointF{xEnd, y0 + hw});
    dc.SelectPen(kEndPen);
    Line(dc, PointF{xEnd, y0 + hw}, PointF{xEnd, y0 - hw});
    dc.SelectPen(kOutlinePen);

    // An entry of 0 lies two pixels beyond the deepest depth.
    const DepthLookup lookup(depths.LargestUntilZero() + 2, depths);
    Track track;
    track.wallOffset = s * channel;
    for (int i = 0; i < n; ++i) {
        track.Add(TrackCut{cutX(i), (key.flats[i] / 10) * scale * 0.5, yT + s * lookup[row[i]]});
    }
    if (n > 0) {
        const TrackCut& first = track.cuts[0];
        track.leadIn = PointF{first.centre - first.halfFlat - leadIn, first.level + s * leadIn};
    }
    // The walls run out to the two corners of the blade's end.
    track.runOut = PointF{static_cast<double>(Trunc(xEnd)), yT};
    track.runOutInner = PointF{static_cast<double>(Trunc(xEnd)), yO};
    DrawTrack(dc, track);
}
