#pragma once
// Lists: a header of columns over a scrolling body of rows. Rows take their cell texts from
// the list's text callback when they are drawn. A click selects a row ("itemselect" from the
// list), a double click activates it ("itemactivate" from the row); a focused list takes the
// same from the keys (OnKey). A click or a focus given by code leaves the keys with the list.

#include <string>

#include "platform/dui/container.h"
#include "platform/dui/label.h"
#include "platform/dui/notify.h"

namespace dui {

class CListUI;

class CListHeaderItemUI : public CLabelUI {
  public:
    CListHeaderItemUI();
    std::wstring GetClass() const override { return L"ListHeaderItemUI"; }
};

class CListHeaderUI : public CHorizontalLayoutUI {
  public:
    std::wstring GetClass() const override { return L"ListHeaderUI"; }
};

class CListElementUI : public CControlUI {
  public:
    int GetIndex() const { return m_iIndex; }
    void SetIndex(int index) { m_iIndex = index; }
    CListUI* GetOwner() const { return m_pOwner; }
    void SetOwner(CListUI* owner) { m_pOwner = owner; }
    bool IsSelected() const { return m_bSelected; }
    void SetSelectedState(bool selected);
    bool OnMouse(MouseEvent event, Point local) override;
    // What a double click does: selects the row, then notifies "itemactivate".
    void Activate();

  protected:
    void PaintRowBackground(QPainter& painter);
    QWidget* FocusWidget() const override;

  private:
    CListUI* m_pOwner = nullptr;
    int m_iIndex = -1;
    bool m_bSelected = false;
    bool m_bHot = false;
};

// One text, the row's own; also the items of combo boxes.
class CListLabelElementUI : public CListElementUI {
  public:
    std::wstring GetClass() const override { return L"ListLabelElementUI"; }
    void DoPaint(QPainter& painter) override;
};

// One text per header column, from the list's text callback (or the row's own text in
// column 0 when there is no callback).
class CListTextElementUI : public CListElementUI {
  public:
    std::wstring GetClass() const override { return L"ListTextElementUI"; }
    void DoPaint(QPainter& painter) override;
};

// The keys a focused list takes.
enum class ListKey { Up, Down, PageUp, PageDown, Home, End, Activate };

class CListUI : public CVerticalLayoutUI {
  public:
    CListUI();
    std::wstring GetClass() const override { return L"ListUI"; }

    CListHeaderUI* GetHeader() const { return m_pHeader; }
    CVerticalLayoutUI* GetList() const { return m_pBody; }
    IListCallbackUI* GetTextCallback() const { return m_pCallback; }
    void SetTextCallback(IListCallbackUI* callback) { m_pCallback = callback; }

    // Rows; header parts go to the header.
    int GetCount() const override;
    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(const CControlUI* control) const override;
    bool AddAt(CControlUI* control, int index) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    int GetCurSel() const { return m_iCurSel; }
    bool SelectItem(int index);
    // Moves the selection as a click on the row it goes to does (the row scrolled into view),
    // or activates the selected row as a double click does. False when the list takes no key:
    // disabled or empty.
    bool OnKey(ListKey key);
    unsigned GetItemTextStyle() const { return m_itemTextStyle; }
    unsigned GetItemTextColor() const { return m_itemTextColor; }
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

  protected:
    QWidget* FocusWidget() const override;

  private:
    friend class CListElementUI;
    void Renumber();
    void ScrollIntoView(int index);
    // How many rows the body shows at once.
    int RowsPerPage() const;

    CListHeaderUI* m_pHeader;
    CVerticalLayoutUI* m_pBody;
    IListCallbackUI* m_pCallback = nullptr;
    int m_iCurSel = -1;
    unsigned m_itemTextStyle = DT_VCENTER | DT_SINGLELINE | DT_LEFT;
    unsigned m_itemTextColor = 0xFF1F2933;
};

}  // namespace dui
