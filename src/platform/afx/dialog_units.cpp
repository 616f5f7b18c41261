#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <cmath>

#include "platform/afx/dialog_template.h"
#include "platform/afx/qt_text.h"

namespace afx {
namespace {

// MulDiv: the product divided with rounding half away from zero.
int MulDiv(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : -((-product + half) / denominator));
}

}  // namespace

const ControlTemplate* DialogTemplate::Find(int controlId) const {
    for (const auto& control : controls) {
        if (control.id == controlId) {
            return &control;
        }
    }
    return nullptr;
}

BaseUnits DialogBaseUnits(const Font& font) {
    if (IsWindowsDialogFont(font.face) && font.pointSizeTenths == 80) {
        return BaseUnits{6, 13};
    }
    QFontMetrics metrics(ToQFont(font));
    int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return BaseUnits{(width / 26 + 1) / 2, metrics.height()};
}

int DluToPixelsX(int x, BaseUnits units) {
    return MulDiv(x, units.cx, 4);
}
int DluToPixelsY(int y, BaseUnits units) {
    return MulDiv(y, units.cy, 8);
}

Rect MapDialogRect(const Rect& dialogUnits, BaseUnits units) {
    int left = DluToPixelsX(dialogUnits.left, units);
    int top = DluToPixelsY(dialogUnits.top, units);
    return Rect{left, top, left + DluToPixelsX(dialogUnits.Width(), units),
                top + DluToPixelsY(dialogUnits.Height(), units)};
}

}  // namespace afx
