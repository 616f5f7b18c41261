#pragma once
// A list of small pictures that tree and list controls show by index.

#include <memory>
#include <string>

namespace afx {

class ImageList {
  public:
    ImageList(int width, int height);
    ~ImageList();

    // Adds a picture from an image file and answers its index. A file that cannot be read still
    // takes its index, with an empty picture, so that the indices the code counts on stay.
    int Add(const std::wstring& imageFile);
    int GetImageCount() const;
    int Width() const { return width_; }
    int Height() const { return height_; }

    struct Images;
    const Images& images() const { return *images_; }

  private:
    int width_;
    int height_;
    std::unique_ptr<Images> images_;
};

}  // namespace afx
