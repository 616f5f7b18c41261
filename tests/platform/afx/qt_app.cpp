#include "platform/afx/qt_app.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>
#include <array>
#include <memory>
#include <vector>

#include "platform/dui/control.h"

namespace afx_test {
namespace {

// The application lives from before the first test to after the last, and is gone before
// static destruction begins (Qt's own statics must outlive it).
class AppEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }
    QApplication& app() { return *app_; }

  private:
    int argc_ = 1;
    char name_[9] = "test_afx";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

AppEnvironment* const g_environment =
    static_cast<AppEnvironment*>(::testing::AddGlobalTestEnvironment(new AppEnvironment));

}  // namespace

QApplication& App() {
    return g_environment->app();
}

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

void CloseAllWindows() {
    // Only windows that no widget owns: an owned one (a combo box's popup, a dialog with a
    // parent) goes with its owner, which may still reach it while it is destroyed.
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->parentWidget() == nullptr) {
            windows.emplace_back(widget);
        }
    }
    for (const QPointer<QWidget>& window : windows) {
        delete window.data();
    }
    Settle();
}

void Click(dui::CControlUI* control) {
    ASSERT_NE(control, nullptr);
    QWidget* widget = control->GetWidget();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void PressKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    ASSERT_NE(window->windowHandle(), nullptr);
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

void TypeKeys(QWidget* window, const std::string& text) {
    for (char c : text) {
        QTest::keyClick(window->windowHandle(), c);
    }
}

std::wstring FocusName(QWidget* window) {
    QWidget* focus = window->focusWidget();
    if (auto* rows = qobject_cast<QTreeWidget*>(focus)) {
        return rows->rootIsDecorated() ? L"tree" : L"list";
    }
    // An edit's line or a combo's box lies in the widget that bears its control's name.
    for (QWidget* w = focus; w != nullptr && w != window; w = w->parentWidget()) {
        if (!w->objectName().isEmpty()) {
            return w->objectName().toStdWString();
        }
    }
    return L"-";
}

bool ShowsFocusRing(QWidget* widget) {
    const QImage drawn = widget->grab().toImage();
    const int w = drawn.width();
    const int h = drawn.height();
    // Each edge's middle, the dark ring's inner pixel, and a step further in, the light ring's.
    for (const auto [x, y, inX, inY] : {std::array{w / 2, 1, 0, 1},
                                        {w / 2, h - 2, 0, -1},
                                        {1, h / 2, 1, 0},
                                        {w - 2, h / 2, -1, 0}}) {
        if (drawn.pixelColor(x, y) != QColor(0x1F2933) ||
            drawn.pixelColor(x + inX, y + inY) != QColor(Qt::white)) {
            return false;
        }
    }
    return true;
}

std::vector<std::wstring> WalkFocus(QWidget* window, const std::string& keys) {
    std::vector<std::wstring> names;
    for (char key : keys) {
        key == '>' ? PressKey(window, Qt::Key_Tab)
                   : PressKey(window, Qt::Key_Backtab, Qt::ShiftModifier);
        names.push_back(FocusName(window));
    }
    return names;
}

}  // namespace afx_test
