#pragma once
// Wide text and the single-byte ANSI code page, in place of the Win32 text functions.

#include <fmt/printf.h>
#include <fmt/xchar.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// Wide text is UTF-32 here; files, paths and Qt take UTF-8.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

// The code page Windows would choose as the ANSI code page for a locale name such as
// "zh_CN.UTF-8" (936) or "de_DE" (1252).
int CodePageForLocale(std::string_view localeName);

// The process's ANSI code page: chosen from the locale at first use unless set explicitly.
int AnsiCodePage();
void SetAnsiCodePage(int codePage);

// Converts into a code page. Characters the code page cannot hold become '?'. The result is
// cut at a character boundary so that it takes at most maxBytes bytes.
std::string WideToMultiByte(int codePage, std::wstring_view text,
                            size_t maxBytes = std::string::npos);
// Converts from a code page; bytes that form no character become U+FFFD.
std::wstring MultiByteToWide(int codePage, std::string_view bytes);

// The signed decimal at the start of a text, after blanks, as _wtoi reads it ("12abc" is 12);
// nullopt when no digit follows or the number does not fit an int.
std::optional<int> LeadingInt(std::wstring_view text);

// Letters a to z made capitals; every other character, non-ASCII ones included, kept.
std::wstring AsciiUpper(std::wstring text);

// A fixed record field: the bytes up to the first NUL, never past the field's end.
std::string_view FieldText(std::span<const char> field);

// printf-style formatting of the system's texts ("%d", "% d", "%05d", "%s" with wide text).
template <typename... Args>
std::wstring Format(std::wstring_view format, const Args&... args) {
    return fmt::sprintf(format, args...);
}

}  // namespace platform
