#pragma once
// The simple common controls: combo box, progress bar, edit and static.

#include <string>

#include "platform/afx/wnd.h"

namespace afx {

inline constexpr int kComboError = -1;  // CB_ERR: no pick, or no such item

class ComboBox : public Wnd {
  public:
    int AddString(const std::wstring& text);  // the new item's index
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    // Picks an item (-1: none); answers the pick or kComboError. No selection-change
    // notification follows, as on Windows.
    int SetCurSel(int index);
    std::wstring GetLBText(int index) const;
    // The height of the list's items in pixels.
    void SetItemHeight(int height);
};

class ProgressCtrl : public Wnd {
  public:
    void SetRange(int lower, int upper);  // 0 to 100 until set
    int SetPos(int position);             // answers the previous position
    int GetPos() const;
};

class Edit : public Wnd {
  public:
    void SetSel(int start, int end);  // 0, -1 selects all
    void SetReadOnly(bool readOnly);
};

class Static : public Wnd {};

}  // namespace afx
