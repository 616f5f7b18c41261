#pragma once
// The update tool's bitmap buttons: each shows its focus picture while the mouse is over it,
// never for the keyboard focus alone, and draws its caption, if any, in white over the picture.

#include "platform/afx/bitmap_button.h"

class CBitmapButtonRe : public afx::BitmapButton {
  public:
    CBitmapButtonRe();
    ~CBitmapButtonRe() override;

    void DrawItem(afx::ItemPainter& painter, const afx::DrawItemState& state) override;
    void OnMouseMove() override;
    void OnMouseLeave() override;

    bool IsHovered() const { return m_bHover; }

  private:
    bool m_bHover = false;
};
