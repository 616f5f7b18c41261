#pragma once
// Points, rectangles, colours and fonts as the dialogs' code speaks of them: pixels, Windows
// colour references (0x00BBGGRR) and fonts given by face, point size and weight.

#include <cstdint>
#include <string>

#include "platform/geometry.h"

namespace afx {

using Point = platform::Point;
using Rect = platform::Rect;

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
