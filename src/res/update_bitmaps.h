#pragma once
// The update tool's bitmaps by resource id. They are drawn at build time into the skin folder,
// one file per id.

#include <string>

namespace res {

// The four pictures of a bitmap button, by resource id.
struct ButtonBitmaps {
    int normal;
    int pressed;
    int focus;
    int disabled;
};

inline constexpr ButtonBitmaps kStartButtonBitmaps{544, 545, 546, 547};
inline constexpr ButtonBitmaps kCloseButtonBitmaps{342, 505, 506, 500};
inline constexpr ButtonBitmaps kRefreshButtonBitmaps{513, 512, 515, 507};
inline constexpr ButtonBitmaps kMenuButtonBitmaps{508, 510, 509, 511};

inline constexpr int kUpdateBackgroundWidth = 753;
inline constexpr int kUpdateBackgroundHeight = 524;

// The background of a language index: 0 Chinese, 3 Italian, 8 Swedish, any other English.
int UpdateBackgroundBitmap(int languageIndex);

// The file in the skin folder that holds a bitmap.
std::wstring BitmapFileName(int bitmapId);

}  // namespace res
