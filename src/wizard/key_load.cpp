#include "wizard/key_load.h"

#include <cstdint>
#include <numeric>
#include <vector>

#include "model/key_lists.h"
#include "platform/text/text.h"
#include "wizard/key_record.h"
#include "wizard/wizard_values.h"

namespace {

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

bool ValidCuts(int cuts) {
    return InRange(cuts, 2, 15);
}

bool ValidDepths(int depths) {
    return InRange(depths, 2, 8);
}

// The side the pages pick: the count of groups for the four-track types, else the edge as
// the pages showed it.
int SidePick(int choice, const KeyParams& params) {
    const bool fourTrack = choice == 4 || choice == 5;
    return fourTrack && params.groupCount > 0 ? params.groupCount - 1 : params.edgeSide;
}

// The second list's cut count as the groups carry it.
int CutsB(int choice, const KeyParams& params) {
    return choice == 7 ? params.cutsPerGroup[2] : params.cutsPerGroup[1];
}

// Side A alone: the one-sided types, and the others picked with one side.
bool OneSide(int choice, int side) {
    return choice == 1 || choice == 3 || choice == 6 || (choice != 7 && side == 0);
}

// An unfinished key may be saved before its spaces or depths step was passed.
bool HasSpaces(const KeyParams& params) {
    return params.groupCount != 0;
}
bool HasDepths(const KeyParams& params) {
    return params.depthsPerGroup[0] != 0;
}

bool SoundSpaces(int choice, const KeyParams& params) {
    const int side = SidePick(choice, params);
    const int cutsA = params.cutsPerGroup[0];
    const int cutsB = OneSide(choice, side) ? cutsA : CutsB(choice, params);
    if (!InRange(side, 0, 1) || !ValidCuts(cutsA) || !ValidCuts(cutsB)) {
        return false;
    }
    const CutGroups groups = GroupCuts(choice, side, cutsA, cutsB);
    if (params.groupCount != groups.groupCount ||
        std::accumulate(groups.cuts.begin(), groups.cuts.end(), 0) > kMaxCuts) {
        return false;
    }
    for (size_t g = 0; g < groups.cuts.size(); ++g) {
        if (params.cutsPerGroup[g] != groups.cuts[g]) {
            return false;
        }
    }
    return true;
}

// The record is what the wizard makes for its choice: its groups are the groups its picks
// would make, every count lies within its combo, and all of it fits the block.
bool SoundRecord(int choice, const KeyDataRecord& record) {
    const KeyParams& params = record.params;
    if (choice == 0 || params.locating > 1 || params.edgeSide > 1 || record.blankCount > 2 ||
        (choice == 2 && params.edgeSide != 0)) {
        return false;
    }
    if (HasSpaces(params) && !SoundSpaces(choice, params)) {
        return false;
    }
    return !HasDepths(params) || (ValidDepths(params.depthsPerGroup[0]) &&
                                  (choice != 7 || ValidDepths(params.depthsPerGroup[2])));
}

std::wstring Decimal(int64_t value) {
    return platform::Format(L"%d", value);
}

void SetEdit(WizardInputs& inputs, WizardEdit edit, const std::wstring& text) {
    inputs.edits[edit].text = text;
}

// Entries first+1 .. first+count of a table (1-based as the pages count rows).
template <typename T, size_t N>
void FillList(WizardInputs& inputs, WizardList list, const std::array<T, N>& table, int first,
              int count) {
    WizardListInput& input = inputs.lists[list];
    input.texts.clear();
    for (int i = first; i < std::min<int>(first + count, N); ++i) {
        input.texts.push_back(Decimal(table[i]));
    }
    input.rows = count;
    input.shown = true;
}

// Lists A and C (or B and D) with the same entries of spaces and flats.
void FillSide(WizardInputs& inputs, bool sideB, const KeyParams& params, int first, int count) {
    std::array<uint8_t, kMaxCuts> flats;
    std::copy(std::begin(params.flats), std::end(params.flats), flats.begin());
    FillList(inputs, sideB ? kListB : kListA, TableOf(params.spaces), first, count);
    FillList(inputs, sideB ? kListD : kListC, flats, first, count);
}

void LoadClamp(const KeyDataRecord& record, bool finished, int choice, WizardInputs& inputs) {
    inputs.useDefaultClamp = record.blankCount == 0;
    if (inputs.useDefaultClamp || choice < 3 || choice > 7) {
        return;
    }
    const KeyBlankEntry& first = record.blanks[0];
    const KeyBlankEntry& second = record.blanks[1];
    if (choice == 4 && finished) {
        // A finished four-track key keeps half the width less this offset: give back the
        // offset that makes the same half again.
        SetEdit(inputs, kEditOffsetA1,
                Decimal(int64_t{record.params.keyWidth} - 2 * first.offsetA));
    } else {
        inputs.offsetA1 = first.offsetA == 0;
        SetEdit(inputs, inputs.offsetA1 ? kEditOffsetA1 : kEditOffsetA2,
                Decimal(inputs.offsetA1 ? first.offsetB : first.offsetA));
    }
    if (choice == 4 || choice == 7) {
        SetEdit(inputs, kEditOffsetB1, Decimal(second.offsetA));
    } else {
        inputs.offsetB1 = second.offsetA == 0;
        SetEdit(inputs, inputs.offsetB1 ? kEditOffsetB1 : kEditOffsetB2,
                Decimal(inputs.offsetB1 ? second.offsetB : second.offsetA));
    }
}

void LoadLists(int choice, const KeyParams& params, WizardInputs& inputs) {
    const int side = SidePick(choice, params);
    const bool oneSide = OneSide(choice, side);
    // The dimple types hold side A twice before side B.
    const bool dimple = choice == 7 || choice == 8;
    if (HasSpaces(params)) {
        const int c0 = params.cutsPerGroup[0];
        const bool sideB = oneSide && side == 1 && choice != 2 && choice != 4 && choice != 5;
        inputs.picks[sideB ? kComboCutsB : kComboCutsA] = c0 - 2;
        FillSide(inputs, sideB, params, 0, c0);
        if (!oneSide) {
            const int cB = CutsB(choice, params);
            inputs.picks[kComboCutsB] = cB - 2;
            FillSide(inputs, true, params, dimple ? 2 * c0 : c0, cB);
        }
    }
    if (HasDepths(params)) {
        const int d0 = params.depthsPerGroup[0];
        const int dF = choice == 7 ? params.depthsPerGroup[2] : d0;
        inputs.picks[choice == 7 ? kComboCircle : kComboDepths] = d0 - 2;
        FillList(inputs, kListE, TableOf(params.depths), 0, d0);
        if (!oneSide) {
            FillList(inputs, kListF, TableOf(params.depths), dimple ? 2 * d0 : d0, dF);
        }
        if (choice == 7) {
            inputs.picks[kComboGroove] = dF - 2;
        }
    }
}

}  // namespace

