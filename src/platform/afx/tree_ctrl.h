#pragma once
// The tree control: items with a label, an image index and a number of item data, a selection
// that notifies its parent dialog, and a drop-target highlight apart from the selection.

#include <cstdint>
#include <string>

#include "platform/afx/geometry.h"
#include "platform/afx/wnd.h"

class QTreeWidgetItem;

namespace afx {

class ImageList;

// An item handle (HTREEITEM); null is no item. A handle of an item that is gone is refused.
using TreeItem = QTreeWidgetItem*;
inline constexpr TreeItem kTreeRoot = nullptr;  // as a parent: the top level

class TreeCtrl : public Wnd {
  public:
    // Inserts a last child of `parent` (kTreeRoot: a top-level item).
    TreeItem InsertItem(const std::wstring& label, int image, int selectedImage,
                        TreeItem parent = kTreeRoot);
    bool DeleteItem(TreeItem item);
    bool DeleteAllItems();

    std::wstring GetItemText(TreeItem item) const;
    bool SetItemText(TreeItem item, const std::wstring& label);
    intptr_t GetItemData(TreeItem item) const;
    bool SetItemData(TreeItem item, intptr_t data);
    // The item's image index (-1 for no item).
    int GetItemImage(TreeItem item) const;
    bool SetItemImage(TreeItem item, int image, int selectedImage);

    TreeItem GetRootItem() const;
    TreeItem GetParentItem(TreeItem item) const;
    TreeItem GetChildItem(TreeItem item) const;
    TreeItem GetNextSiblingItem(TreeItem item) const;
    bool ItemHasChildren(TreeItem item) const;
    int GetCount() const;

    TreeItem GetSelectedItem() const;
    // Selects the item (null: none); the parent is notified of the change at once.
    bool SelectItem(TreeItem item);
    bool SelectDropTarget(TreeItem item);
    TreeItem GetDropHilightItem() const;
    bool Expand(TreeItem item);
    bool IsExpanded(TreeItem item) const;
    // The item whose icon or label lies at a point in the control's client coordinates.
    TreeItem HitTest(Point point) const;
    Rect GetItemRect(TreeItem item) const;

    // The list must outlive the control's use of it, as on Windows.
    void SetImageList(const ImageList* images);
};

}  // namespace afx
