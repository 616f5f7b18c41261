#include "platform/dui/static_picture.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

namespace dui {

namespace {

const char kPictureName[] = "staticPicture";

}  // namespace

void SetStaticPicture(HWND staticWindow, platform::ImageCanvas& canvas) {
    if (!IsWindow(staticWindow)) {
        return;
    }
    auto* picture = staticWindow->findChild<QLabel*>(kPictureName, Qt::FindDirectChildrenOnly);
    if (picture == nullptr) {
        picture = new QLabel(staticWindow);
        picture->setObjectName(kPictureName);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setContentsMargins(0, 0, 0, 0);
        // Clicks belong to the window under the picture.
        picture->setAttribute(Qt::WA_TransparentForMouseEvents);
        picture->show();
    }
    picture->setGeometry(0, 0, canvas.Width(), canvas.Height());
    picture->setPixmap(QPixmap::fromImage(canvas.Image()));
}

}  // namespace dui
