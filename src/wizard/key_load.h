#pragma once
// A stored record put back into the wizard's pages for editing. The record may come from an
// imported file: nothing of it is used as a count or a range before it is found sound.

#include <optional>

#include "model/key_records.h"
#include "wizard/wizard_inputs.h"

// Shown when a record cannot be edited.
inline constexpr const wchar_t* kInvalidKeyText = L"钥匙不合法！";

struct LoadedKey {
    WizardInputs inputs;  // what the pages show; the lists filled are marked shown
    KeyParams params{};   // the key being built, as the pages hold it
};

// The wizard's key choice for a stored key type (Channel Track is stored as 9).
int KeyChoiceOf(int storedType);

// nullopt when the record holds what the wizard could not have made: an unknown key type,
// groups that do not fit its choice, counts beyond the lists or the block. `finished`: the
// record lives among the finished keys.
std::optional<LoadedKey> LoadKeyRecord(const KeyDataRecord& record, bool finished);
