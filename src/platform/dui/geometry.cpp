#include "platform/dui/geometry.h"

#include <cwctype>
#include <limits>

#include "platform/text/text.h"

namespace dui {

namespace {

// Reads up to `count` comma-separated integers; answers how many were found.
int ParseInts(std::wstring_view text, int* values, int count) {
    int found = 0;
    size_t i = 0;
    while (found < count && i < text.size()) {
        while (i < text.size() && (std::iswspace(text[i]) || text[i] == L',')) {
            ++i;
        }
        if (i == text.size()) {
            break;
        }
        size_t end = text.find(L',', i);
        if (end == std::wstring_view::npos) {
            end = text.size();
        }
        values[found++] = ParseInt(text.substr(i, end - i));
        i = end;
    }
    return found;
}

}  // namespace

int ParseInt(std::wstring_view text) {
    return platform::LeadingInt(text).value_or(0);
}

bool ParseBool(std::wstring_view text) {
    return text == L"true" || text == L"1";
}

bool ParseRect(std::wstring_view text, Rect& out) {
    int v[4] = {0, 0, 0, 0};
    if (ParseInts(text, v, 4) == 0) {
        return false;
    }
    out = {v[0], v[1], v[2], v[3]};
    return true;
}

bool ParseSize(std::wstring_view text, Size& out) {
    int v[2] = {0, 0};
    if (ParseInts(text, v, 2) == 0) {
        return false;
    }
    out = {v[0], v[1]};
    return true;
}

bool ParseColor(std::wstring_view text, unsigned& argb) {
    if (text.starts_with(L"#")) {
        text.remove_prefix(1);
    } else if (text.starts_with(L"0x") || text.starts_with(L"0X")) {
        text.remove_prefix(2);
    }
    if (text.size() != 6 && text.size() != 8) {
        return false;
    }
    unsigned value = 0;
    for (wchar_t c : text) {
        unsigned digit;
        if (c >= L'0' && c <= L'9') {
            digit = c - L'0';
        } else if (c >= L'a' && c <= L'f') {
            digit = c - L'a' + 10;
        } else if (c >= L'A' && c <= L'F') {
            digit = c - L'A' + 10;
        } else {
            return false;
        }
        value = value * 16 + digit;
    }
    argb = text.size() == 6 ? (0xFF000000u | value) : value;
    return true;
}

}  // namespace dui
