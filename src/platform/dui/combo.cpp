#include "platform/dui/combo.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "platform/dui/paint_manager.h"
#include "platform/dui/qt_util.h"

namespace dui {

CComboUI::CComboUI() : m_box(new QComboBox(GetWidget())) {
    m_box->setFocusPolicy(Qt::ClickFocus);
    WatchField(m_box);
    // Only the user's pick comes through Qt; picks by code notify from SelectItem.
    QObject::connect(m_box, &QComboBox::activated, [this](int index) { SelectItem(index); });
}

CComboUI::~CComboUI() {
    QObject::disconnect(m_box, nullptr, nullptr, nullptr);
    for (CControlUI* item : m_items) {
        delete item;
    }
}

CControlUI* CComboUI::GetItemAt(int index) const {
    return index >= 0 && index < GetCount() ? m_items[index] : nullptr;
}

bool CComboUI::Add(CControlUI* item) {
    if (item == nullptr) {
        return false;
    }
    m_items.push_back(item);
    // The drop-down shows the item's text; its own widget stays hidden inside the combo, not a
    // window of its own.
    item->GetWidget()->setParent(GetWidget());
    item->GetWidget()->hide();
    QSignalBlocker block(m_box);
    m_box->addItem(ToQString(item->GetText()));
    // Qt picks the first item of an empty box by itself; the pick stays what it was.
    m_box->setCurrentIndex(m_iCurSel);
    return true;
}

void CComboUI::RemoveAll() {
    for (CControlUI* item : m_items) {
        delete item;
    }
    m_items.clear();
    m_iCurSel = -1;
    QSignalBlocker block(m_box);
    m_box->clear();
}

bool CComboUI::SelectItem(int index) {
    if (index < -1 || index >= GetCount()) {
        return false;
    }
    {
        QSignalBlocker block(m_box);
        m_box->setCurrentIndex(index);
    }
    if (index == m_iCurSel) {
        return true;
    }
    int oldSel = m_iCurSel;
    m_iCurSel = index;
    if (m_pManager != nullptr && index >= 0) {
        TNotifyUI msg{kNotifyItemSelect, this, index, oldSel};
        m_pManager->SendNotify(msg);
    }
    return true;
}

std::wstring CComboUI::DoGetText() const {
    CControlUI* item = GetItemAt(m_iCurSel);
    return item != nullptr ? item->GetText() : std::wstring();
}

void CComboUI::DoSetEnabled(bool enabled) {
    CControlUI::DoSetEnabled(enabled);
    m_box->setEnabled(enabled);
}

QWidget* CComboUI::FocusWidget() const {
    return m_box;
}

void CComboUI::SetPos(const Rect& rc) {
    CControlUI::SetPos(rc);
    m_box->setGeometry(ToQRect(LocalRect()));
}

void CComboUI::DoPaint(QPainter& painter) {
    if (m_box->font() != SkinFont(m_pManager, -1)) {
        m_box->setFont(SkinFont(m_pManager, -1));
    }
    CControlUI::DoPaint(painter);
}

}  // namespace dui
