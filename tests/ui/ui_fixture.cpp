#include "ui_fixture.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <vector>

#include "platform/afx/qt_app.h"

namespace ui_test {

void LinkBuildSkin(const test::TempFolder& folder) {
    std::filesystem::create_directory_symlink(std::filesystem::path(VM_APP_DIR) / "skin",
                                              folder / "skin");
}

void UiTest::SetUp() {
    afx_test::App();
    LinkBuildSkin(program_);
}

void UiTest::TearDown() {
    // Windows own pop-ups that are top-level too: each goes once.
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        windows.emplace_back(widget);
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
