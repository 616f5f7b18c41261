#include "platform/gdi/canvas.h"

#include <utility>

namespace platform {

void Canvas::LineTo(int x, int y) {
    const Point to{x, y};
    DrawLine(state_.position, to);
    state_.position = to;
}

void Canvas::Ellipse(int left, int top, int right, int bottom) {
    DrawEllipse(Point{left, top}, Point{right, bottom});
}

void Canvas::TextOut(int x, int y, std::wstring_view text) {
    DrawText(Point{x, y}, text);
}

Pen Canvas::SelectPen(Pen pen) {
    return std::exchange(state_.pen, std::move(pen));
}

Font Canvas::SelectFont(Font font) {
    return std::exchange(state_.font, std::move(font));
}

Color Canvas::SetTextColor(Color color) {
    return std::exchange(state_.textColor, color);
}

BkMode Canvas::SetBkMode(BkMode mode) {
    return std::exchange(state_.bkMode, mode);
}

Color Canvas::SetBkColor(Color color) {
    return std::exchange(state_.bkColor, color);
}

}  // namespace platform
