#include "platform/afx/widgets.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/afx/focus_ring.h"
#include "platform/afx/image_list_impl.h"

namespace afx {

void ItemsWidget::SetItemImage(QTreeWidgetItem* item, int image) {
    item->setData(0, kImageRole, image);
    item->setIcon(0, images ? images->images().At(image) : QIcon());
}

void ItemsWidget::SetDropTarget(QTreeWidgetItem* item) {
    dropTarget = item ? QPersistentModelIndex(indexFromItem(item)) : QPersistentModelIndex();
    // As Windows draws a tree, the drop target looks selected, and the selection (the current
    // item) only while there is no drop target: the view's own selection shows which.
    QTreeWidgetItem* shown = item != nullptr ? item : currentItem();
    if (shown != nullptr) {
        selectionModel()->select(indexFromItem(shown),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        clearSelection();
    }
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
    if (ring_ == nullptr) {
        // Round the rows: the scroll area raises its scroll bars over anything beside them.
        ring_ = new FocusRing(viewport());
    }
    ring_->Show(true);
}

void ItemsWidget::focusOutEvent(QFocusEvent* event) {
    QTreeWidget::focusOutEvent(event);
    if (ring_ != nullptr) {
        ring_->Show(false);
    }
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
