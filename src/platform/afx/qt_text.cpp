#include "platform/afx/qt_text.h"

namespace afx {

QFont ToQFont(const Font& font) {
    QFont result(ToQString(font.face));
    result.setStyleHint(font.face.find(L"Times") != std::wstring::npos ? QFont::Serif
                                                                       : QFont::SansSerif);
    // -MulDiv(points, 96, 72) as a LOGFONT height: the character height in pixels.
    result.setPixelSize((font.pointSizeTenths * 96 + 360) / 720);
    result.setWeight(static_cast<QFont::Weight>(font.weight));
    return result;
}

}  // namespace afx
