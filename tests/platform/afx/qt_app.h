#pragma once
// The one application object of a test program (widgets need it; the tests run offscreen), and
// what every window test does with it.

#include <qnamespace.h>
#include <string>
#include <vector>

class QApplication;
class QWidget;

namespace dui {
class CControlUI;
}

namespace afx_test {

QApplication& App();

// Lets queued work run (layouts, deferred deletions).
void Settle();
// Deletes every top-level window; windows own pop-ups that are top-level too: each goes once.
void CloseAllWindows();
// Clicks a control with the mouse, as a user would.
void Click(dui::CControlUI* control);
// Presses a key in the top-level window, as a user would: the window hears it before the widget
// that has its focus.
void PressKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types plain ASCII text into the window, a key a character.
void TypeKeys(QWidget* window, const std::string& text);
// The name of the control that has the window's keyboard focus ("tree" or "list" for those of
// a dialog inside it), "-" for none.
std::wstring FocusName(QWidget* window);
// Whether the widget is drawn with the keyboard's focus ring whole: dark just inside the middle
// of each of its edges, light just inside that.
bool ShowsFocusRing(QWidget* widget);
// Presses Tab for each '>' of `keys` and Shift+Tab for each '<'; answers where the focus went
// each time.
std::vector<std::wstring> WalkFocus(QWidget* window, const std::string& keys);

}  // namespace afx_test
