#include "wizard/step_checks.h"

#include <algorithm>
#include <vector>

#include "res/strings.h"
#include "wizard/wizard_values.h"

namespace {

StepResult Refuse(const KeyParams& key, int messageId, WizardEdit focus = kNoEdit) {
    return {messageId, focus, key};
}

StepResult Pass(const KeyParams& key) {
    return {0, kNoEdit, key};
}

// Each row of each shown list must satisfy `valid`.
bool ListsHold(const WizardInputs& inputs, std::initializer_list<WizardList> lists,
               bool (*valid)(int)) {
    for (WizardList list : lists) {
        const WizardListInput& input = inputs.lists[list];
        if (!input.shown) {
            continue;
        }
        for (int row = 0; row < input.rows; ++row) {
            if (!valid(RowValue(input, row))) {
                return false;
            }
        }
    }
    return true;
}

bool Positive(int value) {
    return value > 0;
}
bool NotNegative(int value) {
    return value >= 0;
}

bool IsDimpleType(int keyType) {
    return keyType == 7 || keyType == 8;
}

}  // namespace

std::wstring StepResult::Message() const {
    return Passed() ? std::wstring(L"0") : res::LoadString(messageId);
}

StepResult CheckStepInputs(const WizardInputs& inputs, const KeyParams& key, int step) {
    switch (step) {
        case 1:
            for (WizardEdit edit : {kEditLength, kEditWidth, kEditThickness, kEditInternalWidth,
                                    kEditInternalDepth}) {
                if (inputs.Shown(edit) && inputs.Text(edit).empty()) {
                    return Refuse(key, kMsgIncomplete, edit);
                }
            }
            break;
        case 2:
            if (!ListsHold(inputs, {kListA, kListB}, Positive)) {
                return Refuse(key, kMsgSpacesZero);
            }
            break;
        case 3:
            if (!ListsHold(inputs, {kListC, kListD}, NotNegative)) {
                return Refuse(key, kMsgIncomplete);
            }
            break;
        case 4:
            if (!ListsHold(inputs, {kListE, kListF}, Positive)) {
                return Refuse(key, kMsgDepthsZero);
            }
            if (IsDimpleType(key.keyType) && inputs.Shown(kEditEdgeDistanceA) &&
                inputs.Text(kEditEdgeDistanceA).empty()) {
                return Refuse(key, kMsgIncomplete, kEditEdgeDistanceA);
            }
            break;
        default:
            break;
    }
    return Pass(key);
}

StepResult CheckKeyShape(const WizardInputs& inputs, const KeyParams& key) {
    const int type = inputs.keyType;
    const int width = ShownEditValue(inputs, kEditWidth);
    const int length = ShownEditValue(inputs, kEditLength);
    const uint8_t locating = Pick(inputs, kComboLocating) == 1 ? 1 : 0;
    if (width < 400 || width > 1100) {
        return Refuse(key, kMsgWidthRange, kEditWidth);
    }
    if (locating == 0 && (length < 2000 || length > 3000)) {
        return Refuse(key, kMsgLengthRange, kEditLength);
    }
    if (locating == 1 && length < 1800) {
        return Refuse(key, kMsgLengthTip, kEditLength);
    }
    int thickness = 0;
    int internalWidth = 0;
    int internalDepth = 0;
    if (type != 1 && type != 2) {
        thickness = ShownEditValue(inputs, kEditThickness);
        internalWidth = ShownEditValue(inputs, kEditInternalWidth);
        if (2 * static_cast<int64_t>(internalWidth) >= thickness) {
            return Refuse(key, kMsgInternalBeyondThickness, kEditInternalWidth);
        }
        if (thickness < 180 || thickness > 500) {
            return Refuse(key, kMsgThickness, kEditThickness);
        }
        if ((type == 3 || type == 4) && int64_t{thickness} - internalWidth < 180) {
            return Refuse(key, kMsgTrackDepth, kEditInternalWidth);
        }
        if (type == 6 || type == 7) {
            internalDepth = ShownEditValue(inputs, kEditInternalDepth);
            if (internalDepth > width) {
                return Refuse(key, kMsgInternalDepthRange, kEditInternalDepth);
            }
        }
    }
    KeyParams next = key;
    next.keyLength = length;
    next.keyWidth = width;
    next.locating = locating;
    next.thickness = thickness;
    next.internalWidth = internalWidth;
    next.internalDepth = static_cast<int16_t>(internalDepth);
    return Pass(next);
}

