#pragma once
// Containers and their layouts: a plain container (each child over the whole inner area), the
// vertical and horizontal layouts (fixed sizes first, the rest shared), the tab layout (one
// child shown) and a vertical scroll bar for any of them ("vscrollbar").

#include <memory>
#include <string>
#include <vector>

#include "platform/dui/control.h"

class QScrollBar;

namespace dui {

class CContainerUI : public CControlUI {
  public:
    CContainerUI();
    ~CContainerUI() override;
    std::wstring GetClass() const override { return L"ContainerUI"; }

    virtual int GetCount() const { return static_cast<int>(m_items.size()); }
    virtual CControlUI* GetItemAt(int index) const;
    virtual int GetItemIndex(const CControlUI* control) const;
    // Takes ownership.
    bool Add(CControlUI* control) { return AddAt(control, GetCount()); }
    virtual bool AddAt(CControlUI* control, int index);
    // Deletes the control.
    bool Remove(CControlUI* control) { return RemoveAt(GetItemIndex(control)); }
    virtual bool RemoveAt(int index);
    virtual void RemoveAll();
    // Takes the control out at once and deletes it once control is back in the event loop: a
    // control may go inside one of its own notifications (an in-place edit on its "killfocus").
    bool RemoveLater(CControlUI* control);

    void SetInset(const Rect& inset);
    void SetChildPadding(int padding);
    void EnableScrollBar(bool vertical = true);
    int GetScrollPos() const { return m_scrollY; }
    void SetScrollPos(int y);
    // Scrolls as little as shows `control` (a child at any depth) whole, or its top when it is
    // taller than the view.
    void ScrollToShow(const CControlUI& control);
    // Where the children can be seen: the container's place, or for one that scrolls, the whole
    // height that it scrolls through.
    Rect ChildArea() const;
    // Pictures of the vertical scroll bar: arrow up, arrow down, thumb, thumb under the mouse.
    void SetScrollBarImages(const std::wstring& up, const std::wstring& down,
                            const std::wstring& thumb, const std::wstring& thumbHot);

    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void SetPos(const Rect& rc) override;
    void SetInternVisible(bool visible) override;
    CControlUI* FindControl(const std::wstring& name) override;
    CControlUI* FindControlAt(Point pt) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent) override;
    bool OnWheel(int delta) override;

  protected:
    void DoSetVisible(bool visible) override;
    // A container given the focus passes the keyboard to the first control inside that takes
    // typing or keys (an edit or a list around which the skin put a named container).
    QWidget* FocusWidget() const override;
    virtual void OnItemAdded(CControlUI*) {}
    // Places the non-floating children inside `inner`; answers the height they need.
    virtual int LayoutChildren(const Rect& inner);
    void PlaceFloating(CControlUI* child);
    Rect InnerRect() const;
    int ChildPadding() const { return m_childPadding; }
    const std::vector<CControlUI*>& Items() const { return m_items; }

  private:
    void UpdateScrollBar(int contentHeight, int viewHeight);
    void DeleteRemoved();
    QScrollBar* ScrollBar();

    std::vector<CControlUI*> m_items;
    std::vector<CControlUI*> m_removed;  // taken out, deleted once back in the event loop
    std::shared_ptr<bool> m_alive;
    Rect m_rcInset;
    int m_childPadding = 0;
    bool m_bScroll = false;
    int m_scrollY = 0;
    QScrollBar* m_scrollBar = nullptr;
    std::wstring m_scrollImages[4];
};

class CVerticalLayoutUI : public CContainerUI {
  public:
    std::wstring GetClass() const override { return L"VerticalLayoutUI"; }

  protected:
    int LayoutChildren(const Rect& inner) override;
};

class CHorizontalLayoutUI : public CContainerUI {
  public:
    std::wstring GetClass() const override { return L"HorizontalLayoutUI"; }

  protected:
    int LayoutChildren(const Rect& inner) override;
};

// Shows one child at a time; the others are hidden by their own visibility, as DuiLib does.
class CTabLayoutUI : public CContainerUI {
  public:
    std::wstring GetClass() const override { return L"TabLayoutUI"; }
    int GetCurSel() const { return m_iCurSel; }
    bool SelectItem(int index);

  protected:
    void OnItemAdded(CControlUI* control) override;

  private:
    int m_iCurSel = -1;
};

}  // namespace dui
