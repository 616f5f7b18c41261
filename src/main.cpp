#include <QApplication>
#include <QFontDatabase>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "ui/app.h"

namespace {

QWidget* ShownMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("XMLWnd") && widget->isVisible() &&
            widget->windowHandle() != nullptr && widget->windowHandle()->isExposed()) {
            return widget;
        }
    }
    return nullptr;
}

// Calls `then` with the main window once it is on the screen.
void WhenMainWindowShown(void (*then)(QWidget*)) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, [poll, then] {
        if (QWidget* window = ShownMainWindow()) {
            poll->stop();
            poll->deleteLater();
            then(window);
        }
    });
    poll->start();
}

bool EnvSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' && *value != '0';
}

// Hooks for CI and the start-up benchmark. VELLOMARDSTINE_EXIT_WHEN_SHOWN ends the program as
// soon as the main window is shown; VELLOMARDSTINE_REPORT_CLOSE_BUTTON prints where the close
// button lies on the screen, for a script that clicks it as a user would.
void InstallTestHooks() {
    if (EnvSet("VELLOMARDSTINE_EXIT_WHEN_SHOWN")) {
        WhenMainWindowShown([](QWidget*) { QCoreApplication::exit(0); });
    }
    if (EnvSet("VELLOMARDSTINE_REPORT_CLOSE_BUTTON")) {
        WhenMainWindowShown([](QWidget* window) {
            QWidget* button = window->findChild<QWidget*>(QStringLiteral("CloseBtn"));
            if (button != nullptr) {
                QPoint centre = button->mapToGlobal(button->rect().center());
                std::printf("close button at %d %d\n", centre.x(), centre.y());
                std::fflush(stdout);
            }
        });
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    InstallTestHooks();
    // Reading the system's fonts takes milliseconds; it goes on while the main window's skin is
    // read and its first controls are made, until one of them needs a font.
    std::thread fonts([] { QFontDatabase::families(); });
    int code = theApp.Run();
    fonts.join();
    return code;
}
