#include <algorithm>
#include <vector>

#include "wizard/step_checks.h"
#include "wizard/wizard_values.h"

namespace {

StepResult Refuse(const KeyParams& key, int messageId) {
    return {messageId, kNoEdit, key};
}

// The first n entries of a table, never beyond it.
std::span<const int32_t> Leading(const CutTable& table, int n) {
    return std::span<const int32_t>(table).first(std::clamp(n, 0, kMaxCuts));
}

}  // namespace

StepResult CheckDepths(const WizardInputs& inputs, const KeyParams& key) {
    const int type = inputs.keyType;
    const int picked = Pick(inputs, kComboDepths) + 2;
    const int countE = type == 7 ? Pick(inputs, kComboCircle) + 2 : picked;
    const int countF = type == 7 ? Pick(inputs, kComboGroove) + 2 : picked;
    const int width = EditValue(inputs, kEditWidth);
    const int edgeA = EditValue(inputs, kEditEdgeDistanceA);
    const int edgeB = ShownEditValue(inputs, kEditEdgeDistanceB);
    const bool shownE = inputs.lists[kListE].shown;
    const bool shownF = inputs.lists[kListF].shown;
    std::vector<int> valuesE;
    std::vector<int> valuesF;
    if ((shownE && !ListValues(inputs.lists[kListE], countE, valuesE)) ||
        (shownF && !ListValues(inputs.lists[kListF], type == 7 ? countF : countE, valuesF))) {
        return Refuse(key, kMsgDepthsZero);
    }
    std::vector<int32_t> range(valuesE.begin(), valuesE.end());
    if (type == 7) {
        range.insert(range.end(), valuesF.begin(), valuesF.end());
    }
    const int n = static_cast<int>(range.size());
    const int64_t largest = MaxUntilZero(range, n);
    const int64_t smallest = MinUntilZero(range, n);
    if ((type == 1 || type == 2) && smallest - width / 2 < 170) {
        return Refuse(key, kMsgCutClamp);
    }
    if ((type == 7 && smallest < 5) || ((type == 5 || type == 6) && smallest < 40)) {
        return Refuse(key, kMsgDepthMin);
    }
    if (type == 5 && largest > width / 2) {
        return Refuse(key, kMsgDepthHalfWidth);
    }
    if (type == 6 && EditValue(inputs, kEditInternalDepth) + largest > width) {
        return Refuse(key, kMsgDepthRange);
    }
    KeyParams next = key;
    std::fill(std::begin(next.depthsPerGroup), std::end(next.depthsPerGroup), 0);
    PassWriter writer;
    if (shownE) {
        const int passes = PassesA(type);
        for (int pass = 0; pass < passes; ++pass) {
            writer.Append(valuesE);
            next.depthsPerGroup[pass] = static_cast<int8_t>(countE);
        }
    }
    next.edgeDistances[0] = next.edgeDistances[1] = static_cast<int16_t>(edgeA);
    next.edgeDistances[2] = next.edgeDistances[3] = static_cast<int16_t>(edgeB);
    if (shownF) {
        const int passes = PassesB(type);
        const int first = type == 7 || type == 8 ? 2 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            writer.Append(valuesF);
            next.depthsPerGroup[first + pass] = static_cast<int8_t>(valuesF.size());
        }
    }
    if (next.groupCount == 2) {
        writer.Repeat(writer.Count());
        next.depthsPerGroup[1] = static_cast<int8_t>(picked);
    }
    writer.Store(next.depths, next.depthLabels);
    next.depthCount = writer.Count();
    return {0, kNoEdit, next};
}

int GetViceType(int keyType) {
    return keyType == 1 || keyType == 2 || keyType == 7 || keyType == 8 ? 1 : 2;
}

int GetVicePosition(int keyType, const KeyParams& key, int clampType) {
    if (clampType == 1) {
        return 0;
    }
    if (key.thickness > 300) {
        return 4;
    }
    switch (keyType) {
        case 3:
            return key.edgeSide == 0 ? 3 : 2;
        case 4:
            return 1;
        case 5:
            return 2;
        case 6: {
            const CutTable table = TableOf(key.depths);
            auto depths = Leading(table, key.depthCount);
            const int n = static_cast<int>(depths.size());
            const int64_t rest =
                int64_t{key.keyWidth} - key.internalDepth - MaxUntilZero(depths, n);
            const bool wide = rest > int64_t{MinUntilZero(depths, n)};
            return wide == (key.edgeSide != 0) ? 3 : 2;
        }
        default:
            return 0;
    }
}

int GetViceImageIndex(const KeyParams& key, int clampType) {
    if (key.locating == 0) {
        return 0;
    }
    if (clampType != 1) {
        return 2;
    }
    const CutTable spaces = TableOf(key.spaces);
    uint32_t largest = 0;
    int start = 0;
    const int groups = std::clamp<int>(key.groupCount, 0, std::size(key.cutsPerGroup));
    for (int g = 0; g < groups; ++g) {
        const int n = std::clamp<int>(key.cutsPerGroup[g], 0, kMaxCuts - start);
        largest = std::max(largest, MaxUntilZero(std::span(spaces).subspan(start), n));
        start += n;
    }
    const int64_t reach = int64_t{largest} + 200;
    if (reach > 2700) {
        return 5;
    }
    if (reach > 2400) {
        return 4;
    }
    return reach > 2100 ? 3 : 2;
}

void BubbleSortU32(std::span<int32_t> values, int count, int start, bool descending,
                   std::span<uint8_t> companion) {
    if (start < 0 || count < 1) {
        return;
    }
    count =
        std::min<int>(count, static_cast<int>(values.size()) - std::min<int>(start, values.size()));
    for (int pass = 0; pass < count; ++pass) {
        for (int i = start; i < start + count - 1 - pass; ++i) {
            const uint32_t left = static_cast<uint32_t>(values[i]);
            const uint32_t right = static_cast<uint32_t>(values[i + 1]);
            if (descending ? left < right : left > right) {
                std::swap(values[i], values[i + 1]);
                if (i + 1 < static_cast<int>(companion.size())) {
                    std::swap(companion[i], companion[i + 1]);
                }
            }
        }
    }
}

uint32_t MaxUntilZero(std::span<const int32_t> values, int n) {
    uint32_t largest = 0;
    for (int i = 0; i < std::min<int>(n, values.size()) && values[i] != 0; ++i) {
        largest = std::max(largest, static_cast<uint32_t>(values[i]));
    }
    return largest;
}

uint32_t MinUntilZero(std::span<const int32_t> values, int n) {
    uint32_t smallest = 3000;
    for (int i = 0; i < std::min<int>(n, values.size()); ++i) {
        smallest = std::min(smallest, static_cast<uint32_t>(values[i]));
        if (values[i] == 0) {
            break;
        }
    }
    return smallest;
}
