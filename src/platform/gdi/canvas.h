#pragma once
// A drawing surface shaped like a GDI device context, holding just what the key drawings use:
// a current position with move-to/line-to, ellipses, one-pixel pens, fonts, text colour and
// background. The state lives here; a surface only puts pixels (or records) for each primitive.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace platform {

struct Color {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

constexpr Color Rgb(int r, int g, int b) {
    return Color{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

// Every pen is one pixel wide. A dotted pen alternates three pixels on, three off.
enum class PenStyle { Solid, Dot };

struct Pen {
    PenStyle style = PenStyle::Solid;
    Color color;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    Color color = Rgb(255, 255, 255);
    friend bool operator==(const Brush&, const Brush&) = default;
};

// height is the cell height in pixels (ascent plus descent), weight 100 (thin) to 900 (black).
struct Font {
    int height = 16;
    int weight = 700;
    std::wstring face = L"System";
    friend bool operator==(const Font&, const Font&) = default;
};

enum class BkMode { Transparent, Opaque };

// What a freshly obtained device context holds.
struct DrawState {
    Point position;
    Pen pen;
    Brush brush;
    Font font;
    Color textColor;
    BkMode bkMode = BkMode::Opaque;
    Color bkColor = Rgb(255, 255, 255);
    friend bool operator==(const DrawState&, const DrawState&) = default;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Back to the state of a fresh device context; the picture stays.
    void ResetState() { state_ = DrawState{}; }
    // Blanks the whole picture with the surface's background; the state stays.
    void Clear() { Erase(); }

    void MoveTo(int x, int y) { state_.position = Point{x, y}; }
    // Draws from the current position up to, but not including, (x, y), which becomes the
    // current position: joined lines then set each pixel once.
    void LineTo(int x, int y);
    // Outlined with the current pen and filled with the current brush, inside the box whose
    // right and bottom edges lie just outside the figure.
    void Ellipse(int left, int top, int right, int bottom);
    // Writes text with its cell's top-left corner at (x, y).
    void TextOut(int x, int y, std::wstring_view text);

    // Each returns what was in force before.
    Pen SelectPen(Pen pen);
    Font SelectFont(Font font);
    Color SetTextColor(Color color);
    BkMode SetBkMode(BkMode mode);
    Color SetBkColor(Color color);

    const DrawState& State() const { return state_; }

  protected:
    virtual void Erase() = 0;
    virtual void DrawLine(Point from, Point to) = 0;
    virtual void DrawEllipse(Point topLeft, Point bottomRight) = 0;
    virtual void DrawText(Point topLeft, std::wstring_view text) = 0;

  private:
    DrawState state_;
};

}  // namespace platform
