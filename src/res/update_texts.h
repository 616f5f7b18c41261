#pragma once
// The update tool's own text table: texts 1 to 47 in four columns, chosen by language index
// (0 Chinese, 3 Italian, 8 Swedish, any other English). The English column lacks some texts.

#include <optional>
#include <string>

namespace res {

inline constexpr int kUpdateTextCount = 47;

// The entry of the tools menu that updates the program only: Chinese in every language.
inline constexpr const wchar_t* kUpdateProgramOnlyText = L"仅更新程序";

// Text `number` (1 to 47) of the column for `languageIndex`; none when that column lacks it.
std::optional<std::wstring> FindUpdateText(int languageIndex, int number);

}  // namespace res