int KeyChoiceOf(int storedType) {
    switch (storedType) {
        case KeyTypeChannelTrack:
            return 6;
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 7:
        case 8:
            return storedType;
        default:
            return 0;
    }
}

std::optional<LoadedKey> LoadKeyRecord(const KeyDataRecord& record, bool finished) {
    const int choice = KeyChoiceOf(record.params.keyType);
    if (!SoundRecord(choice, record)) {
        return std::nullopt;
    }
    LoadedKey loaded;
    KeyParams& params = loaded.params;
    params = record.params;
    // Undo what the save changed, so that the block holds what the pages show.
    if (choice == 6 && params.locating == 1) {
        params.edgeSide = params.edgeSide == 0 ? 1 : 0;
    }
    if (params.locating == 1) {
        SortSpacePasses(params, false);
    }
    WizardInputs& inputs = loaded.inputs;
    inputs.keyType = choice;
    inputs.editMode = true;
    inputs.editRecord = record;
    SetEdit(inputs, kEditName, TypedKeyName(AnsiToWide(params.keyName)));
    SetEdit(inputs, kEditModel, AnsiToWide(params.modelName));
    SetEdit(inputs, kEditLength, Decimal(params.keyLength));
    SetEdit(inputs, kEditWidth, Decimal(params.keyWidth));
    SetEdit(inputs, kEditThickness, Decimal(params.thickness));
    SetEdit(inputs, kEditInternalWidth, Decimal(params.internalWidth));
    SetEdit(inputs, kEditInternalDepth, Decimal(params.internalDepth));
    SetEdit(inputs, kEditEdgeDistanceA, Decimal(params.edgeDistances[0]));
    SetEdit(inputs, kEditEdgeDistanceB, Decimal(params.edgeDistances[2]));
    LoadClamp(record, finished, choice, inputs);
    inputs.picks[kComboLocating] = params.locating;
    inputs.picks[kComboEdge] = SidePick(choice, params);
    LoadLists(choice, params, inputs);
    return loaded;
}
