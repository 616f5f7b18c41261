#pragma once
// The wizard's pages as a snapshot, shown as the window shows them for a key type and side.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "wizard/step_checks.h"
#include "wizard/wizard_inputs.h"

namespace test {

inline std::vector<std::wstring> Texts(std::initializer_list<int> values) {
    std::vector<std::wstring> texts;
    for (int value : values) {
        texts.push_back(std::to_wstring(value));
    }
    return texts;
}

inline void SetList(WizardInputs& inputs, WizardList list, std::vector<std::wstring> texts) {
    inputs.lists[list].rows = static_cast<int>(texts.size());
    inputs.lists[list].texts = std::move(texts);
}

inline void SetEdit(WizardInputs& inputs, WizardEdit edit, int value) {
    inputs.edits[edit].text = std::to_wstring(value);
}

// Rows and lists the pages show for a key type (the wizard's numbering) and side pick.
inline WizardInputs PagesFor(int type, int side = 0) {
    WizardInputs inputs;
    inputs.keyType = type;
    const int shapeRows = type <= 2 ? 2 : type == 8 ? 3 : type <= 5 ? 4 : 5;
    for (int edit = kEditLength; edit <= shapeRows; ++edit) {
        inputs.edits[edit].shown = true;
    }
    const bool both = type == 7 || (side == 1 && (type == 4 || type == 5 || type == 8));
    const bool onlyB = side == 1 && (type == 1 || type == 3 || type == 6);
    inputs.lists[kListA].shown = inputs.lists[kListC].shown = both || !onlyB;
    inputs.lists[kListB].shown = inputs.lists[kListD].shown = both || onlyB;
    inputs.lists[kListE].shown = true;
    inputs.lists[kListF].shown = both && type != 2;
    inputs.edits[kEditEdgeDistanceA].shown = type == 7 || type == 8;
    inputs.edits[kEditEdgeDistanceB].shown = type == 8 && side == 1;
    inputs.picks = {0, side, 6, 6, 2, 2, 2};
    return inputs;
}

// A key of the type that passes every step: spaces 800, 1200, 400 and 500, 900, three depths,
// every offset edit typed.
inline WizardInputs DefinedPages(int type, int side, int locating, bool offsetsFirst) {
    WizardInputs inputs = PagesFor(type, side);
    inputs.picks = {locating, side, 1, 0, 1, 1, 0};
    const int values[] = {0, 2500, 1000, 300, 100, 200, 300, 70, 60, 30, 150, 0, 0, 0, 0, 160};
    for (int edit = kEditLength; edit <= kEditEdgeDistanceB; ++edit) {
        SetEdit(inputs, static_cast<WizardEdit>(edit), values[edit]);
    }
    inputs.edits[kEditName].text = L"AB12";
    inputs.edits[kEditModel].text = L"X5";
    SetList(inputs, kListA, Texts({800, 1200, 400}));
    SetList(inputs, kListB, Texts({500, 900}));
    SetList(inputs, kListC, Texts({80, 120, 40}));
    SetList(inputs, kListD, Texts({50, 90}));
    SetList(inputs, kListE, type <= 2 ? Texts({900, 800, 700}) : Texts({450, 300, 100}));
    SetList(inputs, kListF, type <= 2 ? Texts({880, 780, 690}) : Texts({420, 310, 120}));
    inputs.useDefaultClamp = false;
    inputs.offsetA1 = inputs.offsetB1 = offsetsFirst;
    inputs.makerName = L"Audi";
    inputs.makerId = 7;
    return inputs;
}

// Every step passed forward, and the clamp recommended as the last step is entered.
inline KeyParams PassAllSteps(const WizardInputs& inputs, KeyParams key) {
    key.keyType = inputs.keyType == 6 ? KeyTypeChannelTrack : inputs.keyType;
    for (int step = 0; step <= 4; ++step) {
        StepResult result = CheckLeaveStep(inputs, key, step);
        EXPECT_TRUE(result.Passed()) << "step " << step << ": " << result.messageId;
        key = result.params;
    }
    key.clampType = static_cast<int8_t>(GetViceType(inputs.keyType));
    key.clampSide = static_cast<int8_t>(GetVicePosition(inputs.keyType, key, key.clampType));
    key.clampPicture = GetViceImageIndex(key, key.clampType);
    return key;
}

}  // namespace test
