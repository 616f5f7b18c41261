#pragma once
// The wizard's judgement of a step: what must be typed before a step is left forward, and
// the part of the key that a passed step writes. A refused step writes nothing.

#include <cstdint>
#include <span>
#include <string>

#include "model/key_records.h"
#include "wizard/wizard_inputs.h"

struct StepResult {
    int messageId = 0;           // string id of the refusal; 0 when the step passed
    WizardEdit focus = kNoEdit;  // the edit that takes the focus with its text selected
    KeyParams params{};          // the key after the step; as it was when refused

    bool Passed() const { return messageId == 0; }
    // The refusal in the current language, "0" when the step passed.
    std::wstring Message() const;
};

// Completeness of the step's inputs (steps 0 and 5 always pass).
StepResult CheckStepInputs(const WizardInputs& inputs, const KeyParams& key, int step);
StepResult CheckKeyShape(const WizardInputs& inputs, const KeyParams& key);
StepResult CheckSpaces(const WizardInputs& inputs, const KeyParams& key);
StepResult CollectFlat(const WizardInputs& inputs, const KeyParams& key);
StepResult CheckDepths(const WizardInputs& inputs, const KeyParams& key);
// Leaving `step` forward: no key type on step 0, then completeness, then the step's own check.
StepResult CheckLeaveStep(const WizardInputs& inputs, const KeyParams& key, int step);

// The recommended clamp, taken when the last step is entered.
int GetViceType(int keyType);
int GetVicePosition(int keyType, const KeyParams& key, int clampType);
int GetViceImageIndex(const KeyParams& key, int clampType);

// Sorts values[start .. start+count-1] as unsigned numbers, largest first when descending,
// moving the same entries of `companion` along; entries beyond the span are never touched.
void BubbleSortU32(std::span<int32_t> values, int count, int start, bool descending,
                   std::span<uint8_t> companion = {});
// Largest of the first n values as unsigned numbers, the scan ending at the first 0.
uint32_t MaxUntilZero(std::span<const int32_t> values, int n);
// Smallest of the first n values from 3000 on, the scan ending after the first 0.
uint32_t MinUntilZero(std::span<const int32_t> values, int n);
