#include "ui_fixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "platform/afx/qt_app.h"
#include "platform/fs/fs.h"
#include "platform/text/text.h"

namespace ui_test {

void UiTest::SetUp() {
    afx_test::App();
    platform::OverrideProgramFolder(platform::Utf8ToWide(VM_APP_DIR));
}

void UiTest::TearDown() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        widget->deleteLater();
    }
    Settle();
}

void Click(dui::CControlUI* control) {
    ASSERT_NE(control, nullptr);
    QWidget* widget = control->GetWidget();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

void Later(std::function<void()> action) {
    QTimer::singleShot(0, std::move(action));
}

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

std::string SaveScreenshot(QWidget* window, const std::string& name) {
    std::string path = std::string(VM_SCREENSHOT_DIR) + name;
    window->grab().save(QString::fromStdString(path), "PNG");
    return path;
}

}  // namespace ui_test
