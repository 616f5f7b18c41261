#pragma once
// INI files with the semantics of the Win32 private-profile functions: section and key names
// match without regard to case, a missing file, section or key gives the default, and a write
// changes one line and keeps every other byte of the file as it was. Text is read as UTF-8.

#include <string>
#include <vector>

namespace platform {

std::wstring ReadProfileString(const std::wstring& file, const std::wstring& section,
                               const std::wstring& key, const std::wstring& defaultValue);

// A leading signed decimal is the number ("12abc" is 12); text without one is 0.
int ReadProfileInt(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                   int defaultValue);

// The lines of a section ("key=value" as written, comments and blank lines left out), whole.
std::vector<std::wstring> ReadProfileSection(const std::wstring& file, const std::wstring& section);

// Sets a key, adding the section or the key when missing. Returns false when the file
// could not be written, with the reason in error; the old file then stays whole.
bool WriteProfileString(const std::wstring& file, const std::wstring& section,
                        const std::wstring& key, const std::wstring& value,
                        std::string* error = nullptr);

}  // namespace platform
