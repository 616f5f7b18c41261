#include <cwctype>
#include <limits>

#include "platform/text/text.h"

namespace platform {

std::optional<int> LeadingInt(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        negative = text[i] == L'-';
        ++i;
    }
    if (i == text.size() || text[i] < L'0' || text[i] > L'9') {
        return std::nullopt;
    }
    // Counted as a magnitude in 64 bits, so that INT_MIN itself fits.
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int>::min())
                                   : std::numeric_limits<int>::max();
    int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace platform
