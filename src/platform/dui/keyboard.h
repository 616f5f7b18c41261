#pragma once
// The keyboard in a skinned window, as a skinned-window library's defaults have it. Tab and
// Shift+Tab go round the controls that are enabled, visible and take typing or can be pressed,
// in skin order, then through the windows shown inside it (skinned ones by the same rule, others
// by their widgets that take Tab), left to right, wrapping round; each move notifies "killfocus"
// and "setfocus" as a click does. Space and Enter press a button or option that the keyboard
// gave the focus, as a click does; a focused list takes its keys (CListUI::OnKey); Enter that
// nothing else takes presses the window's default button. Controls out of sight (a section folded
// to its title) are passed over. Private to the layer.

class QKeyEvent;
class QWidget;

namespace dui {

class CControlUI;
class CPaintManagerUI;

// A key pressed in the top-level skinned window `window`, before the widget with Qt's focus
// hears it: true when it was the window's.
bool HandleWindowKey(QWidget* window, const QKeyEvent& key);
// Gives the focus to the control that Tab would take it to from `from`, a control of the
// top-level window `window` or of a window inside it.
void FocusNextAfter(QWidget* window, const CControlUI& from);
// Presses the first shown and enabled button that the skin marks as the default one; false when
// there is none.
bool PressDefaultButton(CPaintManagerUI& manager);

}  // namespace dui
