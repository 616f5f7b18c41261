#include "ui/car_makers.h"

#include <cwctype>

#include "platform/profile/profile.h"

namespace {

// The leading decimal of the text, as _wtoi reads it: 0 when there is none.
int LeadingNumber(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+'))
        negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && std::iswdigit(text[i]); ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > 0x7fffffffLL)
            return 0;  // no maker id this large; such a line names no maker we can match
    }
    return static_cast<int>(negative ? -value : value);
}

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
        if (equals == std::wstring::npos)
            continue;
        std::wstring_view value = std::wstring_view(line).substr(equals + 1);
        CarFactoryEntry entry;
        entry.id = LeadingNumber(std::wstring_view(line).substr(0, equals));
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
