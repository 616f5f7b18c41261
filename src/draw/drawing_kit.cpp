#include "draw/drawing_kit.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "draw/key_drawer.h"

namespace draw {

int Trunc(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::clamp(std::trunc(value), double{INT_MIN}, double{INT_MAX}));
}

void Line(platform::Canvas& dc, PointF from, PointF to) {
    dc.MoveTo(Trunc(from.x), Trunc(from.y));
    dc.LineTo(Trunc(to.x), Trunc(to.y));
}

void Polyline(platform::Canvas& dc, std::initializer_list<PointF> points) {
    bool first = true;
    for (const PointF& p : points) {
        if (first) {
            dc.MoveTo(Trunc(p.x), Trunc(p.y));
            first = false;
        } else {
            dc.LineTo(Trunc(p.x), Trunc(p.y));
        }
    }
}

BladeLayout LayBlade(const KeyParams& key, const DrawerConstants& k, const KeyRect& rect,
                     int farthest, BladeEnd shape) {
    BladeLayout b;
    b.tip = key.locating != 0;
    b.scale = k.scale;
    b.lengthPx = Trunc(farthest * 1.2) / 10;
    b.cutsPx = (farthest / 10) * b.scale;
    b.w = key.keyWidth / 10;
    b.hw = b.w * k.halfFactor;
    b.w3 = b.w / 3;
    b.w5 = b.w / 5;
    b.y0 = rect.height / 2;
    b.yU = b.y0 - b.hw;
    b.yL = b.y0 + b.hw;
    b.x0 = k.handleLength + k.shoulderGap;
    if (shape == BladeEnd::Bevelled) {
        const int tipLen = Trunc(b.lengthPx * b.scale - b.cutsPx - b.w3);
        b.bevel = b.x0 + b.cutsPx + tipLen + b.w5;
        b.end = b.bevel + b.w3;
    } else {
        b.end = b.x0 + b.lengthPx * b.scale;
    }
    return b;
}

int FarthestSpace(const KeyParams& key, int first, int count) {
    return LargestSignedUntilZero(count, [&](int i) { return Entry(key.spaces, first + i); });
}

void DrawStopLine(platform::Canvas& dc, const BladeLayout& b, const KeyRect& rect) {
    dc.SelectPen(kStopPen);
    Line(dc, PointF{b.StopX(), 30}, PointF{b.StopX(), rect.height - 30.0});
}

int DepthTable::LargestSignedUntilZero() const {
    return draw::LargestSignedUntilZero(count, [this](int i) { return px[i]; });
}

DepthTable ReadDepths(const int32_t (&depths)[32], long first, int count) {
    DepthTable table;
    table.count = ClampCount(count, kMaxDepths);
    for (int k = 0; k < table.count; ++k) {
        table.px[k] = Entry(depths, first + k) / 10;
    }
    return table;
}

DepthLookup::DepthLookup(int notEntered, const DepthTable& table) : m_count(table.count) {
    m_slots[0] = notEntered;
    for (int n = 1; n <= m_count; ++n) {
        m_slots[n] = table.px[n - 1];
    }
}

int DepthLookup::operator[](int32_t entry) const {
    return entry >= 1 && entry <= m_count ? m_slots[entry] : m_slots[0];
}

BittingRow::BittingRow(const std::vector<int32_t>& bitting, int cuts) {
    const size_t used = std::min(bitting.size(), static_cast<size_t>(ClampCount(cuts, kMaxCuts)));
    std::copy_n(bitting.begin(), used, m_entries.begin());
}

void BittingRow::WriteDigit(platform::Canvas& dc, double x, double y, int cut) {
    const int32_t value = (*this)[cut];
    const bool isCursor = value == 0 && !m_cursorGiven;
    m_cursorGiven = m_cursorGiven || isCursor;
    CKeyDrawer::DrawCodeText(dc, Trunc(x), Trunc(y), value, isCursor ? 1 : 0);
}

void Profile::Add(ProfileCut cut) {
    if (count < kMaxCuts) {
        cuts[count++] = cut;
    }
}

void DrawProfileCut(platform::Canvas& dc, const Profile& profile, int i) {
    const ProfileCut& cut = profile.cuts[i];
    const PointF left{cut.x - cut.halfFlat, cut.level};
    const PointF right{cut.x + cut.halfFlat, cut.level};
    Line(dc, left, right);
    if (i == 0) {
        Line(dc, profile.start, left);
    }
    if (i + 1 < profile.count) {
        const ProfileCut& next = profile.cuts[i + 1];
        Line(dc, right, PointF{next.x - cut.halfFlat, next.level});
    } else {
        Line(dc, right, profile.end);
    }
}

void DrawProfile(platform::Canvas& dc, const Profile& profile) {
    if (profile.count == 0) {
        Line(dc, profile.start, profile.end);
    }
    for (int i = 0; i < profile.count; ++i) {
        DrawProfileCut(dc, profile, i);
    }
}

void Track::Add(TrackCut cut) {
    if (count < kMaxCuts) {
        cuts[count++] = cut;
    }
}

void DrawTrack(platform::Canvas& dc, const Track& track) {
    const double inner = track.wallOffset;
    for (int k = 0; k < track.count; ++k) {
        const TrackCut& cut = track.cuts[k];
        const double left = cut.centre - cut.halfFlat;
        const double right = cut.centre + cut.halfFlat;
        Line(dc, PointF{left, cut.level}, PointF{right, cut.level});
        Line(dc, PointF{left, cut.level + inner}, PointF{right, cut.level + inner});
        if (k == 0) {
            Line(dc, track.leadIn, PointF{left, cut.level});
            Line(dc, track.leadIn, PointF{left, cut.level + inner});
        }
        if (k + 1 < track.count) {
            const TrackCut& next = track.cuts[k + 1];
            const double joinX = next.centre - cut.halfFlat;
            Line(dc, PointF{right, cut.level}, PointF{joinX, next.level});
            Line(dc, PointF{right, cut.level + inner}, PointF{joinX, next.level + inner});
        } else {
            Line(dc, PointF{right, cut.level}, track.runOut);
            Line(dc, PointF{right, cut.level + inner}, track.runOutInner);
        }
    }
}

}  // namespace draw
