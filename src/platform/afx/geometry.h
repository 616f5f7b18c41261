#pragma once
// Points, rectangles, colours and fonts as the dialogs' code speaks of them: pixels, Windows
// colour references (0x00BBGGRR) and fonts given by face, point size and weight.

#include <cstdint>
#include <string>

namespace afx {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom lie just outside, as in a Windows RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

using ColorRef = uint32_t;
constexpr ColorRef Rgb(int r, int g, int b) {
    return static_cast<ColorRef>(r) | static_cast<ColorRef>(g) << 8 |
           static_cast<ColorRef>(b) << 16;
}

struct Font {
    std::wstring face = L"MS Shell Dlg";
    int pointSizeTenths = 80;
    int weight = 400;  // 700 is bold
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace afx
