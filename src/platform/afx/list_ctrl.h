#pragma once
// The list control in report view: rows of a label and an image index under columns.

#include <string>

#include "platform/afx/wnd.h"

namespace afx {

class ImageList;

class ListCtrl : public Wnd {
  public:
    int InsertColumn(int column, const std::wstring& heading, int width);
    // Inserts a row at `index` (past the end: appended) and answers where it went, -1 on failure.
    int InsertItem(int index, const std::wstring& label, int image);
    bool DeleteAllItems();
    int GetItemCount() const;
    std::wstring GetItemText(int index, int column) const;
    int GetItemImage(int index) const;
    int GetSelectionMark() const;  // the selected row, -1 for none
    bool SetItemState(int index, bool selected);
    void SetImageList(const ImageList* images);
};

}  // namespace afx
