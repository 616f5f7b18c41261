#include "ui/bitmap_button_re.h"

namespace {

constexpr afx::ColorRef kCaptionColour = 0xFFFFFF;

}  // namespace

CBitmapButtonRe::CBitmapButtonRe() = default;
CBitmapButtonRe::~CBitmapButtonRe() = default;

void CBitmapButtonRe::OnMouseMove() {
    if (!m_bHover) {
        m_bHover = true;
        Invalidate();
    }
}

void CBitmapButtonRe::OnMouseLeave() {
    m_bHover = false;
    Invalidate();
}

void CBitmapButtonRe::DrawItem(afx::ItemPainter& painter, const afx::DrawItemState& state) {
    const afx::Bitmap* shown = &normal();
    if (state.selected && !pressed().IsNull()) {
        shown = &pressed();
    } else if (state.disabled && !disabled().IsNull()) {
        shown = &disabled();
    } else if (m_bHover && !focus().IsNull()) {
        shown = &focus();
    }
    const afx::Rect& r = state.rect;
    painter.DrawBitmap(*shown, afx::Point{r.left, r.top});

    std::wstring caption = GetWindowText().substr(0, 260);
    int x = (r.left + r.right) / 2 - painter.TextWidth(caption) / 2;
    int y = (r.top + r.bottom) / 2 - painter.TextHeight(caption) / 2;
    if (state.selected) {
        ++x;
        ++y;
    }
    painter.TextOut(afx::Point{x, y}, caption, kCaptionColour, state.disabled);
}
