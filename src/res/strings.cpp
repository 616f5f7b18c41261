#include "res/strings.h"

#include <algorithm>
#include <atomic>

#include "res/string_table.h"

namespace res {
namespace {

std::atomic<int> g_uiLanguage{kLangEnglish};

int PrimaryLanguage(int languageId) {
    return languageId & 0x3ff;
}

std::span<const StringEntry> TableOf(int tableLanguage) {
    switch (tableLanguage) {
        case kLangChinese:
            return ChineseStrings();
        case kLangItalian:
            return ItalianStrings();
        case kLangSwedish:
            return SwedishStrings();
        default:
            return EnglishStrings();
    }
}

}  // namespace

int TableLanguage(int languageId) {
    for (int table : {kLangChinese, kLangEnglish, kLangItalian, kLangSwedish}) {
        if (languageId == table) {
            return table;
        }
    }
    for (int table : {kLangChinese, kLangEnglish, kLangItalian, kLangSwedish}) {
        if (PrimaryLanguage(languageId) == PrimaryLanguage(table)) {
            return table;
        }
    }
    return kLangEnglish;
}

std::optional<std::wstring> FindString(int id, int languageId) {
    auto table = TableOf(TableLanguage(languageId));
    auto it = std::lower_bound(table.begin(), table.end(), id,
                               [](const StringEntry& e, int key) { return e.id < key; });
    if (it == table.end() || it->id != id) {
        return std::nullopt;
    }
    return std::wstring(it->text);
}

void SetUiLanguage(int languageId) {
    g_uiLanguage = languageId;
}
int UiLanguage() {
    return g_uiLanguage;
}

std::wstring LoadString(int id) {
    return FindString(id, UiLanguage()).value_or(L"");
}

bool LoadString(int id, std::wstring& text) {
    auto found = FindString(id, UiLanguage());
    if (!found) {
        return false;
    }
    text = std::move(*found);
    return true;
}

}  // namespace res
