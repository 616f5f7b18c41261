#include "wizard/key_record.h"

#include <algorithm>
#include <cstring>

#include "platform/text/text.h"
#include "wizard/has_non_ascii.h"
#include "wizard/wizard_values.h"

namespace {

constexpr std::wstring_view kNameSuffix = L"_U";
// A key name or model field less its NUL.
constexpr size_t kNameBytes = sizeof(KeyParams::keyName) - 1;

size_t AnsiLength(const std::wstring& text) {
    return platform::WideToMultiByte(platform::AnsiCodePage(), text).size();
}

// The name and model tests run one after the other; the last one that fails keeps its message
// and its edit.
void Test(bool failed, int messageId, WizardEdit edit, StepResult& result) {
    if (failed) {
        result.messageId = messageId;
        result.focus = edit;
    }
}

bool NameTooLong(const std::wstring& name) {
    return AnsiLength(name) + kNameSuffix.size() > kNameBytes;
}

bool SameStoredName(const char (&field)[16], const KeyDataRecord& record) {
    return platform::FieldText(field) == platform::FieldText(record.keyName);
}

KeyDataRecord StartRecord(const WizardInputs& inputs, int newKeyId) {
    if (inputs.editMode) {
        return inputs.editRecord;
    }
    KeyDataRecord record{};
    record.keyId = static_cast<int16_t>(newKeyId);
    WideToAnsi(inputs.makerName, record.makerName);
    record.makerId = static_cast<uint32_t>(inputs.makerId);
    return record;
}

// What both saves change in the block: the stored name, a tip-located Channel Track key's
// side as the machine counts it, and the spaces sorted within each pass.
KeyParams PrepareParams(const WizardInputs& inputs, const KeyParams& key,
                        const std::wstring& name) {
    KeyParams params = key;
    WideToAnsi(StoredKeyName(name), params.keyName);
    if (inputs.keyType == 6 && params.locating == 1) {
        params.edgeSide = params.edgeSide == 0 ? 1 : 0;
    }
    SortSpacePasses(params, params.locating == 1);
    return params;
}

KeyBlankEntry Offsets(int offsetA, int offsetB) {
    KeyBlankEntry entry{};
    entry.offsetA = static_cast<int16_t>(offsetA);
    entry.offsetB = static_cast<int16_t>(offsetB);
    return entry;
}

KeyBlankEntry SideValue(const WizardInputs& inputs, bool first, WizardEdit zeroA,
                        WizardEdit intoA) {
    return first ? Offsets(0, EditValue(inputs, zeroA)) : Offsets(EditValue(inputs, intoA), 0);
}

void BuildBlanks(const WizardInputs& inputs, bool finished, KeyDataRecord& record) {
    const KeyParams& params = record.params;
    const KeyBlankEntry sideA = SideValue(inputs, inputs.offsetA1, kEditOffsetA1, kEditOffsetA2);
    const KeyBlankEntry sideB = SideValue(inputs, inputs.offsetB1, kEditOffsetB1, kEditOffsetB2);
    KeyBlankEntry entries[2] = {};
    switch (inputs.keyType) {
        case 3:
            entries[0] = sideA;
            break;
        case 4:
            if (finished) {
                // Half the width less the offset, rounded down also when it is negative.
                const int64_t difference =
                    int64_t{params.keyWidth} - EditValue(inputs, kEditOffsetA1);
                const int half = static_cast<int>((difference - (difference < 0 ? 1 : 0)) / 2);
                entries[0] = entries[1] = Offsets(half, 0);
            } else {
                entries[0] = sideA;
                entries[1] = Offsets(EditValue(inputs, kEditOffsetB1), 0);
            }
            break;
        case 5:
        case 6:
            entries[0] = sideA;
            entries[1] = sideB;
            break;
        case 7:
            entries[0] = sideA;
            entries[1] = Offsets(EditValue(inputs, kEditOffsetB1), 0);
            break;
        default:
            break;
    }
    record.blankCount = inputs.keyType == 3 ? 1 : 2;
    for (int i = 0; i < record.blankCount; ++i) {
        KeyBlankEntry& entry = record.blanks[i];
        entry = entries[i];
        entry.keyId = finished ? static_cast<uint32_t>(int32_t{record.keyId}) : 0;
        entry.side = static_cast<uint16_t>(inputs.keyType == 3 ? (params.edgeSide != 0) : i);
        entry.finished = finished ? 1 : 0;
    }
}

}  // namespace

