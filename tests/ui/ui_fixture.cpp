#include "ui_fixture.h"

#include <QCoreApplication>
#include <filesystem>

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
    afx_test::CloseAllWindows();
}

void Later(std::function<void()> action) {
    QTimer::singleShot(0, std::move(action));
}

ScopedLoopDeadline::ScopedLoopDeadline(std::chrono::milliseconds after) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    timer_.start(after);
}

std::string SaveScreenshot(QWidget* window, const std::string& name) {
    std::string path = std::string(VM_SCREENSHOT_DIR) + name;
    window->grab().save(QString::fromStdString(path), "PNG");
    return path;
}

}  // namespace ui_test
