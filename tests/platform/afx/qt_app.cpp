#include "platform/afx/qt_app.h"

#include <QApplication>

namespace afx_test {

QApplication& App() {
    static int argc = 1;
    static char name[] = "test_afx";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

}  // namespace afx_test
