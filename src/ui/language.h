#pragma once
// The process-wide language index: its table of language identifiers and picture sets, its
// storage in "config.ini" beside the program, and the start-up choice from the system language.

#include <string>
#include <string_view>

inline constexpr int kLanguageCount = 15;  // indices 0 to 14
inline constexpr int kLanguageNone = 15;
inline constexpr int kLanguageOptions = 10;  // "Language0" to "Language9"

// The current language index, 0 to 14, or kLanguageNone.
extern int g_nLanguage;

// The language identifier the string tables are read through for an index (1033 past the table).
int LanguageIdOf(int index);

// The pictures that carry text in the main window: the header background and the sprite of the
// add and delete buttons.
struct LanguageImages {
    const wchar_t* headerBackground;
    const wchar_t* treeButtons;
};
LanguageImages LanguageImagesOf(int index);

// The saved text as an index: a number 0 to 14 is kept; no text, a number out of range or text
// that is no number at all is none.
int ParseLanguageText(std::wstring_view text);

// "config.ini" in the program folder.
std::wstring LanguageConfigPath();
int ReadLanguageIndex();
void SaveLanguageIndex(int index);

// The index a system whose default language is `languageId` starts in.
int LanguageForSystem(int languageId);

// The language identifier of a locale name such as "zh_CN.UTF-8" or "sv_SE" (1033 for names
// not known here, "C" and "POSIX").
int LanguageIdForLocale(std::string_view localeName);
// The system's default language identifier, from the locale of the environment.
int SystemDefaultLangId();

// Tests stand in a system language while the object lives.
class ScopedSystemLanguage {
  public:
    explicit ScopedSystemLanguage(int languageId);
    ~ScopedSystemLanguage();
    ScopedSystemLanguage(const ScopedSystemLanguage&) = delete;
    ScopedSystemLanguage& operator=(const ScopedSystemLanguage&) = delete;

  private:
    int m_previous;
};
