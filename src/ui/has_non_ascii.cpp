#include "ui/has_non_ascii.h"

#include <algorithm>

bool HasNonAscii(std::wstring_view text) {
    // Compared as the 16-bit code the record's single-byte names came from.
    return std::any_of(text.begin(), text.end(),
                       [](wchar_t c) { return static_cast<uint16_t>(c) > 127; });
}
