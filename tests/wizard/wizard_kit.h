#pragma once
// The wizard's pages as a snapshot, shown as the window shows them for a key type and side.

#include <string>
#include <vector>

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

}  // namespace test
