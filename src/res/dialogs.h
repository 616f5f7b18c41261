#pragma once
// The dialog templates and menus of the windows that are dialogs: the key tree panel, the
// update tools and the serial-number prompt, by their resource ids.

#include "platform/afx/dialog_template.h"
#include "platform/afx/menu.h"

namespace res {

inline constexpr int kKeyTreeDialog = 101;
inline constexpr int kSerialNumberDialog = 335;
inline constexpr int kUpdateDialog = 491;
inline constexpr int kVorlantrexUpdateDialog = 492;
inline constexpr int kKeyTreeMenu = 338;
inline constexpr int kUpdateToolsMenu = 494;

// The template or menu with an id; an empty one (id 0) for an id that has none.
const afx::DialogTemplate& DialogResource(int id);
const afx::MenuTemplate& MenuResource(int id);

}  // namespace res