std::wstring StoredKeyName(const std::wstring& name) {
    return name + std::wstring(kNameSuffix);
}

std::wstring TypedKeyName(const std::wstring& storedName) {
    if (storedName.ends_with(kNameSuffix)) {
        return storedName.substr(0, storedName.size() - kNameSuffix.size());
    }
    return storedName;
}

StepResult CheckFinish(const WizardInputs& inputs, const KeyParams& key,
                       const KeyDataList& finished) {
    StepResult result{0, kNoEdit, key};
    const std::wstring& name = inputs.Text(kEditName);
    const std::wstring& model = inputs.Text(kEditModel);
    Test(name.empty(), kMsgIncomplete, kEditName, result);
    Test(model.empty(), kMsgIncomplete, kEditModel, result);
    Test(HasNonAscii(name), kMsgNonAscii, kEditName, result);
    Test(HasNonAscii(model), kMsgNonAscii, kEditModel, result);
    if (result.Passed()) {
        Test(AnsiLength(model) > kNameBytes, kMsgNameTooLong, kEditModel, result);
        Test(NameTooLong(name), kMsgNameTooLong, kEditName, result);
    }
    // Names are compared as they are stored; the edited key may keep its own.
    KeyParams candidate{};
    WideToAnsi(StoredKeyName(name), candidate.keyName);
    for (const KeyDataRecord& record : finished) {
        if (inputs.editMode && record.keyId == inputs.editRecord.keyId) {
            continue;
        }
        if (SameStoredName(candidate.keyName, record)) {
            result.messageId = kMsgDuplicate;
            break;
        }
    }
    return result;
}

StepResult CheckUnfinishedName(const std::wstring& name, const KeyParams& key) {
    StepResult result{0, kNoEdit, key};
    Test(name.empty(), kMsgIncomplete, kEditName, result);
    Test(HasNonAscii(name), kMsgNonAscii, kEditName, result);
    Test(result.Passed() && NameTooLong(name), kMsgNameTooLong, kEditName, result);
    return result;
}

KeyDataRecord BuildFinishedRecord(const WizardInputs& inputs, const KeyParams& key, int newKeyId) {
    KeyDataRecord record = StartRecord(inputs, newKeyId);
    record.params = PrepareParams(inputs, key, inputs.Text(kEditName));
    KeyParams& params = record.params;
    params.status = KeyStatusLive;
    for (int32_t& mark : params.statusMarks) {
        mark = -1;
    }
    WideToAnsi(inputs.Text(kEditModel), params.modelName);
    WideToAnsi(inputs.Text(kEditModel), record.modelName);
    record.blankCount = 0;
    if (!inputs.useDefaultClamp) {
        BuildBlanks(inputs, true, record);
        if (inputs.keyType == 7 || inputs.keyType == 8) {
            params.dimpleMarks[0] = -1;
            params.dimpleMarks[1] = -2;
        }
        if (inputs.keyType == 7) {
            params.dimpleMarks[2] = 100;
        }
    }
    std::memcpy(record.keyName, params.keyName, sizeof(record.keyName));
    return record;
}

KeyDataRecord BuildUnfinishedRecord(const WizardInputs& inputs, const KeyParams& key,
                                    const std::wstring& name, int newKeyId) {
    KeyDataRecord record = StartRecord(inputs, newKeyId);
    record.params = PrepareParams(inputs, key, name);
    record.blankCount = 0;
    if (!inputs.useDefaultClamp) {
        BuildBlanks(inputs, false, record);
    }
    std::memcpy(record.keyName, record.params.keyName, sizeof(record.keyName));
    return record;
}
