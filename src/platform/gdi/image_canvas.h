#pragma once
// A canvas that paints into an image of its own, for the key pane and for picture files. Text
// needs the process's QGuiApplication (the program's, or one a test makes).

#include <memory>
#include <string>

#include "platform/gdi/canvas.h"

class QImage;

namespace platform {

// The installed family that writes text in font: the face itself or its stand-in.
std::wstring ResolvedFamily(const Font& font);

class ImageCanvas final : public Canvas {
  public:
    ImageCanvas(int width, int height, Color background = Rgb(255, 255, 255));
    ~ImageCanvas() override;
    ImageCanvas(const ImageCanvas&) = delete;
    ImageCanvas& operator=(const ImageCanvas&) = delete;

    int Width() const;
    int Height() const;
    // The picture as drawn so far.
    const QImage& Image();
    Color PixelAt(int x, int y);
    bool SavePng(const std::string& path);

  protected:
    void Erase() override;
    void DrawLine(Point from, Point to) override;
    void DrawEllipse(Point topLeft, Point bottomRight) override;
    void DrawText(Point topLeft, std::wstring_view text) override;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
