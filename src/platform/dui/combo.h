#pragma once
// A drop-down list over a Qt combo box. Its items are list elements whose text is shown.
// A changed pick notifies "itemselect" at once, whether the user or the code made it; a new
// combo has no pick, also after items are added.

#include <string>
#include <vector>

#include "platform/dui/control.h"

class QComboBox;

namespace dui {

class CComboUI : public CControlUI {
  public:
    CComboUI();
    ~CComboUI() override;
    std::wstring GetClass() const override { return L"ComboUI"; }

    int GetCount() const { return static_cast<int>(m_items.size()); }
    CControlUI* GetItemAt(int index) const;
    // Takes ownership; the item's text is what the drop-down shows.
    bool Add(CControlUI* item);
    void RemoveAll();
    int GetCurSel() const { return m_iCurSel; }
    // -1 clears the pick. Answers false for an index out of range.
    bool SelectItem(int index);
    void SetPos(const Rect& rc) override;
    void DoPaint(QPainter& painter) override;

  protected:
    void DoSetEnabled(bool enabled) override;
    QWidget* FocusWidget() const override;
    std::wstring DoGetText() const override;

  private:
    std::vector<CControlUI*> m_items;
    QComboBox* m_box;
    int m_iCurSel = -1;
};

}  // namespace dui
