#include "platform/afx/list_ctrl.h"

#include <QHeaderView>

#include "platform/afx/qt_text.h"
#include "platform/afx/widgets.h"
#include "platform/afx/wnd_impl.h"

namespace afx {

int ListCtrl::InsertColumn(int column, const std::wstring& heading, int width) {
    return WithWidget<ItemsWidget>(-1, [&](ItemsWidget* l) {
        int count = l->columnCount();
        // A fresh QTreeWidget has one unnamed column; the first inserted column takes it.
        bool first = l->headerItem()->text(0).isEmpty() && count == 1;
        int at = first ? 0 : std::clamp(column, 0, count);
        if (!first) {
            l->setColumnCount(count + 1);
        }
        l->headerItem()->setText(at, ToQString(heading));
        l->setColumnWidth(at, width);
        return at;
    });
}

int ListCtrl::InsertItem(int index, const std::wstring& label, int image) {
    return WithWidget<ItemsWidget>(-1, [&](ItemsWidget* l) {
        int at = std::clamp(index, 0, l->topLevelItemCount());
        auto* item = new QTreeWidgetItem();
        item->setText(0, ToQString(label));
        l->insertTopLevelItem(at, item);
        l->SetItemImage(item, image);
        return at;
    });
}

bool ListCtrl::DeleteAllItems() {
    return WithWidget<ItemsWidget>(false, [](ItemsWidget* l) {
        l->clear();
        return true;
    });
}

int ListCtrl::GetItemCount() const {
    return WithWidget<ItemsWidget>(0, [](ItemsWidget* l) { return l->topLevelItemCount(); });
}

std::wstring ListCtrl::GetItemText(int index, int column) const {
    return WithWidget<ItemsWidget>(std::wstring(), [&](ItemsWidget* l) {
        auto* item = l->topLevelItem(index);
        return item ? FromQString(item->text(column)) : std::wstring();
    });
}

int ListCtrl::GetItemImage(int index) const {
    return WithWidget<ItemsWidget>(-1, [&](ItemsWidget* l) {
        auto* item = l->topLevelItem(index);
        return item ? item->data(0, ItemsWidget::kImageRole).toInt() : -1;
    });
}

int ListCtrl::GetSelectionMark() const {
    return WithWidget<ItemsWidget>(-1, [](ItemsWidget* l) {
        auto* item = l->currentItem();
        return item && item->isSelected() ? l->indexOfTopLevelItem(item) : -1;
    });
}

bool ListCtrl::SetItemState(int index, bool selected) {
    return WithWidget<ItemsWidget>(false, [&](ItemsWidget* l) {
        auto* item = l->topLevelItem(index);
        if (!item) {
            return false;
        }
        if (selected) {
            l->setCurrentItem(item);
        } else {
            item->setSelected(false);
        }
        return true;
    });
}

void ListCtrl::SetImageList(const ImageList* images) {
    WithWidget<ItemsWidget>([&](ItemsWidget* l) {
        l->images = images;
        for (int i = 0; i < l->topLevelItemCount(); ++i) {
            auto* item = l->topLevelItem(i);
            l->SetItemImage(item, item->data(0, ItemsWidget::kImageRole).toInt());
        }
    });
}

}  // namespace afx
