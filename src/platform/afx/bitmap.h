#pragma once
// A picture read from an image file, as the dialogs' bitmaps are.

#include <memory>
#include <string>

class QImage;

namespace afx {

class Bitmap {
  public:
    Bitmap();
    ~Bitmap();
    Bitmap(const Bitmap&);
    Bitmap& operator=(const Bitmap&);

    // Reads the file; false (and an empty bitmap) when it cannot be read.
    bool Load(const std::wstring& imageFile);
    bool IsNull() const;
    int Width() const;
    int Height() const;
    const QImage& Image() const;

  private:
    std::shared_ptr<const QImage> image_;
};

}  // namespace afx
