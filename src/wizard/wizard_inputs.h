#pragma once
// What the key wizard's pages hold at one moment, gathered from its controls by the window so
// that the step checks, the saves and the load can be judged without a window. The load fills
// one of these for the window to put back into its controls.

#include <array>
#include <string>
#include <vector>

#include "model/key_records.h"

// The wizard's edits by the number in their names ("EditUI%d"); 0 names no edit.
enum WizardEdit : int {
    kNoEdit = 0,
    kEditLength = 1,          // "EditUI1", row "LenghtContainer"
    kEditWidth = 2,           // "EditUI2", row "WidthContainer"
    kEditThickness = 3,       // "EditUI3", row "BladeContainer"
    kEditInternalWidth = 4,   // "EditUI4", row "KeyZDepthContainer"
    kEditInternalDepth = 5,   // "EditUI5", row "SlotWidthContainer"
    kEditOffsetA1 = 6,        // side A offset, "OptionA1"
    kEditOffsetA2 = 7,        // side A offset, "OptionA2"
    kEditOffsetB1 = 8,        // side B offset, "OptionB1"
    kEditOffsetB2 = 9,        // side B offset, "OptionB2"
    kEditEdgeDistanceA = 10,  // centre-to-edge distance of side A
    kEditName = 11,
    kEditModel = 12,
    kEditEdgeDistanceB = 15,  // centre-to-edge distance of side B
};
inline constexpr int kWizardEditCount = 15;

// The combo boxes in their order ("LocatingPartyComb" first).
enum WizardCombo : int {
    kComboLocating = 0,  // 0 shoulder, 1 tip
    kComboEdge = 1,      // "keyEdgeCombo"
    kComboCutsA = 2,     // "step3ACombo": pick k means k + 2 cuts
    kComboCutsB = 3,     // "step3BCombo"
    kComboDepths = 4,    // "keyDepthCombo": pick k means k + 2 depths
    kComboCircle = 5,    // "circleCombo", Dimple+Track only
    kComboGroove = 6,    // "grooveCombo", Dimple+Track only
};
inline constexpr int kWizardComboCount = 7;

// The cell lists in their order ("Step3ListA" first).
enum WizardList : int {
    kListA = 0,  // spaces of side A
    kListB = 1,  // spaces of side B
    kListC = 2,  // flats of side A
    kListD = 3,  // flats of side B
    kListE = 4,  // depths of side A
    kListF = 5,  // depths of side B, or the second depth set of Dimple+Track
};
inline constexpr int kWizardListCount = 6;

struct WizardEditInput {
    std::wstring text;
    // Visible on its page: for the key-shape edits, their parameter row.
    bool shown = false;
};

struct WizardListInput {
    // The texts the wizard keeps for the list, one per row ever shown; longer than `rows`
    // when the list was set to fewer rows since.
    std::vector<std::wstring> texts;
    int rows = 0;  // rows the list shows now
    bool shown = false;
};

struct WizardInputs {
    int keyType = 0;  // the wizard's own numbering 1..8 ("keyType%d"), 0 none
    int step = 0;     // 0..5
    // Indexed by the edit's number; entry 0 unused.
    std::array<WizardEditInput, kWizardEditCount + 1> edits{};
    std::array<int, kWizardComboCount> picks{-1, -1, -1, -1, -1, -1, -1};  // -1: no pick
    std::array<WizardListInput, kWizardListCount> lists{};
    bool useDefaultClamp = true;  // "Step4Option" ticked: no clamp entries
    bool offsetA1 = true;         // "OptionA1" selected, else "OptionA2"
    bool offsetB1 = true;         // "OptionB1" selected, else "OptionB2"

    // The run: a new key goes under a maker; an edited one keeps its stored record.
    bool editMode = false;
    std::wstring makerName;
    int makerId = 0;
    KeyDataRecord editRecord{};

    const std::wstring& Text(WizardEdit edit) const { return edits[edit].text; }
    bool Shown(WizardEdit edit) const { return edits[edit].shown; }
};
