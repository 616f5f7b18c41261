#pragma once

#include <string_view>

// True when a character of the text lies above 127: such a name cannot be a key name.
bool HasNonAscii(std::wstring_view text);
