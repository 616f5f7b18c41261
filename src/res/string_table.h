#pragma once
// One language's string table: entries sorted by id, searched by strings.cpp.

#include <span>

namespace res {

struct StringEntry {
    int id;
    const wchar_t* text;
};

std::span<const StringEntry> ChineseStrings();
std::span<const StringEntry> EnglishStrings();
std::span<const StringEntry> ItalianStrings();
std::span<const StringEntry> SwedishStrings();

}  // namespace res
