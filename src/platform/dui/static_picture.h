#pragma once
// A STATIC window showing a picture (SS_BITMAP with STM_SETIMAGE): the window keeps a copy of
// the canvas's picture and paints it at its top-left corner until it is given another.

#include "platform/dui/native.h"
#include "platform/gdi/image_canvas.h"

namespace dui {

void SetStaticPicture(HWND staticWindow, platform::ImageCanvas& canvas);

}  // namespace dui
