#pragma once
// The one application object of a test program (widgets need it; the tests run offscreen).

class QApplication;

namespace afx_test {

QApplication& App();

}  // namespace afx_test
