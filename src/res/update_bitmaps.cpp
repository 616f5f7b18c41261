#include "res/update_bitmaps.h"

#include "platform/text/text.h"

namespace res {

int UpdateBackgroundBitmap(int languageIndex) {
    switch (languageIndex) {
        case 0:
            return 493;
        case 3:
            return 524;
        case 8:
            return 539;
        default:
            return 518;
    }
}

std::wstring BitmapFileName(int bitmapId) {
    return platform::Format(L"bitmap%d.png", bitmapId);
}

}  // namespace res
