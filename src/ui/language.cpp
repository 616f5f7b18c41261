#include "ui/language.h"

#include <array>
#include <cstdlib>
#include <cwctype>

#include "log/log.h"
#include "model/key_lists.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "res/strings.h"

int g_nLanguage = kLanguageNone;

namespace {

constexpr std::array<int, kLanguageCount> kLanguageIds = {
    2052, 1033, 1036, 1040, 1045, 2070, 1034, 1122, 1053, 1055, 1033, 1033, 1028, 1033, 1049};

constexpr int kNoOverride = 0;
int g_systemLanguageOverride = kNoOverride;

}  // namespace

int LanguageIdOf(int index) {
    if (index < 0 || index >= kLanguageCount) {
        return res::kLangEnglish;
    }
    return kLanguageIds[static_cast<size_t>(index)];
}

LanguageImages LanguageImagesOf(int index) {
    switch (index) {
        case 0:
            return {L"top_bg_ch.png", L"treeBtn.png"};
        case 3:
            return {L"top_bg_ita.png", L"treebtn_ita.png"};
        case 8:
            return {L"top_bg_swe.png", L"treebtn_swe.png"};
        default:
            return {L"top_bg_en.png", L"treeBtnEn.png"};
    }
}

int ParseLanguageText(std::wstring_view text) {
    std::optional<int> value = platform::LeadingInt(text);
    return value && *value >= 0 && *value < kLanguageCount ? *value : kLanguageNone;
}

std::wstring LanguageConfigPath() {
    return GetAppDirectory() + L"config.ini";
}

int ReadLanguageIndex() {
    std::wstring text =
        platform::ReadProfileString(LanguageConfigPath(), L"LanguageKey", L"Language", L"");
    return ParseLanguageText(text.substr(0, 260));
}

void SaveLanguageIndex(int index) {
    // Every start saves the language it has just read: a file that holds it already is left
    // alone rather than written and synced to disk again.
    std::wstring value = platform::Format(L"%d", index);
    if (platform::ReadProfileString(LanguageConfigPath(), L"LanguageKey", L"Language", L"") ==
        value) {
        return;
    }
    std::string reason;
    if (!platform::WriteProfileString(LanguageConfigPath(), L"LanguageKey", L"Language", value,
                                      &reason)) {
        WriteLog(L"Cannot store the language: " + platform::Utf8ToWide(reason));
    }
}

int LanguageForSystem(int languageId) {
    switch (languageId) {
        case 2052:
            return 0;
        case 1053:
            return 8;
        // The table's own index where it has one; Dutch has none and reads English.
        case 1036:
            return 2;
        case 1040:
            return 3;
        case 1045:
            return 4;
        case 1046:
            return 5;
        case 1034:
            return 6;
        case 1055:
            return 9;
        case 1049:
            return 14;
        default:
            return 1;
    }
}

int LanguageIdForLocale(std::string_view localeName) {
    std::string_view name = localeName.substr(0, localeName.find_first_of(".@"));
    std::string_view language = name.substr(0, name.find('_'));
    std::string_view territory =
        name.find('_') == std::string_view::npos ? "" : name.substr(name.find('_') + 1);
    struct Entry {
        std::string_view language;
        std::string_view territory;  // "" matches any
        int id;
    };
    static constexpr Entry kEntries[] = {
        {"zh", "TW", 1028}, {"zh", "HK", 1028}, {"zh", "", 2052}, {"en", "", 1033},
        {"fr", "", 1036},   {"it", "", 1040},   {"pl", "", 1045}, {"pt", "BR", 1046},
        {"pt", "", 2070},   {"es", "", 1034},   {"fy", "", 1122}, {"sv", "", 1053},
        {"tr", "", 1055},   {"ru", "", 1049},   {"nl", "", 1043}, {"de", "", 1031},
    };
    for (const Entry& entry : kEntries) {
        if (entry.language == language &&
            (entry.territory.empty() || entry.territory == territory)) {
            return entry.id;
        }
    }
    return res::kLangEnglish;
}

int SystemDefaultLangId() {
    if (g_systemLanguageOverride != kNoOverride) {
        return g_systemLanguageOverride;
    }
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return LanguageIdForLocale(value);
        }
    }
    return res::kLangEnglish;
}

ScopedSystemLanguage::ScopedSystemLanguage(int languageId) : m_previous(g_systemLanguageOverride) {
    g_systemLanguageOverride = languageId;
}

ScopedSystemLanguage::~ScopedSystemLanguage() {
    g_systemLanguageOverride = m_previous;
}
