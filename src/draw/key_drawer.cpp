#include "draw/key_drawer.h"

#include "platform/text/text.h"

namespace {

using platform::Canvas;

// "宋体", the face the drawings were laid out with; the canvas finds a stand-in where needed.
const wchar_t kTextFace[] = L"\u5b8b\u4f53";
constexpr int kValueTextHeight = 12;
constexpr int kCodeTextHeight = 15;
constexpr int kTextWeight = 100;
constexpr platform::Color kCursorColor = platform::Rgb(255, 50, 0);
constexpr platform::Color kDigitColor = platform::Rgb(0, 50, 255);

void WriteNumber(Canvas& dc, int x, int y, int32_t value, int height, platform::Color color) {
    const platform::Font previous = dc.SelectFont(platform::Font{height, kTextWeight, kTextFace});
    dc.SetBkMode(platform::BkMode::Transparent);
    dc.SetTextColor(color);
    dc.TextOut(x, y, platform::Format(L"%d", value));
    dc.SelectFont(previous);
}

}  // namespace

void CKeyDrawer::DrawValueText(Canvas& dc, int x, int y, int32_t value) {
    WriteNumber(dc, x, y, value, kValueTextHeight, platform::Rgb(0, 0, 0));
}

void CKeyDrawer::DrawCodeText(Canvas& dc, int x, int y, int32_t value, int32_t isCursor) {
    WriteNumber(dc, x, y, value, kCodeTextHeight, isCursor != 0 ? kCursorColor : kDigitColor);
}

void CKeyDrawer::DrawKey(const KeyParams& key, const std::vector<int32_t>& bitting) {
    // Every drawing starts from a fresh device context on a blank canvas.
    m_canvas.ResetState();
    m_key = key;
    m_canvas.Clear();
    switch (m_key.keyType) {
        case KeyTypeStandardSingle:
        case KeyTypeStandardDouble:
            DrawStandardKey(m_canvas, kKeyRect, bitting);
            break;
        case KeyTypeTwoTrackExternal:
            DrawExternal2TrackKey(m_canvas, kKeyRect, bitting);
            break;
        case KeyTypeFourTrackExternal:
            DrawExternal4TrackKey(m_canvas, kKeyRect, bitting);
            break;
        case KeyTypeFourTrackInternal:
            DrawInternal4TrackKey(m_canvas, kKeyRect, bitting);
            break;
        case KeyTypeDimpleTrack:
            DrawDimpleTrackKey(m_canvas, kKeyRect, bitting);
            break;
        case KeyTypeDimple:
            DrawDimpleKey(m_canvas, kKeyRect, bitting);
            break;
        case KeyTypeChannelTrack:
            DrawChannelTrackKey(m_canvas, kKeyRect, bitting);
            break;
        default:
            // 6 is never stored; it and unknown types leave the canvas blank.
            break;
    }
}
