#pragma once
// What the wizard's rules share: reading numbers from the inputs, the messages by string id,
// and how a key's cuts lie in its parameter block (groups and written passes).

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/key_records.h"
#include "wizard/wizard_inputs.h"

inline constexpr int kMsgLengthTip = 136;
inline constexpr int kMsgSelectKey = 213;
inline constexpr int kMsgCloseQuestion = 215;
inline constexpr int kMsgWidthRange = 224;
inline constexpr int kMsgLengthRange = 225;
inline constexpr int kMsgThickness = 226;
inline constexpr int kMsgInternalBeyondThickness = 227;
inline constexpr int kMsgTrackDepth = 228;
inline constexpr int kMsgSpacesRange = 229;
inline constexpr int kMsgCutClamp = 230;
inline constexpr int kMsgDepthMin = 231;
inline constexpr int kMsgInternalDepthRange = 232;
inline constexpr int kMsgDepthRange = 233;
inline constexpr int kMsgDepthHalfWidth = 234;
inline constexpr int kMsgFlatRange = 235;
inline constexpr int kMsgIncomplete = 236;
inline constexpr int kMsgSpacesZero = 237;
inline constexpr int kMsgNonAscii = 238;
inline constexpr int kMsgDepthsZero = 239;
inline constexpr int kMsgDuplicate = 240;

// Entries of the spaces, flats and depths tables of the parameter block.
inline constexpr int kMaxCuts = 32;

// A text as the wizard reads a number: leading blanks, sign and digits; 0 without digits.
int TextValue(const std::wstring& text);
int EditValue(const WizardInputs& inputs, WizardEdit edit);
// A hidden edit belongs to no row of the key: it counts as 0, whatever it still holds.
int ShownEditValue(const WizardInputs& inputs, WizardEdit edit);
// A combo's pick; no pick counts as 0.
int Pick(const WizardInputs& inputs, WizardCombo combo);
// A row's value; a row without a kept text counts as 0.
int RowValue(const WizardListInput& list, int row);
// The first n kept texts' values; false when the list keeps fewer.
bool ListValues(const WizardListInput& list, int n, std::vector<int>& values);

// How often a side's list is written into the block: the dimple types store side A twice,
// Dimple side B twice as well.
int PassesA(int keyType);
int PassesB(int keyType);

struct CutGroups {
    int groupCount = 0;
    std::vector<int> cuts;  // cutsPerGroup entries
};
CutGroups GroupCuts(int keyType, int side, int cutsA, int cutsB);

// One written pass of a list within the block's tables.
struct Run {
    int start = 0;
    int count = 0;
};
// The passes in which the key's spaces (and their flats) were written, bounded by the block:
// one per group, but a Dimple key with two sides lies as A, A, B, B while its groups count
// A, B, A, B.
std::vector<Run> SpacePasses(const KeyParams& key);
// Sorts each pass ascending or largest first; flats move with their spaces.
void SortSpacePasses(KeyParams& key, bool descending);

// The label of a row within its pass: the hexadecimal digit of its 1-based number, "0" past
// 15.
char RowLabel(int row);

// A table of spaces or depths, copied out of the packed block so that it can be walked:
// the block's fields need not lie on their natural alignment.
using CutTable = std::array<int32_t, kMaxCuts>;
CutTable TableOf(const void* field);
void StoreTable(void* field, const CutTable& table);

// Fills a table with its labels pass by pass, never beyond the table.
class PassWriter {
  public:
    void Append(std::span<const int> values);
    // Appends the first n entries once more, labelled afresh.
    void Repeat(int n);
    int Count() const { return m_count; }
    // Replaces the block's table and labels with what was written, zeros behind it.
    template <size_t N>
    void Store(void* values, char (&labels)[N]) const {
        StoreTable(values, m_values);
        std::fill(std::begin(labels), std::end(labels), '\0');
        std::copy(m_labels.begin(), m_labels.begin() + m_count, labels);
    }

  private:
    CutTable m_values{};
    std::array<char, kMaxCuts> m_labels{};
    int m_count = 0;
};
