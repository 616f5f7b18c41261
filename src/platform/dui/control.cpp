#include "platform/dui/control.h"

#include <QPainter>
#include <QPainterPath>

#include "platform/afx/ui_thread.h"
#include "platform/dui/control_widget.h"
#include "platform/dui/image.h"
#include "platform/dui/paint_manager.h"
#include "platform/dui/qt_util.h"

namespace dui {

CControlUI::CControlUI() : m_widget(new ControlWidget(this)) {}

CControlUI::~CControlUI() {
    if (m_pManager != nullptr) {
        m_pManager->ForgetControl(this);
    }
    // The widget may be inside one of its own event handlers (an edit removed on its
    // "killfocus"), so it goes once control is back in the event loop.
    m_widget->Detach();
    m_widget->hide();
    m_widget->deleteLater();
}

QWidget* CControlUI::GetWidget() const {
    return m_widget;
}

void CControlUI::SetName(const std::wstring& name) {
    m_sName = name;
    m_widget->setObjectName(QString::fromStdWString(name));
}

std::wstring CControlUI::GetText() const {
    return afx::OnUiThread([this] { return DoGetText(); });
}

void CControlUI::SetText(const std::wstring& text) {
    afx::OnUiThread([&] { DoSetText(text); });
}

void CControlUI::DoSetText(const std::wstring& text) {
    if (m_sText == text) {
        return;
    }
    m_sText = text;
    Invalidate();
}

void CControlUI::SetToolTip(const std::wstring& text) {
    afx::OnUiThread([&] {
        m_sToolTip = text;
        m_widget->setToolTip(QString::fromStdWString(text));
    });
}

void CControlUI::SetVisible(bool visible) {
    afx::OnUiThread([&] { DoSetVisible(visible); });
}

void CControlUI::DoSetVisible(bool visible) {
    if (m_bVisible == visible) {
        return;
    }
    if (!visible && m_pManager != nullptr) {
        m_pManager->ControlLeaving(this);
    }
    m_bVisible = visible;
    m_widget->setVisible(visible);
    NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible) {
    m_bInternVisible = visible;
}

void CControlUI::SetEnabled(bool enabled) {
    afx::OnUiThread([&] { DoSetEnabled(enabled); });
}

void CControlUI::DoSetEnabled(bool enabled) {
    if (m_bEnabled == enabled) {
        return;
    }
    if (!enabled && m_pManager != nullptr) {
        m_pManager->ControlLeaving(this);
    }
    m_bEnabled = enabled;
    Invalidate();
    m_widget->UpdateRing();
}

bool CControlUI::IsFocused() const {
    return m_pManager != nullptr && m_pManager->GetFocus() == this;
}

void CControlUI::SetFocus() {
    afx::OnUiThread([&] {
        if (m_pManager != nullptr) {
            m_pManager->SetFocus(this);
        }
    });
}

QWidget* CControlUI::FocusWidget() const {
    return m_pManager != nullptr ? m_pManager->GetPaintWindow() : nullptr;
}

void CControlUI::WatchField(QWidget* field) {
    m_widget->WatchField(field);
}

QWidget* CControlUI::KeyboardWidget() const {
    QWidget* field = FocusWidget();
    return field != nullptr && field != CControlUI::FocusWidget() ? field : m_widget;
}

void CControlUI::OnFocusChanged(bool focused) {
    if (m_pManager != nullptr) {
        m_pManager->OnControlFocus(this, focused);
    }
}

void CControlUI::SetFloat(bool floating) {
    m_bFloat = floating;
    NeedParentUpdate();
}

void CControlUI::SetPos(const Rect& rc) {
    m_rcItem = rc;
    int ox = m_pParent != nullptr ? m_pParent->m_rcItem.left : 0;
    int oy = m_pParent != nullptr ? m_pParent->m_rcItem.top : 0;
    m_widget->setGeometry(rc.left - ox, rc.top - oy, rc.Width(), rc.Height());
    Invalidate();
}

void CControlUI::SetFixedXY(Size xy) {
    m_cXY = xy;
    NeedParentUpdate();
}

void CControlUI::SetFixedWidth(int cx) {
    m_cxyFixed.cx = cx < 0 ? 0 : cx;
    NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int cy) {
    m_cxyFixed.cy = cy < 0 ? 0 : cy;
    NeedParentUpdate();
}

void CControlUI::SetPadding(const Rect& padding) {
    m_rcPadding = padding;
    NeedParentUpdate();
}

void CControlUI::SetBkImage(const std::wstring& description) {
    m_sBkImage = description;
    Invalidate();
}

void CControlUI::SetBkColor(unsigned argb) {
    m_bkColor = argb;
    Invalidate();
}

void CControlUI::SetBorderColor(unsigned argb) {
    m_borderColor = argb;
    Invalidate();
}

void CControlUI::SetBorderSize(int size) {
    m_borderSize = size;
    Invalidate();
}

void CControlUI::SetBorderRound(Size round) {
    m_borderRound = round;
    Invalidate();
}

void CControlUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    Rect rc;
    Size sz;
    unsigned color = 0;
    if (name == L"name") {
        SetName(value);
    } else if (name == L"text") {
        SetText(value);
    } else if (name == L"tooltip") {
        SetToolTip(value);
    } else if (name == L"userdata") {
        SetUserData(value);
    } else if (name == L"visible") {
        SetVisible(ParseBool(value));
    } else if (name == L"enabled") {
        SetEnabled(ParseBool(value));
    } else if (name == L"float") {
        SetFloat(ParseBool(value));
    } else if (name == L"pos" && ParseRect(value, rc)) {
        // A floating control is placed by pos; any control takes its size from it.
        SetFixedXY({rc.left, rc.top});
        SetFixedWidth(rc.Width());
        SetFixedHeight(rc.Height());
    } else if (name == L"width") {
        SetFixedWidth(ParseInt(value));
    } else if (name == L"height") {
        SetFixedHeight(ParseInt(value));
    } else if (name == L"padding" && ParseRect(value, rc)) {
        SetPadding(rc);
    } else if (name == L"bkimage") {
        SetBkImage(value);
    } else if (name == L"bkcolor" && ParseColor(value, color)) {
        SetBkColor(color);
    } else if (name == L"bordercolor" && ParseColor(value, color)) {
        SetBorderColor(color);
    } else if (name == L"bordersize") {
        SetBorderSize(ParseInt(value));
    } else if (name == L"borderround" && ParseSize(value, sz)) {
        SetBorderRound(sz);
    }
}

