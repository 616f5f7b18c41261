// Pictures of the key information pane: the keypad buttons and the clamp pictures.

#include "images.h"
#include "key_pictures.h"
#include "paint.h"

namespace skin {

namespace {

constexpr int kClampWidth = 283;
constexpr int kClampHeight = 134;

// Four frames of 56 × 44.
QImage KeypadButton() {
    QImage image = NewImage(4 * 56, 44);
    QPainter painter(&image);
    Prepare(painter);
    for (int frame = 0; frame < 4; ++frame) {
        DrawButtonFace(painter, QRectF(frame * 56, 0, 56, 44).adjusted(2, 2, -2, -2),
                       kButtonStates[frame], Look::Secondary);
    }
    return image;
}

// A strip of five clamp pictures, one per jaw.
QImage ClampStrip() {
    QImage image = NewImage(5 * kClampWidth, kClampHeight);
    QPainter painter(&image);
    Prepare(painter);
    for (int slot = 0; slot < 5; ++slot) {
        DrawClamp(painter, QRectF(slot * kClampWidth, 0, kClampWidth, kClampHeight), slot, -1);
    }
    return image;
}

// Three columns (jaws) by four rows (clamp sides A to D).
QImage ClampGrid() {
    QImage image = NewImage(3 * kClampWidth, 4 * kClampHeight);
    QPainter painter(&image);
    Prepare(painter);
    for (int side = 0; side < 4; ++side) {
        for (int column = 0; column < 3; ++column) {
            DrawClamp(painter,
                      QRectF(column * kClampWidth, side * kClampHeight, kClampWidth, kClampHeight),
                      column + 1, side);
        }
    }
    return image;
}

}  // namespace

void MakePaneImages(const QString& folder) {
    Save(KeypadButton(), folder, "keypad_btn.png");
    Save(ClampStrip(), folder, "vice1.png");
    Save(ClampGrid(), folder, "vice2.png");
}

}  // namespace skin
