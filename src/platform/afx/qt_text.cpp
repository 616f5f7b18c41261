#include "platform/afx/qt_text.h"

namespace afx {

bool IsWindowsDialogFont(const std::wstring& face) {
    return face == L"MS Shell Dlg" || face == L"MS Shell Dlg 2" || face == L"Tahoma" ||
           face == L"Microsoft Sans Serif" || face == L"MS Sans Serif";
}

QFont ToQFont(const Font& font) {
    QFont result(ToQString(font.face));
    // The Windows dialog fonts are stood in for by one with their metrics at 8 points (so that
    // texts fit the layout made with their base units) that also holds the Chinese texts.
    if (IsWindowsDialogFont(font.face)) {
        result.setFamilies({QStringLiteral("WenQuanYi Micro Hei")});
    }
    result.setStyleHint(font.face.find(L"Times") != std::wstring::npos ? QFont::Serif
                                                                       : QFont::SansSerif);
    // -MulDiv(points, 96, 72) as a LOGFONT height: the character height in pixels.
    result.setPixelSize((font.pointSizeTenths * 96 + 360) / 720);
    result.setWeight(static_cast<QFont::Weight>(font.weight));
    return result;
}

}  // namespace afx
