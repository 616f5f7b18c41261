#pragma once
// The end of a wizard run: the tests of name and model, and the record a finished or an
// unfinished key is saved as.

#include <string>

#include "model/key_lists.h"
#include "model/key_records.h"
#include "wizard/step_checks.h"
#include "wizard/wizard_inputs.h"

// Shown when a key list could not be written to disk; the wizard keeps the user's input.
inline constexpr int kMsgSaveFailed = 260;
// Shown when a name or model does not fit its record field.
inline constexpr int kMsgNameTooLong = 261;

// The name a key is stored under: the typed name followed by "_U".
std::wstring StoredKeyName(const std::wstring& name);
// The typed name of a stored key: its name without a trailing "_U".
std::wstring TypedKeyName(const std::wstring& storedName);

// The finish's tests of name ("EditUI11") and model ("EditUI12"): every test runs, the last
// failing one keeps its message and focus; then the name must not be that of another
// finished key (the edited one excepted). "0" when the key may be saved.
StepResult CheckFinish(const WizardInputs& inputs, const KeyParams& key,
                       const KeyDataList& finished);
// An unfinished key needs a name of letters and digits that fits the record with its "_U".
StepResult CheckUnfinishedName(const std::wstring& name, const KeyParams& key);

// The record of a finished key. A new key takes `newKeyId`; an edited one keeps the id, maker
// and reserved bytes of the record it was loaded from.
KeyDataRecord BuildFinishedRecord(const WizardInputs& inputs, const KeyParams& key, int newKeyId);
// The record of an unfinished key named `name` (typed, without "_U").
KeyDataRecord BuildUnfinishedRecord(const WizardInputs& inputs, const KeyParams& key,
                                    const std::wstring& name, int newKeyId);
