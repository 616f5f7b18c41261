#include "wizard/has_non_ascii.h"

#include <algorithm>
#include <cstdint>

bool HasNonAscii(std::wstring_view text) {
    // Wide text holds whole code points here; a character beyond the 16-bit range (a pair of
    // surrogates above 127 in UTF-16) counts as well, so no code is cut down to 16 bits.
    return std::any_of(text.begin(), text.end(),
                       [](wchar_t c) { return static_cast<uint32_t>(c) > 127; });
}
