#pragma once
// Rectangles, points and sizes in window pixels, and the parsers of the skin's number lists.

#include <string>
#include <string_view>

namespace dui {

struct Point {
    int x = 0;
    int y = 0;
};

struct Size {
    int cx = 0;
    int cy = 0;
};

// left/top inclusive, right/bottom exclusive, as Win32 rectangles.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const Rect&) const = default;
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
