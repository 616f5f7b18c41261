#pragma once
// Shared drawing of the skin pictures: the palette, button frames by state, text and saving.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace skin {

namespace colour {
inline const QColor kNavy(0x1B, 0x33, 0x55);
inline const QColor kNavyLight(0x2A, 0x55, 0x86);
inline const QColor kAccent(0x2F, 0x6F, 0xD6);
inline const QColor kAccentDark(0x22, 0x56, 0xAE);
inline const QColor kPanel(0xF5, 0xF7, 0xFA);
inline const QColor kBorder(0xC9, 0xD2, 0xDE);
inline const QColor kText(0x1F, 0x29, 0x33);
inline const QColor kMuted(0x8A, 0x96, 0xA6);
inline const QColor kMetal(0xC8, 0xCD, 0xD4);
inline const QColor kBrass(0xD9, 0xB2, 0x5C);
inline const QColor kWarn(0xF0, 0xA0, 0x20);
inline const QColor kDanger(0xD6, 0x45, 0x45);
}  // namespace colour

enum class State { Normal, Hot, Pushed, Disabled, Selected };
inline constexpr State kButtonStates[4] = {State::Normal, State::Hot, State::Pushed,
                                           State::Disabled};

enum class Look { Primary, Secondary, Light, Danger };

// A transparent picture, with a painter set for smooth drawing.
QImage NewImage(int width, int height, QColor fill = Qt::transparent);
void Prepare(QPainter& painter);
QFont PixelFont(int pixels, bool bold = false);

// A rounded button face for `state` in `rect`.
void DrawButtonFace(QPainter& painter, const QRectF& rect, State state, Look look);
// The text colour that goes with a face.
QColor TextOn(State state, Look look);
void DrawCentredText(QPainter& painter, const QRectF& rect, const QString& text, QColor colour,
                     int pixels, bool bold = false);

// Saves into the output folder by the name's extension (".png" or ".bmp"); exits on failure.
void Save(const QImage& image, const QString& folder, const QString& name);

}  // namespace skin
