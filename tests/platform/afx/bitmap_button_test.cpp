#include "platform/afx/bitmap_button.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QWidget>

#include "platform/afx/qt_app.h"
#include "platform/afx/test_dialog.h"
#include "support/temp_folder.h"

namespace {

std::wstring WritePicture(const test::TempFolder& folder, const std::string& name, QRgb color) {
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(color);
    auto path = folder / name;
    image.save(QString::fromStdString(path.string()));
    return path.wstring();
}

QRgb ShownColour(QWidget* button) {
    return button->grab().toImage().pixel(2, 2) & 0xffffff;
}

class HoverButton : public afx::BitmapButton {
  public:
    int moves = 0;
    int leaves = 0;
    void OnMouseMove() override { ++moves; }
    void OnMouseLeave() override { ++leaves; }
};

TEST(BitmapButton, DrawsThePictureOfItsState) {
    afx_test::App();
    test::TempFolder folder;
    afx_test::TestDialog dialog;
    dialog.Create(nullptr);
    HoverButton start;
    dialog.BindControl(afx_test::kStart, start);
    ASSERT_TRUE(start.LoadBitmaps(
        WritePicture(folder, "n.png", 0x0000ff), WritePicture(folder, "p.png", 0x00ff00),
        WritePicture(folder, "f.png", 0xff0000), WritePicture(folder, "d.png", 0x777777)));
    start.SizeToContent();
    EXPECT_EQ(start.GetWindowText(), L"Start");  // drawn by the button itself, if it will
    QWidget* widget = start.GetSafeWidget();
    EXPECT_EQ(widget->size(), QSize(40, 20));
    EXPECT_EQ(ShownColour(widget), 0x0000ffu);
    dynamic_cast<QAbstractButton*>(widget)->setDown(true);
    EXPECT_EQ(ShownColour(widget), 0x00ff00u);
    dynamic_cast<QAbstractButton*>(widget)->setDown(false);
    start.EnableWindow(false);
    EXPECT_EQ(ShownColour(widget), 0x777777u);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
    EXPECT_EQ(start.leaves, 1);
    EXPECT_FALSE(start.LoadBitmaps(L"/nonexistent.png"));
}

}  // namespace
