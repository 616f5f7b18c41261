#pragma once
// The one application object of a test program (widgets need it; the tests run offscreen), and
// what every window test does with it.

class QApplication;

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

}  // namespace afx_test
