// Pictures of the update tool in its four languages, one with the tools menu open, and with its
// work folder refused, written into the build tree for looking at.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QMenu>
#include <QPainter>

#include "platform/text/text.h"
#include "update_dialog_fixture.h"

namespace {

class UpdateDialogPictures : public ui_test::UpdateDialogTest,
                             public ::testing::WithParamInterface<int> {};

// The dialog with the open popup laid over it where it shows on the screen.
QImage WithPopup(QWidget* window, QWidget* popup) {
    QPoint at = popup->pos() - window->pos();
    QRect whole = window->rect().united(QRect(at, popup->size()));
    QImage picture(whole.size(), QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawPixmap(-whole.topLeft(), window->grab());
    painter.drawPixmap(at - whole.topLeft(), popup->grab());
    return picture;
}

TEST_P(UpdateDialogPictures, InTheMiddleOfAnUpdate) {
    int language = GetParam();
    server_.SetVersions({"V1.0.7", "V1.0.6", "V1.0.5"});
    server_.SetNotes({"V1.0.7\r\n- Faster data image transfer.\r\n- New dimple key profiles.\r\n"});
    CMachineAltoUpdate& dialog = Open(language);
    dialog.ShowDeviceString(DeviceField::kSerialNumber, L"VX20260417");
    dialog.ShowDeviceString(DeviceField::kSoftwareVersion, L"1.0.5");
    dialog.SetProgress(42);
    dialog.SetStatusText(platform::Format(dialog.Text(17), 1, 24));
    ui_test::Settle();
    QWidget* window = dialog.GetSafeWidget();
    std::string name = "update_dialog_" + std::to_string(language);
    QImage picture(QString::fromStdString(ui_test::SaveScreenshot(window, name + ".png")));
    EXPECT_EQ(picture.size(), QSize(753, 525));

    if (language == 1) {
        QWidget* menuButton = Item(1059);
        QCursor::setPos(menuButton->mapToGlobal(menuButton->rect().bottomLeft()));
        bool shown = false;
        ui_test::Later([&] {
            QWidget* popup = QApplication::activePopupWidget();
            ASSERT_NE(popup, nullptr);
            shown = WithPopup(window, popup)
                        .save(QString::fromStdString(std::string(VM_SCREENSHOT_DIR) + name +
                                                     "_menu.png"));
            popup->close();
        });
        ClickItem(1059);
        EXPECT_TRUE(shown);
    }
}

// The reason for a refused work folder stands in the language of the sentence around it.
TEST_P(UpdateDialogPictures, WithTheWorkFolderRefused) {
    int language = GetParam();
    PlantOpenWorkFolder();
    server_.SetNotes({"V1.0.7"});
    server_.SetVersions({"V1.0.7"});
    Open(language);
    ClickItem(1047);
    ui_test::Settle();
    ui_test::SaveScreenshot(dialog_->GetSafeWidget(),
                            "update_dialog_refused_" + std::to_string(language) + ".png");
}

INSTANTIATE_TEST_SUITE_P(Languages, UpdateDialogPictures, ::testing::Values(0, 1, 3, 8));

}  // namespace
