#include "platform/afx/qt_text.h"

namespace afx {

bool IsWindowsDialogFont(const std::wstring& face) {
    return face == L"MS Shell Dlg" || face == L"MS Shell Dlg 2" || face == L"Tahoma" ||
           face == L"Microsoft Sans Serif" || face == L"MS Sans Serif";
}

QFont ToQFont(const Font& font) {
    QFont result(ToQString(font.face));
    // The Windows dialog fonts are stood in for by a Latin face with their metrics at 8 points
    // (so that texts fit the layout made with their base units); the CJK face draws only what
    // the Latin one lacks, so that Latin punctuation keeps its Latin width.
    if (IsWindowsDialogFont(font.face)) {
        result.setFamilies(
            {QStringLiteral("Liberation Sans"), QStringLiteral("WenQuanYi Micro Hei")});
    }
    result.setStyleHint(font.face.find(L"Times") != std::wstring::npos ? QFont::Serif
                                                                       : QFont::SansSerif);
    // -MulDiv(points, 96, 72) as a LOGFONT height: the character height in pixels.
    result.setPixelSize((font.pointSizeTenths * 96 + 360) / 720);
    result.setWeight(static_cast<QFont::Weight>(font.weight));
    return result;
}

}  // namespace afx
