#include "platform/afx/tree_ctrl.h"

#include "platform/afx/qt_text.h"
#include "platform/afx/widgets.h"
#include "platform/afx/wnd_impl.h"

namespace afx {

TreeItem TreeCtrl::InsertItem(const std::wstring& label, int image, int /*selectedImage*/,
                              TreeItem parent) {
    return WithWidget<ItemsWidget>(TreeItem{}, [&](ItemsWidget* t) -> TreeItem {
        if (parent != kTreeRoot && !t->Holds(parent)) {
            return nullptr;
        }
        auto* item = t->AddItem(parent);
        item->setText(0, ToQString(label));
        item->setData(0, ItemsWidget::kDataRole, qlonglong{0});
        t->SetItemImage(item, image);
        return item;
    });
}

bool TreeCtrl::DeleteItem(TreeItem item) {
    return WithWidget<ItemsWidget>(false, [&](ItemsWidget* t) {
        if (!t->Holds(item)) {
            return false;
        }
        t->RemoveItem(item);
        return true;
    });
}

bool TreeCtrl::DeleteAllItems() {
    return WithWidget<ItemsWidget>(false, [](ItemsWidget* t) {
        t->RemoveAll();
        return true;
    });
}

std::wstring TreeCtrl::GetItemText(TreeItem item) const {
    return WithWidget<ItemsWidget>(std::wstring(), [&](ItemsWidget* t) {
        return t->Holds(item) ? FromQString(item->text(0)) : std::wstring();
    });
}

bool TreeCtrl::SetItemText(TreeItem item, const std::wstring& label) {
    return WithWidget<ItemsWidget>(false, [&](ItemsWidget* t) {
        if (!t->Holds(item)) {
            return false;
        }
        item->setText(0, ToQString(label));
        return true;
    });
}

intptr_t TreeCtrl::GetItemData(TreeItem item) const {
    return WithWidget<ItemsWidget>(intptr_t{0}, [&](ItemsWidget* t) -> intptr_t {
        return t->Holds(item) ? item->data(0, ItemsWidget::kDataRole).toLongLong() : 0;
    });
}

bool TreeCtrl::SetItemData(TreeItem item, intptr_t data) {
    return WithWidget<ItemsWidget>(false, [&](ItemsWidget* t) {
        if (!t->Holds(item)) {
            return false;
        }
        item->setData(0, ItemsWidget::kDataRole, qlonglong{data});
        return true;
    });
}

int TreeCtrl::GetItemImage(TreeItem item) const {
    return WithWidget<ItemsWidget>(-1, [&](ItemsWidget* t) {
        return t->Holds(item) ? item->data(0, ItemsWidget::kImageRole).toInt() : -1;
    });
}

bool TreeCtrl::SetItemImage(TreeItem item, int image, int /*selectedImage*/) {
    return WithWidget<ItemsWidget>(false, [&](ItemsWidget* t) {
        if (!t->Holds(item)) {
            return false;
        }
        t->SetItemImage(item, image);
        return true;
    });
}

TreeItem TreeCtrl::GetRootItem() const {
    return WithWidget<ItemsWidget>(TreeItem{}, [](ItemsWidget* t) { return t->topLevelItem(0); });
}

TreeItem TreeCtrl::GetParentItem(TreeItem item) const {
    return WithWidget<ItemsWidget>(
        TreeItem{}, [&](ItemsWidget* t) { return t->Holds(item) ? item->parent() : nullptr; });
}

TreeItem TreeCtrl::GetChildItem(TreeItem item) const {
    return WithWidget<ItemsWidget>(TreeItem{}, [&](ItemsWidget* t) -> TreeItem {
        if (item == kTreeRoot) {
            return t->topLevelItem(0);
        }
        return t->Holds(item) ? item->child(0) : nullptr;
    });
}

TreeItem TreeCtrl::GetNextSiblingItem(TreeItem item) const {
    return WithWidget<ItemsWidget>(TreeItem{}, [&](ItemsWidget* t) -> TreeItem {
        if (!t->Holds(item)) {
            return nullptr;
        }
        QTreeWidgetItem* parent = item->parent();
        if (parent) {
            return parent->child(parent->indexOfChild(item) + 1);
        }
        return t->topLevelItem(t->indexOfTopLevelItem(item) + 1);
    });
}

bool TreeCtrl::ItemHasChildren(TreeItem item) const {
    return WithWidget<ItemsWidget>(
        false, [&](ItemsWidget* t) { return t->Holds(item) && item->childCount() > 0; });
}

int TreeCtrl::GetCount() const {
    return WithWidget<ItemsWidget>(0, [](ItemsWidget* t) {
        int count = 0;
        for (QTreeWidgetItemIterator it(t); *it; ++it) {
            ++count;
        }
        return count;
    });
}

TreeItem TreeCtrl::GetSelectedItem() const {
    return WithWidget<ItemsWidget>(TreeItem{}, [](ItemsWidget* t) { return t->currentItem(); });
}

bool TreeCtrl::SelectItem(TreeItem item) {
    return WithWidget<ItemsWidget>(false, [&](ItemsWidget* t) {
        if (item != nullptr && !t->Holds(item)) {
            return false;
        }
        t->setCurrentItem(item);
        return true;
    });
}

bool TreeCtrl::SelectDropTarget(TreeItem item) {
    return WithWidget<ItemsWidget>(false, [&](ItemsWidget* t) {
        if (item != nullptr && !t->Holds(item)) {
            return false;
        }
        t->SetDropTarget(item);
        return true;
    });
}

TreeItem TreeCtrl::GetDropHilightItem() const {
    return WithWidget<ItemsWidget>(TreeItem{},
                                   [](ItemsWidget* t) { return t->itemFromIndex(t->dropTarget); });
}

bool TreeCtrl::Expand(TreeItem item) {
    return WithWidget<ItemsWidget>(false, [&](ItemsWidget* t) {
        if (!t->Holds(item)) {
            return false;
        }
        item->setExpanded(true);
        return true;
    });
}

bool TreeCtrl::IsExpanded(TreeItem item) const {
    return WithWidget<ItemsWidget>(
        false, [&](ItemsWidget* t) { return t->Holds(item) && item->isExpanded(); });
}

TreeItem TreeCtrl::HitTest(Point point) const {
    return WithWidget<ItemsWidget>(TreeItem{}, [&](ItemsWidget* t) {
        QPoint inView = t->viewport()->mapFrom(t, QPoint(point.x, point.y));
        return t->itemAt(inView);
    });
}

Rect TreeCtrl::GetItemRect(TreeItem item) const {
    return WithWidget<ItemsWidget>(Rect{}, [&](ItemsWidget* t) {
        if (!t->Holds(item)) {
            return Rect{};
        }
        QRect inView = t->visualItemRect(item);
        return FromQRect(inView.translated(t->viewport()->mapTo(t, QPoint(0, 0))));
    });
}

void TreeCtrl::SetImageList(const ImageList* images) {
    WithWidget<ItemsWidget>([&](ItemsWidget* t) {
        t->images = images;
        for (QTreeWidgetItemIterator it(t); *it; ++it) {
            t->SetItemImage(*it, (*it)->data(0, ItemsWidget::kImageRole).toInt());
        }
    });
}

}  // namespace afx
