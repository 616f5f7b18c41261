#pragma once
// DuiLib image descriptions: "x.png" or "file='x.png' source='l,t,r,b' dest='...' corner='...'".
// The file is looked up in the resource path (CPaintManagerUI::GetResourcePath).

#include <string>
#include <string_view>
#include <vector>

#include "platform/dui/geometry.h"

class QPainter;

namespace dui {

struct ImageDescription {
    std::wstring file;
    Rect source;  // empty: the whole picture
    Rect dest;    // empty: the whole control
    Rect corner;  // borders kept unstretched (nine-patch)
};

// False when the text names no file.
bool ParseImageDescription(std::wstring_view text, ImageDescription& out);

// Draws the described picture into `bounds` (control coordinates); false when it cannot be
// drawn (no file, unreadable picture). Pictures are read once and kept.
bool DrawImage(QPainter& painter, const Rect& bounds, std::wstring_view description);

// Width and height of a picture of the resource path; 0 × 0 when it cannot be read.
Size ImageSize(const std::wstring& file);

// Starts decoding pictures of the resource path on other threads, so that a window being
// built meanwhile finds them ready when it first paints.
void PreloadImages(const std::vector<std::wstring>& files);

// Forgets the pictures read so far (after the resource path changed, or in tests).
void ClearImageCache();

}  // namespace dui