CControlUI* CControlUI::FindControl(const std::wstring& name) {
    return m_sName == name ? this : nullptr;
}

CControlUI* CControlUI::FindControlAt(Point pt) {
    return IsVisible() && m_rcItem.Contains(pt) ? this : nullptr;
}

void CControlUI::Invalidate() {
    m_widget->update();
}

void CControlUI::NeedParentUpdate() {
    if (m_pManager != nullptr) {
        m_pManager->NeedUpdate();
    }
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent) {
    m_pManager = manager;
    m_pParent = parent;
    if (parent != nullptr && m_widget->parentWidget() != parent->GetWidget()) {
        m_widget->setParent(parent->GetWidget());
        m_widget->setVisible(m_bVisible);
    }
}

bool CControlUI::OnMouse(MouseEvent, Point) {
    return false;
}

bool CControlUI::DrawImage(QPainter& painter, const std::wstring& description) {
    return !description.empty() && dui::DrawImage(painter, LocalRect(), description);
}

void CControlUI::PaintBkColor(QPainter& painter) {
    if ((m_bkColor >> 24) == 0) {
        return;
    }
    QRectF r(0, 0, m_rcItem.Width(), m_rcItem.Height());
    if (m_borderRound.cx > 0) {
        QPainterPath path;
        path.addRoundedRect(r, m_borderRound.cx / 2.0, m_borderRound.cy / 2.0);
        painter.fillPath(path, ToQColor(m_bkColor));
    } else {
        painter.fillRect(r, ToQColor(m_bkColor));
    }
}

void CControlUI::PaintBorder(QPainter& painter) {
    if (m_borderSize <= 0 || (m_borderColor >> 24) == 0) {
        return;
    }
    QPen pen(ToQColor(m_borderColor), m_borderSize);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    qreal half = m_borderSize / 2.0;
    QRectF r(half, half, m_rcItem.Width() - m_borderSize, m_rcItem.Height() - m_borderSize);
    if (m_borderRound.cx > 0) {
        painter.drawRoundedRect(r, m_borderRound.cx / 2.0, m_borderRound.cy / 2.0);
    } else {
        painter.drawRect(r);
    }
}

void CControlUI::DoPaint(QPainter& painter) {
    PaintBkColor(painter);
    DrawImage(painter, m_sBkImage);
    PaintBorder(painter);
}

}  // namespace dui
