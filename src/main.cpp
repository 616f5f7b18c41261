#include <QApplication>
#include <QFontDatabase>
#include <QTimer>
#include <QTreeWidget>
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

// Calls `then` once the main window is on the screen.
void WhenMainWindowShown(void (*then)()) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, [poll, then] {
        if (ShownMainWindow() != nullptr) {
            poll->stop();
            poll->deleteLater();
            then();
        }
    });
    poll->start();
}

bool EnvSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' && *value != '0';
}

// Each time a skinned window shows, prints where its named controls lie, and the first row of
// each list or tree in it, as "NAME at X Y in ID" ("row" for a row): X Y within the top-level
// window whose X window id is ID. Reported once the event loop runs, when the window is laid
// out; a window shown but never mapped is reported too, so a script can tell it from none.
// Each time a widget takes the keyboard's focus, prints "focus NAME": the control's name (of the
// widget or the one it lies in), else the widget's class; "popup" once a pop-up menu is open;
// "key" once a key pressed has been handled, with all that it did at once; "selected LABEL" each
// time the key tree's selection moves.
class ControlReporter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched->isWindowType()) {
            QTimer::singleShot(0, qApp, [] { std::printf("key\n"); });
        }
        auto* window = qobject_cast<QWidget*>(watched);
        if (window == nullptr) {
            return false;
        }
        if (event->type() == QEvent::Show && window->objectName() == QLatin1String("XMLWnd")) {
            QTimer::singleShot(0, window, [window] { Report(window); });
        } else if (event->type() == QEvent::Show && window->windowType() == Qt::Popup) {
            QTimer::singleShot(0, window, [] { std::printf("popup\n"); });
        } else if (event->type() == QEvent::FocusIn) {
            std::printf("focus %s\n", qPrintable(FocusName(window)));
        }
        return false;
    }

  private:
    static QString FocusName(const QWidget* widget) {
        const QWidget* named = widget->objectName().isEmpty() ? widget->parentWidget() : widget;
        return named != nullptr && !named->objectName().isEmpty()
                   ? named->objectName()
                   : QString::fromLatin1(widget->metaObject()->className());
    }
    static void ReportSelections(QTreeWidget* tree) {
        if (tree->property("reportsSelections").toBool()) {
            return;
        }
        tree->setProperty("reportsSelections", true);
        QObject::connect(tree, &QTreeWidget::currentItemChanged, tree, [](QTreeWidgetItem* now) {
            std::printf("selected %s\n", now != nullptr ? qPrintable(now->text(0)) : "");
        });
    }
    static void Report(QWidget* window) {
        QWidget* top = window->window();
        auto id = static_cast<unsigned long long>(top->winId());
        auto print = [&](const QString& name, QWidget* from, QPoint at) {
            QPoint p = from->mapTo(top, at);
            std::printf("%s at %d %d in 0x%llx\n", qPrintable(name), p.x(), p.y(), id);
        };
        for (QWidget* child : window->findChildren<QWidget*>()) {
            auto* rows = qobject_cast<QTreeWidget*>(child);
            if (rows != nullptr && rows->rootIsDecorated()) {
                ReportSelections(rows);
            }
            if (!child->isVisible()) {
                continue;
            }
            if (!child->objectName().isEmpty()) {
                print(child->objectName(), child, child->rect().center());
            }
            if (rows != nullptr && rows->topLevelItemCount() > 0) {
                QRect row = rows->visualItemRect(rows->topLevelItem(0));
                print(QStringLiteral("row"), rows->viewport(), row.center());
            }
        }
    }
};

// Hooks for CI and the start-up benchmark. VELLOMARDSTINE_EXIT_WHEN_SHOWN ends the program as
// soon as the main window is shown; VELLOMARDSTINE_REPORT_CONTROLS tells a script where to click
// as a user would.
void InstallTestHooks() {
    if (EnvSet("VELLOMARDSTINE_EXIT_WHEN_SHOWN")) {
        WhenMainWindowShown([] { QCoreApplication::exit(0); });
    }
    if (EnvSet("VELLOMARDSTINE_REPORT_CONTROLS")) {
        // The script reads the report while it is written: a line at a time.
        std::setvbuf(stdout, nullptr, _IOLBF, 0);
        qApp->installEventFilter(new ControlReporter(qApp));
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
