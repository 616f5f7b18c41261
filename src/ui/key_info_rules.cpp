#include "ui/key_info_rules.h"

#include <algorithm>

#include "platform/text/text.h"

namespace key_info {

namespace {

constexpr int kClampSides = 4;
constexpr int kClampPictureHeight = 134;

}  // namespace

std::wstring DigitButtonName(int k) {
    const wchar_t digit =
        k < 10 ? static_cast<wchar_t>(L'0' + k) : static_cast<wchar_t>(L'A' + k - 10);
    return L"buttonNum" + std::wstring(1, digit);
}

int KeypadSize(const KeyParams& key) {
    if (key.keyType == KeyTypeDimple) {
        return 0;
    }
    return std::clamp<int>(key.depthsPerGroup[0], 0, kDigitButtons);
}

int BittingCapacity(const KeyParams& key) {
    const int first = key.cutsPerGroup[0];
    return std::max({0, first, first + key.cutsPerGroup[1]});
}

int KeyTypeStringId(int keyType) {
    switch (keyType) {
        case KeyTypeStandardSingle:
            return 150;
        case KeyTypeStandardDouble:
            return 151;
        case KeyTypeTwoTrackExternal:
            return 152;
        case KeyTypeFourTrackExternal:
            return 153;
        case KeyTypeFourTrackInternal:
            return 154;
        case KeyTypeDimpleTrack:
            return 155;
        case KeyTypeDimple:
            return 156;
        case KeyTypeChannelTrack:
            return 157;
        default:
            return 0;
    }
}

std::wstring ClampImage(int clampType, int clampPicture, int clampSide) {
    if (clampType == 1) {
        switch (clampPicture) {
            case 0:
                return L"file='vice1.png' source='0,0,283,134'";
            case 1:
            case 2:
                return L"file='vice1.png' source='1132,0,1415,134'";
            case 3:
                return L"file='vice1.png' source='849,0,1132,134'";
            case 4:
                return L"file='vice1.png' source='566,0,849,134'";
            default:
                return L"file='vice1.png' source='283,0,566,134'";
        }
    }
    if (clampType != 2 || clampSide < 1 || clampSide > kClampSides) {
        return {};
    }
    // One row of vice2.png per clamp side.
    const int top = (clampSide - 1) * kClampPictureHeight;
    const int bottom = clampSide * kClampPictureHeight;
    switch (clampPicture) {
        case 0:
            return platform::Format(L"file='vice2.png' source='0,%d,283,%d'", top, bottom);
        case 2:
            return platform::Format(L"file='vice2.png' source='283,%d,566,%d'", top, bottom);
        default:
            return platform::Format(L"file='vice2.png' source='566,%d,849,%d'", top, bottom);
    }
}

}  // namespace key_info
