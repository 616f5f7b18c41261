#pragma once
// The owner-drawn bitmap button: four pictures (normal, pressed, focus, disabled) and a
// DrawItem that a derived button may replace, with mouse-move and mouse-leave hooks for hover.

#include <string>

#include "platform/afx/bitmap.h"
#include "platform/afx/geometry.h"
#include "platform/afx/wnd.h"

class QPainter;

namespace afx {

// The state of the button being drawn.
struct DrawItemState {
    Rect rect;
    bool selected = false;  // pressed
    bool disabled = false;
    bool focus = false;
};

// The surface DrawItem draws on, in the button's client coordinates and font.
class ItemPainter {
  public:
    explicit ItemPainter(QPainter& painter) : painter_(painter) {}
    void DrawBitmap(const Bitmap& bitmap, Point at);
    int TextWidth(const std::wstring& text) const;
    int TextHeight(const std::wstring& text) const;
    // Text on a transparent background; a disabled look draws it embossed in grey.
    void TextOut(Point at, const std::wstring& text, ColorRef color, bool disabledLook);

  private:
    QPainter& painter_;
};

class BitmapButton : public Wnd {
  public:
    BitmapButton();
    ~BitmapButton() override;

    // Pictures from image files; an empty name leaves that picture out.
    bool LoadBitmaps(const std::wstring& normal, const std::wstring& pressed = {},
                     const std::wstring& focus = {}, const std::wstring& disabled = {});
    // Makes the button the size of its normal picture.
    void SizeToContent();
    // Binds the button to a window and takes over its drawing.
    void Attach(QWidget* widget) override;

    // Draws the pressed picture while pressed, the focus one while focused, the disabled one
    // while disabled, else the normal one (each only when loaded).
    virtual void DrawItem(ItemPainter& painter, const DrawItemState& state);
    virtual void OnMouseMove() {}
    virtual void OnMouseLeave() {}

  protected:
    const Bitmap& normal() const { return normal_; }
    const Bitmap& pressed() const { return pressed_; }
    const Bitmap& focus() const { return focus_; }
    const Bitmap& disabled() const { return disabled_; }

  private:
    Bitmap normal_, pressed_, focus_, disabled_;
};

}  // namespace afx
