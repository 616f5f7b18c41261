#pragma once
// The base of every skin control. A control shows itself through a Qt widget of its own whose
// parent is its container's widget; what the windows see is DuiLib's interface: names, own
// visibility, fixed sizes and positions, images by description, notifications by type text.
// A worker thread may call only GetText, SetText, SetToolTip, SetVisible, SetEnabled and
// SetFocus: they run on the UI thread (afx::OnUiThread), the worker waiting. Every other call,
// reads of flags, sizes and places included, belongs to the UI thread; a worker that needs one
// wraps it in afx::OnUiThread itself.

#include <cstdint>
#include <string>

#include "platform/dui/geometry.h"

class QPainter;
class QWidget;

namespace dui {

class CPaintManagerUI;
class ControlWidget;

// DrawText's text style flags, as the skins and the windows give them.
enum TextStyle : unsigned {
    DT_LEFT = 0x0,
    DT_TOP = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_END_ELLIPSIS = 0x8000,
};

enum class MouseEvent { Press, Release, DoubleClick, Enter, Leave };

class CControlUI {
  public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    virtual std::wstring GetClass() const { return L"ControlUI"; }

    const std::wstring& GetName() const { return m_sName; }
    void SetName(const std::wstring& name);
    CPaintManagerUI* GetManager() const { return m_pManager; }
    CControlUI* GetParent() const { return m_pParent; }
    QWidget* GetWidget() const;

    std::wstring GetText() const;
    void SetText(const std::wstring& text);
    std::wstring GetToolTip() const { return m_sToolTip; }
    void SetToolTip(const std::wstring& text);
    const std::wstring& GetUserData() const { return m_sUserData; }
    void SetUserData(const std::wstring& data) { m_sUserData = data; }

    // Visible by its own flag and within its container (a tab page not selected hides its
    // controls); whether the window itself is shown does not count.
    bool IsVisible() const { return m_bVisible && m_bInternVisible; }
    void SetVisible(bool visible = true);
    virtual void SetInternVisible(bool visible = true);
    bool IsEnabled() const { return m_bEnabled; }
    void SetEnabled(bool enabled = true);
    bool IsFocused() const;
    void SetFocus();
    bool IsFloat() const { return m_bFloat; }
    void SetFloat(bool floating = true);

    // Window client coordinates.
    const Rect& GetPos() const { return m_rcItem; }
    virtual void SetPos(const Rect& rc);
    // A floating control's place within its parent.
    Size GetFixedXY() const { return m_cXY; }
    void SetFixedXY(Size xy);
    int GetFixedWidth() const { return m_cxyFixed.cx; }
    void SetFixedWidth(int cx);
    int GetFixedHeight() const { return m_cxyFixed.cy; }
    void SetFixedHeight(int cy);
    const Rect& GetPadding() const { return m_rcPadding; }
    void SetPadding(const Rect& padding);

    const std::wstring& GetBkImage() const { return m_sBkImage; }
    void SetBkImage(const std::wstring& description);
    void SetBkColor(unsigned argb);
    void SetBorderColor(unsigned argb);
    void SetBorderSize(int size);
    void SetBorderRound(Size round);

    // Skin attributes by name; derived controls add their own.
    virtual void SetAttribute(const std::wstring& name, const std::wstring& value);

    // Finds the control named `name` in this control and its children.
    virtual CControlUI* FindControl(const std::wstring& name);
    // The deepest visible control under `pt` (window coordinates), or nullptr.
    virtual CControlUI* FindControlAt(Point pt);

    void Invalidate();
    // Asks for a new layout of this control's container (sizes or visibility changed).
    void NeedParentUpdate();

    // The layer calls these; windows do not.
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent);
    virtual void DoPaint(QPainter& painter);
    // Mouse input on the control's widget; false lets the window see it (caption dragging).
    virtual bool OnMouse(MouseEvent event, Point local);
    virtual void OnFocusChanged(bool focused);
    // A wheel turn over the control (120 a notch); false passes it to the container.
    virtual bool OnWheel(int) { return false; }
    // The Qt widget that holds a focus given by the keyboard: the field that takes typing, or
    // else the control's own widget, which then shows the focus.
    QWidget* KeyboardWidget() const;

  protected:
    friend class CPaintManagerUI;
    friend class CContainerUI;
    virtual std::wstring DoGetText() const { return m_sText; }
    virtual void DoSetText(const std::wstring& text);
    virtual void DoSetVisible(bool visible);
    virtual void DoSetEnabled(bool enabled);
    // The Qt widget that takes the keyboard focus for this control.
    virtual QWidget* FocusWidget() const;
    // The field inside the control's widget that takes its typing: its focus shows on the
    // control.
    void WatchField(QWidget* field);

    // Draws one image description over the whole control; false when nothing was drawn.
    bool DrawImage(QPainter& painter, const std::wstring& description);
    void PaintBkColor(QPainter& painter);
    void PaintBorder(QPainter& painter);
    Rect LocalRect() const { return {0, 0, m_rcItem.Width(), m_rcItem.Height()}; }

    std::wstring m_sText;
    CPaintManagerUI* m_pManager = nullptr;
    CControlUI* m_pParent = nullptr;

  private:
    ControlWidget* m_widget;
    std::wstring m_sName;
    std::wstring m_sToolTip;
    std::wstring m_sUserData;
    std::wstring m_sBkImage;
    bool m_bVisible = true;
    bool m_bInternVisible = true;
    bool m_bEnabled = true;
    bool m_bFloat = false;
    Rect m_rcItem;
    Rect m_rcPadding;
    Size m_cXY;
    Size m_cxyFixed;
    Size m_borderRound;
    unsigned m_bkColor = 0;
    unsigned m_borderColor = 0;
    int m_borderSize = 0;
};

}  // namespace dui
