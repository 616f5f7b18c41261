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

// The file's lines: as text to match names against, and as the bytes that stand in the file,
// line end included, so that a write gives back every line it does not change untouched
// (other lines may be in another encoding, or end differently). Empty when unreadable.
struct IniText {
    std::vector<std::wstring> lines;
    std::vector<std::string> bytes;
    // The line end of new lines: the file's first.
    std::string lineEnd = "\n";
    bool unreadable = false;  // there, but not a file that can be read
};

// The bytes of a line's end: "\r\n", "\n", or none on a last line without one.
size_t LineEndLength(std::string_view raw) {
    return raw.ends_with("\r\n") ? 2 : raw.ends_with('\n') ? 1 : 0;
}

IniText ReadIni(const std::wstring& file) {
    IniText ini;
    auto content = ReadWholeFile(ToPath(file));
    if (!content) {
        std::error_code error;
        ini.unreadable = std::filesystem::exists(ToPath(file), error);
        return ini;
    }
    std::string_view text(reinterpret_cast<const char*>(content->data()), content->size());
    bool first = true;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end == std::string_view::npos ? end : end + 1);
        text.remove_prefix(raw.size());
        std::string_view line = raw.substr(0, raw.size() - LineEndLength(raw));
        if (first && raw.size() > line.size()) {
            ini.lineEnd = raw.substr(line.size());
            first = false;
        }
        if (ini.bytes.empty() && line.starts_with("\xEF\xBB\xBF")) {
            line.remove_prefix(3);
        }
        ini.lines.push_back(Utf8ToWide(line));
        ini.bytes.emplace_back(raw);
    }
    return ini;
}

// Puts a line before index at, the line before it ended first.
void InsertLine(IniText& ini, size_t at, const std::wstring& line) {
    if (at > 0 && !ini.bytes[at - 1].ends_with('\n')) {
        ini.bytes[at - 1] += ini.lineEnd;
    }
    ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    ini.bytes.insert(ini.bytes.begin() + static_cast<std::ptrdiff_t>(at),
                     WideToUtf8(line) + ini.lineEnd);
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
                        const std::wstring& key, const std::wstring& value, std::string* error) {
    IniText ini = ReadIni(file);
    if (ini.unreadable) {
        if (error != nullptr) {
            *error = "cannot read " + WideToUtf8(file);
        }
        return false;  // what lies there is not ours to replace
    }
    std::wstring entry = key + L"=" + value;
    if (auto range = FindSection(ini.lines, section)) {
        if (auto index = FindKey(ini.lines, *range, key)) {
            std::string& line = ini.bytes[*index];
            line.replace(0, line.size() - LineEndLength(line), WideToUtf8(entry));
        } else {
            size_t insertAt = range->last;
            while (insertAt > range->first && Trim(ini.lines[insertAt - 1]).empty()) {
                --insertAt;
            }
            InsertLine(ini, insertAt, entry);
        }
    } else {
        InsertLine(ini, ini.lines.size(), L"[" + section + L"]");
        InsertLine(ini, ini.lines.size(), entry);
    }
    std::string bytes;
    for (const std::string& line : ini.bytes) {
        bytes += line;
    }
    std::filesystem::path target = ToPath(file);
    std::filesystem::path staging = target;
    staging += ".tmp";
    return ReplaceFile(target, staging,
                       std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                       error);
}

}  // namespace platform
