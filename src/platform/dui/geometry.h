#pragma once
// Rectangles, points and sizes in window pixels, and the parsers of the skin's number lists.

#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace dui {

using Point = platform::Point;
using Rect = platform::Rect;

struct Size {
    int cx = 0;
    int cy = 0;
};

// "l,t,r,b" (missing numbers stay 0); false when the text holds no number at all.
bool ParseRect(std::wstring_view text, Rect& out);
// "cx,cy".
bool ParseSize(std::wstring_view text, Size& out);
// "#AARRGGBB", "#RRGGBB" or "0xAARRGGBB"; an RGB colour is opaque.
bool ParseColor(std::wstring_view text, unsigned& argb);
// The leading decimal integer, as _ttoi reads it (0 when there is none).
int ParseInt(std::wstring_view text);
bool ParseBool(std::wstring_view text);

}  // namespace dui
