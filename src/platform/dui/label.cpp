#include "platform/dui/label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include "platform/dui/paint_manager.h"
#include "platform/dui/qt_util.h"

namespace dui {

namespace {

int QtAlignment(unsigned style) {
    int flags = 0;
    flags |= (style & DT_CENTER)  ? Qt::AlignHCenter
             : (style & DT_RIGHT) ? Qt::AlignRight
                                  : Qt::AlignLeft;
    flags |= (style & DT_VCENTER)  ? Qt::AlignVCenter
             : (style & DT_BOTTOM) ? Qt::AlignBottom
                                   : Qt::AlignTop;
    if ((style & DT_WORDBREAK) != 0 && (style & DT_SINGLELINE) == 0) {
        flags |= Qt::TextWordWrap;
    }
    return flags;
}

}  // namespace

// --- CLabelUI ---

CLabelUI::CLabelUI() = default;

void CLabelUI::SetTextStyle(unsigned style) {
    m_uTextStyle = style;
    Invalidate();
}

void CLabelUI::SetTextColor(unsigned argb) {
    m_textColor = argb;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(unsigned argb) {
    m_disabledTextColor = argb;
    Invalidate();
}

void CLabelUI::SetFont(int index) {
    m_font = index;
    Invalidate();
}

void CLabelUI::SetTextPadding(const Rect& padding) {
    m_rcTextPadding = padding;
    Invalidate();
}

void CLabelUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    unsigned color = 0;
    Rect rc;
    if (name == L"align") {
        m_uTextStyle &= ~(DT_CENTER | DT_RIGHT);
        if (value.find(L"center") != std::wstring::npos) {
            m_uTextStyle |= DT_CENTER;
        } else if (value.find(L"right") != std::wstring::npos) {
            m_uTextStyle |= DT_RIGHT;
        }
    } else if (name == L"valign") {
        m_uTextStyle &= ~(DT_VCENTER | DT_BOTTOM);
        if (value == L"vcenter" || value == L"center") {
            m_uTextStyle |= DT_VCENTER;
        } else if (value == L"bottom") {
            m_uTextStyle |= DT_BOTTOM;
        }
    } else if (name == L"wordbreak" || name == L"multiline") {
        if (ParseBool(value)) {
            m_uTextStyle = (m_uTextStyle & ~DT_SINGLELINE) | DT_WORDBREAK;
        } else {
            m_uTextStyle = (m_uTextStyle & ~DT_WORDBREAK) | DT_SINGLELINE;
        }
    } else if (name == L"endellipsis") {
        m_uTextStyle =
            ParseBool(value) ? (m_uTextStyle | DT_END_ELLIPSIS) : (m_uTextStyle & ~DT_END_ELLIPSIS);
    } else if (name == L"textcolor" && ParseColor(value, color)) {
        SetTextColor(color);
    } else if (name == L"disabledtextcolor" && ParseColor(value, color)) {
        SetDisabledTextColor(color);
    } else if (name == L"font") {
        SetFont(ParseInt(value));
    } else if (name == L"textpadding" && ParseRect(value, rc)) {
        SetTextPadding(rc);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

unsigned CLabelUI::CurrentTextColor() const {
    return IsEnabled() ? m_textColor : m_disabledTextColor;
}

void CLabelUI::DoPaint(QPainter& painter) {
    CControlUI::PaintBkColor(painter);
    CControlUI::DrawImage(painter, GetBkImage());
    PaintStatusImage(painter);
    PaintText(painter, CurrentTextColor());
    CControlUI::PaintBorder(painter);
}

void CLabelUI::PaintText(QPainter& painter, unsigned color) {
    std::wstring text = DoGetText();
    if (text.empty()) {
        return;
    }
    QRect r = ToQRect(LocalRect());
    r.adjust(m_rcTextPadding.left, m_rcTextPadding.top, -m_rcTextPadding.right,
             -m_rcTextPadding.bottom);
    QFont font = SkinFont(m_pManager, m_font);
    painter.setFont(font);
    painter.setPen(ToQColor(color));
    QString shown = ToQString(text);
    if ((m_uTextStyle & DT_END_ELLIPSIS) != 0) {
        shown = QFontMetrics(font).elidedText(shown, Qt::ElideRight, r.width());
    }
    painter.drawText(r, QtAlignment(m_uTextStyle), shown);
}

// --- CTextUI ---

CTextUI::CTextUI() {
    m_uTextStyle = DT_WORDBREAK;
}

// --- CButtonUI ---

CButtonUI::CButtonUI() {
    m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
}

void CButtonUI::SetNormalImage(const std::wstring& description) {
    m_sNormalImage = description;
    Invalidate();
}

void CButtonUI::SetHotImage(const std::wstring& description) {
    m_sHotImage = description;
    Invalidate();
}

void CButtonUI::SetPushedImage(const std::wstring& description) {
    m_sPushedImage = description;
    Invalidate();
}

void CButtonUI::SetDisabledImage(const std::wstring& description) {
    m_sDisabledImage = description;
    Invalidate();
}

void CButtonUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    unsigned color = 0;
    if (name == L"normalimage") {
        SetNormalImage(value);
    } else if (name == L"hotimage") {
        SetHotImage(value);
    } else if (name == L"pushedimage") {
        SetPushedImage(value);
    } else if (name == L"disabledimage") {
        SetDisabledImage(value);
    } else if (name == L"hottextcolor" && ParseColor(value, color)) {
        m_hotTextColor = color;
    } else if (name == L"pushedtextcolor" && ParseColor(value, color)) {
        m_pushedTextColor = color;
    } else if (name == L"default") {
        m_bDefault = ParseBool(value);
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

bool CButtonUI::OnMouse(MouseEvent event, Point local) {
    switch (event) {
        case MouseEvent::Enter:
            m_bHot = true;
            break;
        case MouseEvent::Leave:
            m_bHot = false;
            break;
        case MouseEvent::Press:
        case MouseEvent::DoubleClick:
            m_bPushed = IsEnabled();
            break;
        case MouseEvent::Release: {
            bool click = m_bPushed && LocalRect().Contains(local);
            m_bPushed = false;
            Invalidate();
            if (click) {
                // The handler may delete this control; nothing is touched afterwards.
                Activate();
            }
            return true;
        }
    }
    Invalidate();
    return true;
}

bool CButtonUI::Activate() {
    if (!IsEnabled() || !IsVisible()) {
        return false;
    }
    if (m_pManager != nullptr) {
        m_pManager->SendNotify(this, kNotifyClick);
    }
    return true;
}

bool CButtonUI::IsHot() const {
    return m_bHot || GetWidget()->hasFocus();
}

void CButtonUI::PaintStatusImage(QPainter& painter) {
    if (!IsEnabled() && DrawImage(painter, m_sDisabledImage)) {
        return;
    }
    if (IsEnabled() && m_bPushed && DrawImage(painter, m_sPushedImage)) {
        return;
    }
    if (IsEnabled() && IsHot() && DrawImage(painter, m_sHotImage)) {
        return;
    }
    DrawImage(painter, m_sNormalImage);
}

unsigned CButtonUI::CurrentTextColor() const {
    if (IsEnabled() && m_bPushed && m_pushedTextColor != 0) {
        return m_pushedTextColor;
    }
    if (IsEnabled() && IsHot() && m_hotTextColor != 0) {
        return m_hotTextColor;
    }
    return CLabelUI::CurrentTextColor();
}

// --- COptionUI ---

COptionUI::~COptionUI() {
    if (m_pManager != nullptr && !m_sGroupName.empty()) {
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    }
}

void COptionUI::SetGroup(const std::wstring& group) {
    if (m_pManager != nullptr && !m_sGroupName.empty()) {
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    }
    m_sGroupName = group;
    if (m_pManager != nullptr && !m_sGroupName.empty()) {
        m_pManager->AddOptionGroup(m_sGroupName, this);
    }
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent) {
    if (m_pManager != nullptr && m_pManager != manager && !m_sGroupName.empty()) {
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    }
    bool join = manager != nullptr && manager != m_pManager && !m_sGroupName.empty();
    CButtonUI::SetManager(manager, parent);
    if (join) {
        manager->AddOptionGroup(m_sGroupName, this);
    }
}

void COptionUI::Selected(bool selected) {
    if (m_bSelected == selected) {
        return;
    }
    m_bSelected = selected;
    Invalidate();
    if (m_pManager == nullptr) {
        return;
    }
    if (m_sGroupName.empty()) {
        m_pManager->SendNotify(this, kNotifySelectChanged);
        return;
    }
    if (selected) {
        for (COptionUI* other : m_pManager->GetOptionGroup(m_sGroupName)) {
            if (other != this) {
                other->Selected(false);
            }
        }
        m_pManager->SendNotify(this, kNotifySelectChanged);
    }
}

bool COptionUI::Activate() {
    if (!CButtonUI::Activate()) {
        return false;
    }
    Selected(m_sGroupName.empty() ? !m_bSelected : true);
    return true;
}

void COptionUI::SetSelectedImage(const std::wstring& description) {
    m_sSelectedImage = description;
    Invalidate();
}

void COptionUI::SetSelectedHotImage(const std::wstring& description) {
    m_sSelectedHotImage = description;
    Invalidate();
}

void COptionUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    unsigned color = 0;
    if (name == L"group") {
        SetGroup(value);
    } else if (name == L"selected") {
        Selected(ParseBool(value));
    } else if (name == L"selectedimage") {
        SetSelectedImage(value);
    } else if (name == L"selectedhotimage") {
        SetSelectedHotImage(value);
    } else if (name == L"selectedtextcolor" && ParseColor(value, color)) {
        m_selectedTextColor = color;
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void COptionUI::PaintStatusImage(QPainter& painter) {
    if (m_bSelected) {
        if (IsEnabled() && IsHot() && DrawImage(painter, m_sSelectedHotImage)) {
            return;
        }
        if (DrawImage(painter, m_sSelectedImage)) {
            return;
        }
    }
    CButtonUI::PaintStatusImage(painter);
}

unsigned COptionUI::CurrentTextColor() const {
    if (m_bSelected && IsEnabled() && m_selectedTextColor != 0) {
        return m_selectedTextColor;
    }
    return CButtonUI::CurrentTextColor();
}

}  // namespace dui
