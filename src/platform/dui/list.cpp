#include "platform/dui/list.h"

#include <QPainter>
#include <algorithm>

#include "platform/dui/paint_manager.h"
#include "platform/dui/qt_util.h"

namespace dui {

namespace {

constexpr unsigned kSelectedRowColor = 0xFFD6E4FA;
constexpr unsigned kHotRowColor = 0xFFEEF3FB;
constexpr unsigned kRowLineColor = 0xFFE3E8EF;

int QtTextFlags(unsigned style) {
    int flags = Qt::AlignVCenter;
    flags |= (style & DT_CENTER)  ? Qt::AlignHCenter
             : (style & DT_RIGHT) ? Qt::AlignRight
                                  : Qt::AlignLeft;
    return flags;
}

}  // namespace

CListHeaderItemUI::CListHeaderItemUI() {
    m_uTextStyle = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
}

// --- rows ---

void CListElementUI::SetSelectedState(bool selected) {
    m_bSelected = selected;
    Invalidate();
}

bool CListElementUI::OnMouse(MouseEvent event, Point) {
    switch (event) {
        case MouseEvent::Enter:
        case MouseEvent::Leave:
            m_bHot = event == MouseEvent::Enter;
            Invalidate();
            return true;
        case MouseEvent::Press:
            if (IsEnabled() && m_pOwner != nullptr) {
                m_pOwner->SelectItem(m_iIndex);
            }
            return true;
        case MouseEvent::DoubleClick:
            Activate();
            return true;
        case MouseEvent::Release:
            return true;
    }
    return true;
}

void CListElementUI::Activate() {
    if (!IsEnabled() || m_pManager == nullptr) {
        return;
    }
    // The activated row is selected first, as DuiLib's lists do.
    if (m_pOwner != nullptr) {
        m_pOwner->SelectItem(m_iIndex);
    }
    m_pManager->SendNotify(this, kNotifyItemActivate);
}

// A click on a row leaves the keys with its list.
QWidget* CListElementUI::FocusWidget() const {
    return m_pOwner != nullptr ? m_pOwner->FocusWidget() : CControlUI::FocusWidget();
}

void CListElementUI::PaintRowBackground(QPainter& painter) {
    PaintBkColor(painter);
    QRect r = ToQRect(LocalRect());
    if (m_bSelected) {
        painter.fillRect(r, ToQColor(kSelectedRowColor));
    } else if (m_bHot && IsEnabled()) {
        painter.fillRect(r, ToQColor(kHotRowColor));
    }
    painter.setPen(ToQColor(kRowLineColor));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
}

void CListLabelElementUI::DoPaint(QPainter& painter) {
    PaintRowBackground(painter);
    CListUI* owner = GetOwner();
    painter.setFont(SkinFont(m_pManager, -1));
    painter.setPen(ToQColor(owner ? owner->GetItemTextColor() : 0xFF1F2933));
    QRect r = ToQRect(LocalRect()).adjusted(4, 0, -4, 0);
    painter.drawText(r, QtTextFlags(owner ? owner->GetItemTextStyle() : 0), ToQString(DoGetText()));
}

void CListTextElementUI::DoPaint(QPainter& painter) {
    PaintRowBackground(painter);
    CListUI* owner = GetOwner();
    if (owner == nullptr) {
        return;
    }
    painter.setFont(SkinFont(m_pManager, -1));
    painter.setPen(ToQColor(owner->GetItemTextColor()));
    CListHeaderUI* header = owner->GetHeader();
    int columns = header->GetCount() > 0 ? header->GetCount() : 1;
    for (int column = 0; column < columns; ++column) {
        QRect cell = ToQRect(LocalRect());
        if (CControlUI* item = header->GetItemAt(column)) {
            cell.setLeft(item->GetPos().left - GetPos().left);
            cell.setWidth(item->GetPos().Width());
        }
        std::wstring text;
        if (IListCallbackUI* callback = owner->GetTextCallback()) {
            text = callback->GetItemText(this, GetIndex(), column);
        } else if (column == 0) {
            text = DoGetText();
        }
        painter.drawText(cell.adjusted(4, 0, -4, 0), QtTextFlags(owner->GetItemTextStyle()),
                         ToQString(text));
    }
}

// --- the list ---

CListUI::CListUI() : m_pHeader(new CListHeaderUI), m_pBody(new CVerticalLayoutUI) {
    m_pHeader->SetFixedHeight(24);
    m_pHeader->SetBkColor(0xFFF1F4F8);
    m_pBody->EnableScrollBar(true);
    CContainerUI::AddAt(m_pHeader, 0);
    CContainerUI::AddAt(m_pBody, 1);
}

int CListUI::GetCount() const {
    return m_pBody->GetCount();
}

CControlUI* CListUI::GetItemAt(int index) const {
    return m_pBody->GetItemAt(index);
}

int CListUI::GetItemIndex(const CControlUI* control) const {
    return m_pBody->GetItemIndex(control);
}

bool CListUI::AddAt(CControlUI* control, int index) {
    if (auto* header = dynamic_cast<CListHeaderUI*>(control)) {
        // A header from the skin takes the place of the default one.
        int at = CContainerUI::GetItemIndex(m_pHeader);
        CContainerUI::RemoveAt(at);
        m_pHeader = header;
        return CContainerUI::AddAt(header, at);
    }
    if (dynamic_cast<CListHeaderItemUI*>(control) != nullptr) {
        return m_pHeader->Add(control);
    }
    if (!m_pBody->AddAt(control, index)) {
        return false;
    }
    Renumber();
    return true;
}

bool CListUI::RemoveAt(int index) {
    if (!m_pBody->RemoveAt(index)) {
        return false;
    }
    if (m_iCurSel == index) {
        m_iCurSel = -1;
    } else if (m_iCurSel > index) {
        --m_iCurSel;
    }
    Renumber();
    return true;
}

void CListUI::RemoveAll() {
    m_iCurSel = -1;
    m_pBody->RemoveAll();
}

void CListUI::Renumber() {
    for (int i = 0; i < m_pBody->GetCount(); ++i) {
        if (auto* row = dynamic_cast<CListElementUI*>(m_pBody->GetItemAt(i))) {
            row->SetIndex(i);
            row->SetOwner(this);
        }
    }
}

bool CListUI::SelectItem(int index) {
    if (index == m_iCurSel) {
        return true;
    }
    auto* row = dynamic_cast<CListElementUI*>(GetItemAt(index));
    if (row == nullptr) {
        return false;
    }
    if (auto* old = dynamic_cast<CListElementUI*>(GetItemAt(m_iCurSel))) {
        old->SetSelectedState(false);
    }
    int oldSel = m_iCurSel;
    m_iCurSel = index;
    row->SetSelectedState(true);
    if (m_pManager != nullptr) {
        TNotifyUI msg{kNotifyItemSelect, this, index, oldSel};
        m_pManager->SendNotify(msg);
    }
    return true;
}

bool CListUI::OnKey(ListKey key) {
    const int count = GetCount();
    if (!IsEnabled() || count == 0) {
        return false;
    }
    int to = m_iCurSel;
    switch (key) {
        case ListKey::Activate:
            if (auto* row = dynamic_cast<CListElementUI*>(GetItemAt(m_iCurSel))) {
                row->Activate();
            }
            return true;
        case ListKey::Up:
            to -= 1;
            break;
        case ListKey::Down:
            to += 1;
            break;
        case ListKey::PageUp:
            to -= RowsPerPage();
            break;
        case ListKey::PageDown:
            to += RowsPerPage();
            break;
        case ListKey::Home:
            to = 0;
            break;
        case ListKey::End:
            to = count - 1;
            break;
    }
    to = std::clamp(to, 0, count - 1);
    SelectItem(to);
    ScrollIntoView(to);
    return true;
}

int CListUI::RowsPerPage() const {
    CControlUI* first = GetItemAt(0);
    const int rowHeight = first != nullptr ? first->GetPos().Height() : 0;
    return rowHeight > 0 ? std::max(1, m_pBody->GetPos().Height() / rowHeight) : 1;
}

void CListUI::ScrollIntoView(int index) {
    if (CControlUI* row = GetItemAt(index)) {
        m_pBody->ScrollToShow(*row);
    }
}

// The list's own widget takes the keys, whether a click, the code or the keyboard focused it.
QWidget* CListUI::FocusWidget() const {
    return GetWidget();
}

void CListUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    unsigned color = 0;
    if (name == L"header") {
        m_pHeader->SetVisible(value != L"hidden" && value != L"false");
    } else if (name == L"itemalign") {
        m_itemTextStyle &= ~(DT_CENTER | DT_RIGHT);
        if (value == L"center") {
            m_itemTextStyle |= DT_CENTER;
        } else if (value == L"right") {
            m_itemTextStyle |= DT_RIGHT;
        }
        Invalidate();
    } else if (name == L"itemtextcolor" && ParseColor(value, color)) {
        m_itemTextColor = color;
    } else {
        CVerticalLayoutUI::SetAttribute(name, value);
    }
}

}  // namespace dui
