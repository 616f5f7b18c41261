#pragma once
// The Qt widgets that stand for the Windows controls where Qt's own need more: trees and report
// lists that show an image list and a drop-target highlight, and statics that cut their text
// with an ellipsis.

#include <QLabel>
#include <QPersistentModelIndex>
#include <QTreeWidget>

namespace afx {

class ImageList;

// Tree control and report list alike: a QTreeWidget showing pictures of an image list.
class ItemsWidget : public QTreeWidget {
  public:
    explicit ItemsWidget(QWidget* parent) : QTreeWidget(parent) {}

    const ImageList* images = nullptr;
    QPersistentModelIndex dropTarget;

    static constexpr int kDataRole = Qt::UserRole;
    static constexpr int kImageRole = Qt::UserRole + 1;

    void SetItemImage(QTreeWidgetItem* item, int image);
    void SetDropTarget(QTreeWidgetItem* item);
};

class EllipsisLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace afx

#include <QPushButton>

namespace afx {

class BitmapButton;

// A push button whose drawing and mouse hover belong to a BitmapButton once one is attached.
class OwnerDrawButton : public QPushButton {
  public:
    explicit OwnerDrawButton(QWidget* parent) : QPushButton(parent) { setMouseTracking(true); }

    BitmapButton* owner = nullptr;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

}  // namespace afx
