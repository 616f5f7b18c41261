// The baseline of the start-up benchmark: a minimal Qt Widgets program of the main window's
// size that ends as soon as its window is shown, as the program does with
// VELLOMARDSTINE_EXIT_WHEN_SHOWN.

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Vellomardstine"));
    window.resize(1005, 690);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Key Data Customize Tool")));
    window.show();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (window.windowHandle() != nullptr && window.windowHandle()->isExposed()) {
            QCoreApplication::exit(0);
        }
    });
    poll.start(1);
    return QApplication::exec();
}
