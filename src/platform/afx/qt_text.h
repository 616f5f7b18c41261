#pragma once
// Conversions between the layer's types and Qt's, for the layer's own sources only.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>

#include "platform/afx/geometry.h"

namespace afx {

inline QString ToQString(const std::wstring& text) {
    return QString::fromStdWString(text);
}
inline std::wstring FromQString(const QString& text) {
    return text.toStdWString();
}

inline QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}
inline Rect FromQRect(const QRect& r) {
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

inline QColor ToQColor(ColorRef c) {
    return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff);
}

// The fonts of Windows dialog templates ("MS Shell Dlg" and its kin).
bool IsWindowsDialogFont(const std::wstring& face);

// Point sizes at 96 dots per inch, as the dialogs were drawn: 8 points are 11 pixels.
QFont ToQFont(const Font& font);

}  // namespace afx