StepResult CheckSpaces(const WizardInputs& inputs, const KeyParams& key) {
    const int type = inputs.keyType;
    const int cutsA = Pick(inputs, kComboCutsA) + 2;
    const int cutsB = Pick(inputs, kComboCutsB) + 2;
    const int side = Pick(inputs, kComboEdge);
    const int passesA = inputs.lists[kListA].shown ? PassesA(type) : 0;
    const int passesB = inputs.lists[kListB].shown ? PassesB(type) : 0;
    std::vector<int> valuesA;
    std::vector<int> valuesB;
    if ((passesA > 0 && !ListValues(inputs.lists[kListA], cutsA, valuesA)) ||
        (passesB > 0 && !ListValues(inputs.lists[kListB], cutsB, valuesB))) {
        return Refuse(key, kMsgSpacesRange);
    }
    // The dimple types store a side twice: more cuts than the block holds cannot be kept.
    if (passesA * cutsA + passesB * cutsB > kMaxCuts) {
        return Refuse(key, kMsgSpacesRange);
    }
    if (key.locating == 0) {
        std::vector<int32_t> range(valuesA.begin(), valuesA.end());
        range.insert(range.end(), valuesB.begin(), valuesB.end());
        const uint32_t largest = MaxUntilZero(range, static_cast<int>(range.size()));
        const int length = EditValue(inputs, kEditLength);
        if (length < 0 || largest > static_cast<uint32_t>(length) || largest > 2850) {
            return Refuse(key, kMsgSpacesRange);
        }
    }
    KeyParams next = key;
    const CutGroups groups = GroupCuts(type, side, cutsA, cutsB);
    next.groupCount = static_cast<int8_t>(groups.groupCount);
    next.groupCountCopy = next.groupCount;
    std::fill(std::begin(next.cutsPerGroup), std::end(next.cutsPerGroup), 0);
    std::fill(std::begin(next.groupModes), std::end(next.groupModes), 0);
    std::copy(groups.cuts.begin(), groups.cuts.end(), next.cutsPerGroup);
    std::fill(next.groupModes, next.groupModes + groups.groupCount, 2);
    next.edgeSide = static_cast<uint8_t>(side);
    PassWriter writer;
    for (int pass = 0; pass < passesA; ++pass) {
        writer.Append(valuesA);
    }
    for (int pass = 0; pass < passesB; ++pass) {
        writer.Append(valuesB);
    }
    writer.Store(next.spaces, next.spaceLabels);
    next.spaceCount = writer.Count();
    return Pass(next);
}

StepResult CollectFlat(const WizardInputs& inputs, const KeyParams& key) {
    const WizardListInput& listC = inputs.lists[kListC];
    const WizardListInput& listD = inputs.lists[kListD];
    const int passesC = listC.shown ? PassesA(inputs.keyType) : 0;
    const int passesD = listD.shown ? PassesB(inputs.keyType) : 0;
    std::vector<int> valuesC;
    std::vector<int> valuesD;
    ListValues(listC, passesC > 0 ? listC.rows : 0, valuesC);
    ListValues(listD, passesD > 0 ? listD.rows : 0, valuesD);
    if (passesC * valuesC.size() + passesD * valuesD.size() > kMaxCuts) {
        return Refuse(key, kMsgSpacesRange);
    }
    // A flat is kept in one byte: a wider one would lose its high bits.
    for (const std::vector<int>* values : {&valuesC, &valuesD}) {
        if (std::any_of(values->begin(), values->end(), [](int v) { return v > 255; })) {
            return Refuse(key, kMsgFlatRange);
        }
    }
    KeyParams next = key;
    std::fill(std::begin(next.flats), std::end(next.flats), 0);
    uint8_t* flat = next.flats;
    for (auto [values, passes] : {std::pair{&valuesC, passesC}, std::pair{&valuesD, passesD}}) {
        for (int pass = 0; pass < passes; ++pass) {
            flat = std::copy(values->begin(), values->end(), flat);
        }
    }
    return Pass(next);
}

StepResult CheckLeaveStep(const WizardInputs& inputs, const KeyParams& key, int step) {
    if (step == 0 && inputs.keyType == 0) {
        return Refuse(key, kMsgSelectKey);
    }
    StepResult complete = CheckStepInputs(inputs, key, step);
    if (!complete.Passed()) {
        return complete;
    }
    switch (step) {
        case 1:
            return CheckKeyShape(inputs, key);
        case 2:
            return CheckSpaces(inputs, key);
        case 3:
            return CollectFlat(inputs, key);
        case 4:
            return CheckDepths(inputs, key);
        default:
            return complete;
    }
}
