#include "wizard/wizard_values.h"

#include <algorithm>
#include <cstring>

#include "platform/text/text.h"
#include "wizard/step_checks.h"

int TextValue(const std::wstring& text) {
    return platform::LeadingInt(text).value_or(0);
}

int EditValue(const WizardInputs& inputs, WizardEdit edit) {
    return TextValue(inputs.Text(edit));
}

int ShownEditValue(const WizardInputs& inputs, WizardEdit edit) {
    return inputs.Shown(edit) ? EditValue(inputs, edit) : 0;
}

int Pick(const WizardInputs& inputs, WizardCombo combo) {
    return std::max(inputs.picks[combo], 0);
}

int RowValue(const WizardListInput& list, int row) {
    return row < static_cast<int>(list.texts.size()) ? TextValue(list.texts[row]) : 0;
}

bool ListValues(const WizardListInput& list, int n, std::vector<int>& values) {
    values.clear();
    if (n > static_cast<int>(list.texts.size())) {
        return false;
    }
    for (int row = 0; row < n; ++row) {
        values.push_back(TextValue(list.texts[row]));
    }
    return true;
}

int PassesA(int keyType) {
    return keyType == 7 || keyType == 8 ? 2 : 1;
}

int PassesB(int keyType) {
    return keyType == 8 ? 2 : 1;
}

CutGroups GroupCuts(int keyType, int side, int cutsA, int cutsB) {
    switch (keyType) {
        case 1:
        case 3:
        case 6:
            return {1, {side == 0 ? cutsA : cutsB}};
        case 2:
            return side == 0 ? CutGroups{1, {cutsA}} : CutGroups{1, {cutsA, cutsB}};
        case 4:
        case 5:
            return {side == 1 ? 2 : 1, side == 0 ? std::vector{cutsA} : std::vector{cutsA, cutsB}};
        case 7:
            return {3, {cutsA, cutsA, cutsB}};
        case 8:
            return side == 0 ? CutGroups{2, {cutsA, cutsA}}
                             : CutGroups{4, {cutsA, cutsB, cutsA, cutsB}};
        default:
            return {};
    }
}

std::vector<Run> SpacePasses(const KeyParams& key) {
    std::vector<int> counts;
    if (key.keyType == KeyTypeDimple && key.groupCount == 4) {
        counts = {key.cutsPerGroup[0], key.cutsPerGroup[0], key.cutsPerGroup[1],
                  key.cutsPerGroup[1]};
    } else {
        int groups = std::clamp<int>(key.groupCount, 0, std::size(key.cutsPerGroup));
        counts.assign(key.cutsPerGroup, key.cutsPerGroup + groups);
    }
    std::vector<Run> runs;
    int start = 0;
    for (int count : counts) {
        count = std::clamp(count, 0, kMaxCuts - start);
        runs.push_back({start, count});
        start += count;
    }
    return runs;
}

void SortSpacePasses(KeyParams& key, bool descending) {
    CutTable spaces = TableOf(key.spaces);
    for (const Run& run : SpacePasses(key)) {
        BubbleSortU32(spaces, run.count, run.start, descending, key.flats);
    }
    StoreTable(key.spaces, spaces);
}

char RowLabel(int row) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    return row >= 1 && row <= 15 ? kDigits[row] : '0';
}

CutTable TableOf(const void* field) {
    CutTable table;
    std::memcpy(table.data(), field, sizeof table);
    return table;
}

void StoreTable(void* field, const CutTable& table) {
    std::memcpy(field, table.data(), sizeof table);
}

void PassWriter::Append(std::span<const int> values) {
    int row = 0;
    for (int value : values) {
        if (m_count >= kMaxCuts) {
            return;
        }
        m_values[m_count] = value;
        m_labels[m_count] = RowLabel(++row);
        ++m_count;
    }
}

void PassWriter::Repeat(int n) {
    std::vector<int> copy(m_values.begin(), m_values.begin() + std::min(n, m_count));
    Append(copy);
}
