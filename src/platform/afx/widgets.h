#pragma once
// The Qt widgets that stand for the Windows controls where Qt's own need more: trees and report
// lists that show an image list and a drop-target highlight, and statics that cut their text
// with an ellipsis.

#include <QLabel>
#include <QPersistentModelIndex>
#include <QTreeWidget>
#include <unordered_set>

namespace afx {

class FocusRing;
class ImageList;

// Tree control and report list alike: a QTreeWidget showing pictures of an image list, with the
// focus ring of the skinned windows' controls round its rows while it has the focus.
class ItemsWidget : public QTreeWidget {
  public:
    explicit ItemsWidget(QWidget* parent) : QTreeWidget(parent) {}

    const ImageList* images = nullptr;
    QPersistentModelIndex dropTarget;
    // A list view selects the item under a right click; a tree view only reports the click.
    bool rightButtonSelects = true;
    // A list view taking the focus without a current row puts its caret on the first row,
    // unselected; a tree view stays without one, so that a focus passing through selects
    // nothing.
    bool caretOnFocus = true;

    static constexpr int kDataRole = Qt::UserRole;
    static constexpr int kImageRole = Qt::UserRole + 1;

    void SetItemImage(QTreeWidgetItem* item, int image);
    void SetDropTarget(QTreeWidgetItem* item);

    // The items of a tree are kept by address, so that a handle of an item gone (or of another
    // tree) is refused instead of followed.
    QTreeWidgetItem* AddItem(QTreeWidgetItem* parent);
    void RemoveItem(QTreeWidgetItem* item);
    void RemoveAll();
    bool Holds(const QTreeWidgetItem* item) const { return live_.count(item) != 0; }

  protected:
    bool viewportEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

  private:
    void Forget(const QTreeWidgetItem* item);
    std::unordered_set<const QTreeWidgetItem*> live_;
    FocusRing* ring_ = nullptr;  // made when the widget first takes the focus
    bool focusing_ = false;
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
