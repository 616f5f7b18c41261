#include "wizard/cell_lists.h"

#include <algorithm>
#include <iterator>

#include "platform/text/text.h"

namespace wizard {

namespace {

enum { kListC = 2, kListD = 3 };
enum { kComboCutsA = 2, kComboCutsB = 3, kComboDepths = 4, kComboCircle = 5, kComboGroove = 6 };

const wchar_t* const kRowNames[] = {L"listA", L"listB", L"listC", L"listD", L"listE", L"listF"};

int64_t NumberOf(const std::wstring& text) {
    return platform::LeadingInt(text).value_or(0);
}

}  // namespace

const wchar_t* RowName(int listIndex) {
    return kRowNames[listIndex];
}

int ListOfRowName(const std::wstring& name) {
    for (int list = 0; list < static_cast<int>(std::size(kRowNames)); ++list) {
        if (name == kRowNames[list]) {
            return list;
        }
    }
    return -1;
}

std::wstring DefaultCellText(int listIndex, int wizardType) {
    const bool flatsA = listIndex == kListC && wizardType != 7 && wizardType != 8;
    const bool flatsB = listIndex == kListD && wizardType != 8;
    return flatsA || flatsB ? L"100" : L"0";
}

int RowsOfPick(int pick) {
    return pick + 2;
}

std::vector<int> ListsOfCombo(int comboIndex) {
    switch (comboIndex) {
        case kComboCutsA:
            return {0, kListC};
        case kComboCutsB:
            return {1, kListD};
        case kComboDepths:
            return {4, 5};
        case kComboCircle:
            return {4};
        case kComboGroove:
            return {5};
        default:
            return {};
    }
}

std::vector<std::wstring> NumberItems(int count) {
    std::vector<std::wstring> items;
    for (int i = 0; i < count; ++i) {
        items.push_back(platform::Format(L"%d", i + 2));
    }
    return items;
}

std::vector<std::wstring> FillSequence(int64_t start, int64_t step, int count) {
    if (step < 0 && start == 0) {
        start = -(count * step);
    }
    std::vector<std::wstring> texts;
    int64_t value = start;
    for (int r = 0; r < count; ++r) {
        texts.push_back(platform::Format(L"%d", std::clamp<int64_t>(value, 0, kCellMaxValue)));
        value += step;
    }
    return texts;
}

AutoFillRange AutoFillOf(const std::optional<std::wstring>& firstRow,
                         const std::wstring& difference, bool downward) {
    const int64_t d = NumberOf(difference);
    const int64_t first = firstRow ? NumberOf(*firstRow) : 0;
    return {first != 0 ? first : d, downward ? -d : d};
}

}  // namespace wizard
