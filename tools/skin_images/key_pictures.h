#pragma once
// A key drawn from the side, by the wizard's key type (1..8), for the step pictures, the
// key-type buttons and the clamp pictures.

#include <QPainter>
#include <QRectF>

namespace skin {

enum class Locating { None, Shoulder, Tip };

struct KeyLook {
    int type = 1;                        // wizard key type 1..8
    Locating locating = Locating::None;  // the stop the key is measured from
    bool sideB = false;                  // the second blade side's track
    bool dimensions = false;             // length and width arrows
    bool spaces = false;                 // cut positions from the stop
    bool depths = false;                 // depth lines under the cuts
    bool flats = false;                  // cut bottoms marked
};

void DrawKey(QPainter& painter, const QRectF& area, const KeyLook& look);

// A clamp seen from above holding a key blank; `slot` 0..4 picks the jaw, `side` 0..3 the
// clamp side (A..D) or -1 for a clamp without sides.
void DrawClamp(QPainter& painter, const QRectF& area, int slot, int side);

}  // namespace skin
