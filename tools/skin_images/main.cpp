// Writes the skin pictures into the folder given as the only argument.

#include <QGuiApplication>
#include <cstdio>

#include "images.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin_images <output folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QString folder = QString::fromLocal8Bit(argv[1]);
    skin::MakeHeaderImages(folder);
    skin::MakeMessageImages(folder);
    skin::MakePaneImages(folder);
    skin::MakeWizardImages(folder);
    skin::MakeTreeImages(folder);
    skin::MakeUpdateImages(folder);
    return 0;
}
