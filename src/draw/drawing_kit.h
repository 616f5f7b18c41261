#pragma once
// What the key drawers share: pens, truncation of coordinates, guarded reads of the record's
// arrays, the blade's layout, the depth lookup, the bitting row with its cursor, and the two
// ways a row of cuts is traced (a single profile line, or a track of two walls).
//
// Records come from imported files, so no count or index read from one is trusted: every count
// is clamped to the array it counts and every read outside an array gives 0.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "draw/key_drawer.h"
#include "platform/gdi/canvas.h"

namespace draw {

constexpr int kMaxCuts = 32;
// The lookup table has 16 slots; slot 0 stands for a cut whose depth is not entered.
constexpr int kMaxDepths = 15;

constexpr platform::Pen kStopPen{platform::PenStyle::Dot, platform::Rgb(20, 20, 20)};
constexpr platform::Pen kGuidePen{platform::PenStyle::Solid, platform::Rgb(200, 200, 200)};
constexpr platform::Pen kOutlinePen{platform::PenStyle::Solid, platform::Rgb(0, 0, 0)};

struct PointF {
    double x = 0;
    double y = 0;
};

// Toward zero, saturating at the ends of int.
int Trunc(double value);

inline int ClampCount(int count, int room) {
    return count < 0 ? 0 : (count > room ? room : count);
}

template <typename T, size_t N>
int Entry(const T (&array)[N], long index) {
    return index >= 0 && index < static_cast<long>(N) ? static_cast<int>(array[index]) : 0;
}

// The largest of at(0) .. at(count - 1) compared as signed values, scanned in order and
// stopping after the first 0; never below 0.
template <typename At>
int LargestSignedUntilZero(int count, At at) {
    int largest = 0;
    for (int i = 0; i < count; ++i) {
        const int value = at(i);
        if (value > largest) {
            largest = value;
        }
        if (value == 0) {
            break;
        }
    }
    return largest;
}

// Each coordinate truncated toward zero as it is handed over.
void Line(platform::Canvas& dc, PointF from, PointF to);
void Polyline(platform::Canvas& dc, std::initializer_list<PointF> points);

// Remembers the pen in force and puts it back at the end of a drawing.
class PenScope {
  public:
    explicit PenScope(platform::Canvas& dc) : m_dc(dc), m_previous(dc.State().pen) {}
    ~PenScope() { m_dc.SelectPen(m_previous); }
    PenScope(const PenScope&) = delete;
    PenScope& operator=(const PenScope&) = delete;

  private:
    platform::Canvas& m_dc;
    platform::Pen m_previous;
};

// The blade: centred on the canvas's middle line, as wide as the key and a fifth longer than
// its farthest cut position. Positions count from the shoulder, or back from the blade's end
// for a key that stops at its tip.
enum class BladeEnd { Square, Bevelled };
struct BladeLayout {
    bool tip = false;  // the key stops at its tip
    double scale = 1;
    int lengthPx = 0;   // the blade
    double cutsPx = 0;  // the stretch the cuts lie in, up to the farthest position
    int w = 0;          // the width, its half, third and fifth
    double hw = 0;
    int w3 = 0;
    int w5 = 0;
    double y0 = 0;  // the middle line
    double yU = 0;  // the upper and lower edges
    double yL = 0;
    double x0 = 0;     // the shoulder
    double bevel = 0;  // where a bevelled end starts
    double end = 0;    // the square end, or the point of the bevel

    double StopX() const { return tip ? end : x0; }
    // The far end of the stretch of cuts, seen from the stop.
    double CutsEnd() const { return tip ? end - cutsPx : x0 + cutsPx; }
    double CutX(int32_t space) const {
        const double p = (space / 10) * scale;
        return tip ? end - p : x0 + p;
    }
};
BladeLayout LayBlade(const KeyParams& key, const DrawerConstants& k, const KeyRect& rect,
                     int farthest, BladeEnd shape);
// The largest of the cut positions first .. first + count - 1, as LargestSignedUntilZero scans.
int FarthestSpace(const KeyParams& key, int first, int count);
// The dotted stop line across the canvas at the blade's stop.
void DrawStopLine(platform::Canvas& dc, const BladeLayout& b, const KeyRect& rect);

// Depths in pixels, depths[first] .. depths[first + count - 1], at most kMaxDepths of them.
struct DepthTable {
    std::array<int, kMaxDepths> px{};
    int count = 0;
    int LargestSignedUntilZero() const;
};
DepthTable ReadDepths(const int32_t (&depths)[32], long first, int count);

// Slot n holds depth n (1-based); slot 0 the drawer's value for a cut not entered. An entry
// outside the table's depths is drawn as not entered.
class DepthLookup {
  public:
    DepthLookup(int notEntered, const DepthTable& table);
    int operator[](int32_t entry) const;

  private:
    std::array<int, kMaxDepths + 1> m_slots{};
    int m_count;
};

// The bitting padded with 0 to the cuts drawn. Digits are written as typed; the first 0
// written carries the cursor colour.
class BittingRow {
  public:
    BittingRow(const std::vector<int32_t>& bitting, int cuts);
    int32_t operator[](int cut) const { return cut >= 0 && cut < kMaxCuts ? m_entries[cut] : 0; }
    void WriteDigit(platform::Canvas& dc, double x, double y, int cut);

  private:
    std::array<int32_t, kMaxCuts> m_entries{};
    bool m_cursorGiven = false;
};

// A profile line over a row of cuts: from start, each cut's flat at its level joined by slopes,
// to end. The slope toward the next cut ends half of this cut's flat before the next centre.
struct ProfileCut {
    double x = 0;
    double halfFlat = 0;
    double level = 0;
};
struct Profile {
    PointF start;
    PointF end;
    std::array<ProfileCut, kMaxCuts> cuts{};
    int count = 0;
    void Add(ProfileCut cut);
};
// The pieces of cut i: its flat, the lead-in when it is the first, then the slope to the next
// cut or, for the last, to the end. A lone cut is first and last at once.
void DrawProfileCut(platform::Canvas& dc, const Profile& profile, int i);
// Every cut in turn; with no cut a straight line from start to end.
void DrawProfile(platform::Canvas& dc, const Profile& profile);

// A track of two walls wallOffset apart (signed, into the blade): each cut a pair of floors,
// two lead-in lines from leadIn to the first floors, joins from cut to cut, and two run-outs from
// the last floors to runOut and runOutInner. With no cut nothing is drawn.
struct TrackCut {
    double centre = 0;
    double halfFlat = 0;
    double level = 0;
};
struct Track {
    std::array<TrackCut, kMaxCuts> cuts{};
    int count = 0;
    double wallOffset = 0;
    PointF leadIn;
    PointF runOut;
    PointF runOutInner;
    void Add(TrackCut cut);
};
void DrawTrack(platform::Canvas& dc, const Track& track);

}  // namespace draw
