#pragma once
// Conversions between the layer's types and Qt's. Private to the layer.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "platform/dui/geometry.h"

namespace dui {

class CPaintManagerUI;

inline QColor ToQColor(unsigned argb) {
    return QColor((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24);
}
inline QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}
inline QString ToQString(const std::wstring& text) {
    return QString::fromStdWString(text);
}

// The skin's font `index` (its default font for -1 or an unknown index).
QFont SkinFont(const CPaintManagerUI* manager, int index);

}  // namespace dui
