#pragma once
// CKeyDrawer draws the schematic of one key to scale on the key pane's canvas: blade, cuts,
// depth guide lines, stop line, cut positions and the bitting entered so far.

#include <cstdint>
#include <vector>

#include "model/key_records.h"
#include "platform/gdi/canvas.h"

// Each drawer's fixed layout values. shoulderGap is 0 for the drawers whose keys have no
// shoulder step (types 3, 5 and 9).
struct DrawerConstants {
    int32_t handleLength;
    int32_t shoulderGap;
    float halfFactor;
    float scale;
};

// The canvas's place in the pane: left, top, width, height. The drawers read its height.
struct KeyRect {
    int left;
    int top;
    int width;
    int height;
};

class CKeyDrawer {
  public:
    static constexpr int kCanvasWidth = 465;
    static constexpr int kCanvasHeight = 286;
    static constexpr KeyRect kKeyRect{14, 38, kCanvasWidth, kCanvasHeight};

    explicit CKeyDrawer(platform::Canvas& canvas) : m_canvas(canvas) {}

    // Clears the canvas and draws key with its bitting: one entry per cut, 0 for a cut whose
    // depth is not entered yet, n for the key's n-th depth.
    void DrawKey(const KeyParams& key, const std::vector<int32_t>& bitting);

    // The key of the last drawing.
    const KeyParams& Key() const { return m_key; }

    // A number in the small black font.
    static void DrawValueText(platform::Canvas& dc, int x, int y, int32_t value);
    // A bitting digit in the large font; the cursor colour marks the next cut to enter.
    static void DrawCodeText(platform::Canvas& dc, int x, int y, int32_t value, int32_t isCursor);

  private:
    using Bitting = std::vector<int32_t>;
    void DrawStandardKey(platform::Canvas& dc, const KeyRect& rect, const Bitting& bitting);
    void DrawExternal2TrackKey(platform::Canvas& dc, const KeyRect& rect, const Bitting& bitting);
    void DrawExternal4TrackKey(platform::Canvas& dc, const KeyRect& rect, const Bitting& bitting);
    void DrawInternal4TrackKey(platform::Canvas& dc, const KeyRect& rect, const Bitting& bitting);
    void DrawChannelTrackKey(platform::Canvas& dc, const KeyRect& rect, const Bitting& bitting);
    void DrawDimpleKey(platform::Canvas& dc, const KeyRect& rect, const Bitting& bitting);
    void DrawDimpleTrackKey(platform::Canvas& dc, const KeyRect& rect, const Bitting& bitting);

    platform::Canvas& m_canvas;
    KeyParams m_key{};
};
