#include "platform/afx/bitmap.h"

#include <QImage>

#include "platform/afx/qt_text.h"

namespace afx {
namespace {

const std::shared_ptr<const QImage>& EmptyImage() {
    static const auto empty = std::make_shared<const QImage>();
    return empty;
}

}  // namespace

Bitmap::Bitmap() : image_(EmptyImage()) {}
Bitmap::~Bitmap() = default;
Bitmap::Bitmap(const Bitmap&) = default;
Bitmap& Bitmap::operator=(const Bitmap&) = default;

bool Bitmap::Load(const std::wstring& imageFile) {
    QImage image(ToQString(imageFile));
    image_ = image.isNull() ? EmptyImage() : std::make_shared<const QImage>(std::move(image));
    return !IsNull();
}

bool Bitmap::IsNull() const {
    return image_->isNull();
}
int Bitmap::Width() const {
    return image_->width();
}
int Bitmap::Height() const {
    return image_->height();
}
const QImage& Bitmap::Image() const {
    return *image_;
}

}  // namespace afx
