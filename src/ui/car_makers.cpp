#include "ui/car_makers.h"

#include <cwctype>

#include "platform/profile/profile.h"
#include "platform/text/text.h"

namespace {

std::wstring Bounded(std::wstring_view text) {
    return std::wstring(text.substr(0, kCarNameLength));
}

}  // namespace

std::wstring CarFactorySection(int languageIndex) {
    return languageIndex == 0 ? L"carCH" : L"carEN";
}

std::vector<CarFactoryEntry> ParseCarFactoryLines(const std::vector<std::wstring>& lines) {
    std::vector<CarFactoryEntry> entries;
    for (const std::wstring& line : lines) {
        size_t equals = line.find(L'=');
        if (equals == std::wstring::npos) {
            continue;
        }
        std::wstring_view value = std::wstring_view(line).substr(equals + 1);
        CarFactoryEntry entry;
        // An id too large for an int names no maker we can match: 0.
        entry.id = platform::LeadingInt(std::wstring_view(line).substr(0, equals)).value_or(0);
        size_t semicolon = value.find(L';');
        if (semicolon == std::wstring_view::npos) {
            entry.displayName = Bounded(value);
        } else {
            entry.machineName = Bounded(value.substr(0, semicolon));
            entry.displayName = Bounded(value.substr(semicolon + 1));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<CarFactoryEntry> ReadCarFactory(const std::wstring& file, const std::wstring& section) {
    return ParseCarFactoryLines(platform::ReadProfileSection(file, section));
}
