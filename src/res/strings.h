#pragma once
// The program's string tables: every window text in Chinese, English, Italian and Swedish,
// keyed by string id, read through a language identifier the way the resource loader does.

#include <optional>
#include <string>

namespace res {

// Language identifiers of the four tables.
inline constexpr int kLangChinese = 2052;
inline constexpr int kLangEnglish = 1033;
inline constexpr int kLangItalian = 1040;
inline constexpr int kLangSwedish = 1053;

// The table a language identifier reads from: its own table; else the table of the same
// primary language (1028 reads Chinese, 2064 Italian); else English.
int TableLanguage(int languageId);

// The text of `id` in the table for `languageId`; none when that table lacks the id.
std::optional<std::wstring> FindString(int id, int languageId);

// The UI language that LoadString reads (set where the system sets the thread's UI language).
// Process-wide: workers read the same texts as the UI thread. Starts as English.
void SetUiLanguage(int languageId);
int UiLanguage();

// The text of `id` in the UI language, empty when the table lacks it.
std::wstring LoadString(int id);
// Like CString::LoadString: writes `text` and answers true only when the table has the id, so
// a text the table lacks keeps its previous content.
bool LoadString(int id, std::wstring& text);

}  // namespace res
