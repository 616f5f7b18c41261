#include "platform/profile/profile.h"

#include <cwctype>
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/fs/fs.h"
#include "platform/text/text.h"

namespace platform {
namespace {

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && std::iswspace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::iswspace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) {
            return false;
        }
    }
    return true;
}

// The file's lines without their line ends; an empty list when it cannot be read.
struct IniText {
    std::vector<std::wstring> lines;
    std::wstring lineEnd = L"\n";
    bool unreadable = false;  // there, but not a file that can be read
};

IniText ReadIni(const std::wstring& file) {
    IniText ini;
    auto bytes = ReadWholeFile(ToPath(file));
    if (!bytes) {
        std::error_code error;
        ini.unreadable = std::filesystem::exists(ToPath(file), error);
        return ini;
    }
    std::wstring text =
        Utf8ToWide(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (text.starts_with(L"\uFEFF")) {
        text.erase(0, 1);
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        size_t next = end == std::wstring::npos ? text.size() : end + 1;
        std::wstring line =
            text.substr(start, (end == std::wstring::npos ? text.size() : end) - start);
        if (!line.empty() && line.back() == L'\r') {
            line.pop_back();
            ini.lineEnd = L"\r\n";
        }
        ini.lines.push_back(std::move(line));
        start = next;
    }
    return ini;
}

std::optional<std::wstring_view> SectionName(std::wstring_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != L'[') {
        return std::nullopt;
    }
    size_t close = line.find(L']');
    if (close == std::wstring_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

bool IsComment(std::wstring_view line) {
    line = Trim(line);
    return line.empty() || line.front() == L';';
}

// Index range [first, last) of the section's body lines, or nullopt when it is missing.
struct Range {
    size_t first;
    size_t last;
};

std::optional<Range> FindSection(const std::vector<std::wstring>& lines,
                                 std::wstring_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        auto name = SectionName(lines[i]);
        if (name && SameName(*name, section)) {
            size_t end = i + 1;
            while (end < lines.size() && !SectionName(lines[end])) {
                ++end;
            }
            return Range{i + 1, end};
        }
    }
    return std::nullopt;
}

std::optional<size_t> FindKey(const std::vector<std::wstring>& lines, Range range,
                              std::wstring_view key) {
    for (size_t i = range.first; i < range.last; ++i) {
        if (IsComment(lines[i])) {
            continue;
        }
        size_t equals = lines[i].find(L'=');
        if (equals != std::wstring::npos &&
            SameName(Trim(std::wstring_view(lines[i]).substr(0, equals)), key)) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace

std::wstring ReadProfileString(const std::wstring& file, const std::wstring& section,
                               const std::wstring& key, const std::wstring& defaultValue) {
    IniText ini = ReadIni(file);
    auto range = FindSection(ini.lines, section);
    if (!range) {
        return defaultValue;
    }
    auto index = FindKey(ini.lines, *range, key);
    if (!index) {
        return defaultValue;
    }
    const std::wstring& line = ini.lines[*index];
    std::wstring_view value = Trim(std::wstring_view(line).substr(line.find(L'=') + 1));
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::wstring(value);
}

int ReadProfileInt(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                   int defaultValue) {
    IniText ini = ReadIni(file);
    auto range = FindSection(ini.lines, section);
    if (!range || !FindKey(ini.lines, *range, key)) {
        return defaultValue;
    }
    return LeadingInt(ReadProfileString(file, section, key, L"")).value_or(0);
}

std::vector<std::wstring> ReadProfileSection(const std::wstring& file,
                                             const std::wstring& section) {
    IniText ini = ReadIni(file);
    std::vector<std::wstring> result;
    if (auto range = FindSection(ini.lines, section)) {
        for (size_t i = range->first; i < range->last; ++i) {
            if (!IsComment(ini.lines[i])) {
                result.emplace_back(Trim(ini.lines[i]));
            }
        }
    }
    return result;
}

bool WriteProfileString(const std::wstring& file, const std::wstring& section,
                        const std::wstring& key, const std::wstring& value) {
    IniText ini = ReadIni(file);
    if (ini.unreadable) {
        return false;  // what lies there is not ours to replace
    }
    std::wstring entry = key + L"=" + value;
    if (auto range = FindSection(ini.lines, section)) {
        if (auto index = FindKey(ini.lines, *range, key)) {
            ini.lines[*index] = entry;
        } else {
            size_t insertAt = range->last;
            while (insertAt > range->first && Trim(ini.lines[insertAt - 1]).empty()) {
                --insertAt;
            }
            ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
        }
    } else {
        ini.lines.push_back(L"[" + section + L"]");
        ini.lines.push_back(entry);
    }
    std::wstring text;
    for (const std::wstring& line : ini.lines) {
        text += line + ini.lineEnd;
    }
    std::string bytes = WideToUtf8(text);
    std::filesystem::path target = ToPath(file);
    std::filesystem::path staging = target;
    staging += ".tmp";
    return ReplaceFile(target, staging,
                       std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace platform
