#pragma once
// The car makers of "carFactory.ini": per language section, lines of id, "=", the maker's name as
// the records and the machine store it, ";", and the name the tree shows.

#include <string>
#include <vector>

struct CarFactoryEntry {
    std::wstring machineName;  // at most kCarNameLength characters, as the records' field holds
    std::wstring displayName;  // likewise
    int id = 0;
};

inline constexpr size_t kCarNameLength = 19;

// "carCH" for Chinese (index 0), "carEN" for every other language.
std::wstring CarFactorySection(int languageIndex);

// One entry per line with an "=", in the lines' order.
std::vector<CarFactoryEntry> ParseCarFactoryLines(const std::vector<std::wstring>& lines);

// The whole section of the file; none when the file or the section is missing.
std::vector<CarFactoryEntry> ReadCarFactory(const std::wstring& file, const std::wstring& section);
