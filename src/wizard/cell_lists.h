#pragma once
// The wizard's six cell lists apart from any window: which combo sets their row count, the
// text of a new row, and the automatic input that fills a list from a start and a difference.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wizard {

inline constexpr int kCellRowHeight = 16;
// The skin's names of the rows of lists 0..5 ("listA" .. "listF"), and the list of a row
// name (-1 for none).
const wchar_t* RowName(int listIndex);
int ListOfRowName(const std::wstring& name);

// A cell holds at most four digits, as its editor takes them.
inline constexpr int kCellMaxChars = 4;
inline constexpr int64_t kCellMaxValue = 9999;

// The text of a row that has none yet: "100" for the flats of lists C and D, except list C of
// the dimple types (7, 8) and list D of the dimple key (8); "0" everywhere else.
std::wstring DefaultCellText(int listIndex, int wizardType);

// A combo's pick k gives k + 2 rows (or numbers).
int RowsOfPick(int pick);
// The cell lists whose row count follows combo comboIndex.
std::vector<int> ListsOfCombo(int comboIndex);
// The items "2" .. count + 1.
std::vector<std::wstring> NumberItems(int count);

// Automatic input: `count` texts from `start` growing by `step` (a negative step with a start of
// 0 counts down to the step from |count x step|). Computed in 64 bits; a value below 0 shows as
// "0" and one above what a cell holds as that largest value.
std::vector<std::wstring> FillSequence(int64_t start, int64_t step, int count);

// The auto-input buttons: the difference typed, and the start taken from the list's first row
// or, when that is 0 or missing, the difference itself; depths count down.
struct AutoFillRange {
    int64_t start;
    int64_t step;
};
AutoFillRange AutoFillOf(const std::optional<std::wstring>& firstRow,
                         const std::wstring& difference, bool downward);

}  // namespace wizard
