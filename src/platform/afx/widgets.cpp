#include "platform/afx/widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "platform/afx/image_list_impl.h"

namespace afx {
namespace {

// As Windows draws a tree: the drop target looks selected, and the selection only while no
// item is the drop target.
class DropTargetDelegate : public QStyledItemDelegate {
  public:
    explicit DropTargetDelegate(ItemsWidget* view) : QStyledItemDelegate(view), view_(view) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QPersistentModelIndex& target = view_->dropTarget;
        if (!target.isValid()) {
            return;
        }
        if (index.row() == target.row() && index.parent() == target.parent()) {
            option->state |= QStyle::State_Selected;
        } else {
            option->state &= ~QStyle::State_Selected;
        }
    }

  private:
    const ItemsWidget* view_;
};

}  // namespace

ItemsWidget::ItemsWidget(QWidget* parent) : QTreeWidget(parent) {
    setItemDelegate(new DropTargetDelegate(this));
}

void ItemsWidget::SetItemImage(QTreeWidgetItem* item, int image) {
    item->setData(0, kImageRole, image);
    item->setIcon(0, images ? images->images().At(image) : QIcon());
}

void ItemsWidget::SetDropTarget(QTreeWidgetItem* item) {
    dropTarget = item ? QPersistentModelIndex(indexFromItem(item)) : QPersistentModelIndex();
    viewport()->update();
}

QTreeWidgetItem* ItemsWidget::AddItem(QTreeWidgetItem* parent) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    live_.insert(item);
    return item;
}

void ItemsWidget::RemoveItem(QTreeWidgetItem* item) {
    Forget(item);
    delete item;
}

void ItemsWidget::Forget(const QTreeWidgetItem* item) {
    live_.erase(item);
    for (int i = 0; i < item->childCount(); ++i) {
        Forget(item->child(i));
    }
}

void ItemsWidget::RemoveAll() {
    live_.clear();
    clear();
}

bool ItemsWidget::viewportEvent(QEvent* event) {
    bool mouseButton = event->type() == QEvent::MouseButtonPress ||
                       event->type() == QEvent::MouseButtonRelease ||
                       event->type() == QEvent::MouseButtonDblClick;
    if (mouseButton && !rightButtonSelects &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        // The context menu event still follows: it is the window's, not the view's.
        event->accept();
        return true;
    }
    return QTreeWidget::viewportEvent(event);
}

void ItemsWidget::focusInEvent(QFocusEvent* event) {
    focusing_ = true;
    QTreeWidget::focusInEvent(event);
    focusing_ = false;
}

// The view asks for the first row while it takes the focus, to put its caret there.
QModelIndex ItemsWidget::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (focusing_ && !caretOnFocus) {
        return {};
    }
    return QTreeWidget::moveCursor(action, modifiers);
}

void EllipsisLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
    painter.drawText(contentsRect(), static_cast<int>(alignment()), shown);
}

}  // namespace afx
