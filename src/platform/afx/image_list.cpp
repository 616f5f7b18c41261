#include "platform/afx/image_list.h"

#include <QIcon>
#include <QPixmap>
#include <vector>

#include "platform/afx/image_list_impl.h"
#include "platform/afx/qt_text.h"
#include "platform/afx/ui_thread.h"

namespace afx {

ImageList::ImageList(int width, int height)
    : width_(width), height_(height), images_(std::make_unique<Images>()) {}
ImageList::~ImageList() = default;

int ImageList::Add(const std::wstring& imageFile) {
    return OnUiThread([&] {
        QPixmap picture(ToQString(imageFile));
        images_->icons.push_back(picture.isNull()
                                     ? QIcon()
                                     : QIcon(picture.scaled(width_, height_, Qt::KeepAspectRatio,
                                                            Qt::SmoothTransformation)));
        return static_cast<int>(images_->icons.size()) - 1;
    });
}

int ImageList::GetImageCount() const {
    return static_cast<int>(images_->icons.size());
}

}  // namespace afx
