#include "platform/dui/container.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "platform/dui/paint_manager.h"

namespace dui {

namespace {

constexpr int kScrollBarWidth = 10;
constexpr int kWheelStep = 48;

QString ScrollBarStyle(const std::wstring& up, const std::wstring& down, const std::wstring& thumb,
                       const std::wstring& thumbHot) {
    auto url = [](const std::wstring& file) {
        return QString::fromStdWString(CPaintManagerUI::GetResourcePath() + file);
    };
    QString style = QStringLiteral("QScrollBar:vertical{background:transparent;width:%1px;}")
                        .arg(kScrollBarWidth);
    if (!thumb.empty()) {
        style +=
            QStringLiteral("QScrollBar::handle:vertical{border-image:url(%1);}").arg(url(thumb));
    } else {
        style += QStringLiteral(
            "QScrollBar::handle:vertical{background:#B8C2D0;border-radius:4px;min-height:24px;}");
    }
    if (!thumbHot.empty()) {
        style += QStringLiteral("QScrollBar::handle:vertical:hover{border-image:url(%1);}")
                     .arg(url(thumbHot));
    }
    style +=
        QStringLiteral("QScrollBar::sub-line:vertical{height:%1px;subcontrol-origin:margin;%2}")
            .arg(up.empty() ? 0 : kScrollBarWidth)
            .arg(up.empty() ? QString() : QStringLiteral("border-image:url(%1);").arg(url(up)));
    style +=
        QStringLiteral("QScrollBar::add-line:vertical{height:%1px;subcontrol-origin:margin;%2}")
            .arg(down.empty() ? 0 : kScrollBarWidth)
            .arg(down.empty() ? QString() : QStringLiteral("border-image:url(%1);").arg(url(down)));
    style += QStringLiteral("QScrollBar::add-page,QScrollBar::sub-page{background:none;}");
    return style;
}

}  // namespace

CContainerUI::CContainerUI() : m_alive(std::make_shared<bool>(true)) {}

CContainerUI::~CContainerUI() {
    DeleteRemoved();
    if (m_scrollBar != nullptr) {
        QObject::disconnect(m_scrollBar, nullptr, nullptr, nullptr);
    }
    for (CControlUI* item : m_items) {
        delete item;
    }
}

CControlUI* CContainerUI::GetItemAt(int index) const {
    return index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[index] : nullptr;
}

int CContainerUI::GetItemIndex(const CControlUI* control) const {
    auto it = std::find(m_items.begin(), m_items.end(), control);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CContainerUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr || index < 0 || index > static_cast<int>(m_items.size())) {
        return false;
    }
    m_items.insert(m_items.begin() + index, control);
    control->SetManager(m_pManager, this);
    control->SetInternVisible(IsVisible());
    OnItemAdded(control);
    if (m_scrollBar != nullptr) {
        m_scrollBar->raise();
    }
    NeedParentUpdate();
    return true;
}

bool CContainerUI::RemoveAt(int index) {
    CControlUI* control = CContainerUI::GetItemAt(index);
    if (control == nullptr) {
        return false;
    }
    m_items.erase(m_items.begin() + index);
    delete control;
    NeedParentUpdate();
    return true;
}

void CContainerUI::RemoveAll() {
    std::vector<CControlUI*> items;
    items.swap(m_items);
    for (CControlUI* item : items) {
        delete item;
    }
    NeedParentUpdate();
}

bool CContainerUI::RemoveLater(CControlUI* control) {
    const int index = GetItemIndex(control);
    if (index < 0) {
        return false;
    }
    m_items.erase(m_items.begin() + index);
    control->DoSetVisible(false);
    if (m_pManager != nullptr) {
        m_pManager->ForgetControl(control);
    }
    m_removed.push_back(control);
    std::weak_ptr<bool> alive = m_alive;
    QTimer::singleShot(0, QCoreApplication::instance(), [this, alive] {
        if (alive.lock()) {
            DeleteRemoved();
        }
    });
    NeedParentUpdate();
    return true;
}

void CContainerUI::DeleteRemoved() {
    std::vector<CControlUI*> removed;
    removed.swap(m_removed);
    for (CControlUI* control : removed) {
        delete control;
    }
}

void CContainerUI::SetInset(const Rect& inset) {
    m_rcInset = inset;
    NeedParentUpdate();
}

void CContainerUI::SetChildPadding(int padding) {
    m_childPadding = padding;
    NeedParentUpdate();
}

void CContainerUI::EnableScrollBar(bool vertical) {
    m_bScroll = vertical;
    NeedParentUpdate();
}

// Made when the content first overflows: most containers that may scroll never do.
QScrollBar* CContainerUI::ScrollBar() {
    if (m_scrollBar == nullptr) {
        m_scrollBar = new QScrollBar(Qt::Vertical, GetWidget());
        m_scrollBar->setFocusPolicy(Qt::NoFocus);
        m_scrollBar->setStyleSheet(ScrollBarStyle(m_scrollImages[0], m_scrollImages[1],
                                                  m_scrollImages[2], m_scrollImages[3]));
        m_scrollBar->hide();
        QObject::connect(m_scrollBar, &QScrollBar::valueChanged,
                         [this](int value) { SetScrollPos(value); });
    }
    return m_scrollBar;
}

void CContainerUI::SetScrollBarImages(const std::wstring& up, const std::wstring& down,
                                      const std::wstring& thumb, const std::wstring& thumbHot) {
    m_scrollImages[0] = up;
    m_scrollImages[1] = down;
    m_scrollImages[2] = thumb;
    m_scrollImages[3] = thumbHot;
    if (m_scrollBar != nullptr) {
        m_scrollBar->setStyleSheet(ScrollBarStyle(up, down, thumb, thumbHot));
    }
    EnableScrollBar(true);
}

void CContainerUI::SetScrollPos(int y) {
    y = std::clamp(y, 0, m_scrollBar != nullptr ? m_scrollBar->maximum() : 0);
    if (y == m_scrollY) {
        return;
    }
    m_scrollY = y;
    SetPos(GetPos());
}

void CContainerUI::ScrollToShow(const CControlUI& control) {
    if (m_scrollBar == nullptr || !m_scrollBar->isVisible()) {
        return;
    }
    const Rect view = InnerRect();
    const Rect& at = control.GetPos();
    int by = std::max(0, at.bottom - view.bottom);
    if (at.top - by < view.top) {
        by = at.top - view.top;
    }
    SetScrollPos(m_scrollY + by);
}

Rect CContainerUI::ChildArea() const {
    Rect area = GetPos();
    if (m_scrollBar != nullptr && m_scrollBar->isVisible()) {
        area.top -= m_scrollY;
        area.bottom += m_scrollBar->maximum() - m_scrollY;
    }
    return area;
}

bool CContainerUI::OnWheel(int delta) {
    if (m_scrollBar == nullptr || !m_scrollBar->isVisible()) {
        return false;
    }
    SetScrollPos(m_scrollY - delta / 120 * kWheelStep);
    return true;
}

void CContainerUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    Rect rc;
    if (name == L"inset" && ParseRect(value, rc)) {
        SetInset(rc);
    } else if (name == L"childpadding") {
        SetChildPadding(ParseInt(value));
    } else if (name == L"vscrollbar") {
        EnableScrollBar(ParseBool(value));
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent) {
    CControlUI::SetManager(manager, parent);
    for (CControlUI* item : m_items) {
        item->SetManager(manager, this);
    }
}

void CContainerUI::DoSetVisible(bool visible) {
    CControlUI::DoSetVisible(visible);
    for (CControlUI* item : m_items) {
        item->SetInternVisible(IsVisible());
    }
}

void CContainerUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    for (CControlUI* item : m_items) {
        item->SetInternVisible(IsVisible());
    }
}

QWidget* CContainerUI::FocusWidget() const {
    QWidget* own = CControlUI::FocusWidget();
    for (CControlUI* item : m_items) {
        QWidget* inner = item->FocusWidget();
        if (inner != nullptr && inner != own) {
            return inner;
        }
    }
    return own;
}

Rect CContainerUI::InnerRect() const {
    const Rect& rc = GetPos();
    Rect inner{rc.left + m_rcInset.left, rc.top + m_rcInset.top, rc.right - m_rcInset.right,
               rc.bottom - m_rcInset.bottom};
    if (m_scrollBar != nullptr && m_scrollBar->isVisible()) {
        inner.right -= kScrollBarWidth;
    }
    return inner;
}

void CContainerUI::SetPos(const Rect& rc) {
    CControlUI::SetPos(rc);
    Rect inner = InnerRect();
    int needed = LayoutChildren(inner.Offset(0, -m_scrollY));
    for (CControlUI* item : m_items) {
        if (item->IsFloat()) {
            PlaceFloating(item);
        }
    }
    if (m_bScroll) {
        UpdateScrollBar(needed, inner.Height());
    }
}

void CContainerUI::UpdateScrollBar(int contentHeight, int viewHeight) {
    int range = std::max(0, contentHeight - viewHeight);
    if (range == 0 && m_scrollBar == nullptr) {
        return;
    }
    ScrollBar();
    bool wasShown = m_scrollBar->isVisible();
    m_scrollBar->setRange(0, range);
    m_scrollBar->setPageStep(std::max(1, viewHeight));
    const Rect& rc = GetPos();
    m_scrollBar->setGeometry(rc.Width() - m_rcInset.right - kScrollBarWidth, m_rcInset.top,
                             kScrollBarWidth, rc.Height() - m_rcInset.top - m_rcInset.bottom);
    m_scrollBar->setVisible(range > 0);
    m_scrollBar->raise();
    if (m_scrollY > range || wasShown != (range > 0)) {
        m_scrollY = std::min(m_scrollY, range);
        // The inner width or the offset changed: place the children again.
        Rect inner = InnerRect();
        LayoutChildren(inner.Offset(0, -m_scrollY));
    }
    QSignalBlocker block(m_scrollBar);
    m_scrollBar->setValue(m_scrollY);
}

void CContainerUI::PlaceFloating(CControlUI* child) {
    const Rect& rc = GetPos();
    Size xy = child->GetFixedXY();
    int left = rc.left + xy.cx;
    int top = rc.top + xy.cy - m_scrollY;
    child->SetPos({left, top, left + child->GetFixedWidth(), top + child->GetFixedHeight()});
}

int CContainerUI::LayoutChildren(const Rect& inner) {
    int needed = 0;
    for (CControlUI* item : m_items) {
        if (!item->IsVisible() || item->IsFloat()) {
            continue;
        }
        const Rect& pad = item->GetPadding();
        int cx = item->GetFixedWidth() > 0 ? item->GetFixedWidth()
                                           : inner.Width() - pad.left - pad.right;
        int cy = item->GetFixedHeight() > 0 ? item->GetFixedHeight()
                                            : inner.Height() - pad.top - pad.bottom;
        Rect rc{inner.left + pad.left, inner.top + pad.top, inner.left + pad.left + cx,
                inner.top + pad.top + cy};
        item->SetPos(rc);
        needed = std::max(needed, cy + pad.top + pad.bottom);
    }
    return needed;
}

CControlUI* CContainerUI::FindControl(const std::wstring& name) {
    if (CControlUI* self = CControlUI::FindControl(name)) {
        return self;
    }
    for (CControlUI* item : m_items) {
        if (CControlUI* found = item->FindControl(name)) {
            return found;
        }
    }
    return nullptr;
}

CControlUI* CContainerUI::FindControlAt(Point pt) {
    if (CControlUI::FindControlAt(pt) == nullptr) {
        return nullptr;
    }
    // Later children lie above earlier ones.
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
        if (CControlUI* found = (*it)->FindControlAt(pt)) {
            return found;
        }
    }
    return this;
}

// --- layouts ---

int CVerticalLayoutUI::LayoutChildren(const Rect& inner) {
    int fixed = 0;
    int adjustable = 0;
    int visible = 0;
    for (CControlUI* item : Items()) {
        if (!item->IsVisible() || item->IsFloat()) {
            continue;
        }
        ++visible;
        const Rect& pad = item->GetPadding();
        fixed += pad.top + pad.bottom;
        if (item->GetFixedHeight() > 0) {
            fixed += item->GetFixedHeight();
        } else {
            ++adjustable;
        }
    }
    fixed += std::max(0, visible - 1) * ChildPadding();
    int expand = adjustable > 0 ? std::max(0, (inner.Height() - fixed) / adjustable) : 0;
    int y = inner.top;
    for (CControlUI* item : Items()) {
        if (!item->IsVisible() || item->IsFloat()) {
            continue;
        }
        const Rect& pad = item->GetPadding();
        int cy = item->GetFixedHeight() > 0 ? item->GetFixedHeight() : expand;
        int cx = item->GetFixedWidth() > 0 ? item->GetFixedWidth()
                                           : inner.Width() - pad.left - pad.right;
        Rect rc{inner.left + pad.left, y + pad.top, inner.left + pad.left + cx, y + pad.top + cy};
        item->SetPos(rc);
        y = rc.bottom + pad.bottom + ChildPadding();
    }
    return fixed + expand * adjustable;
}

int CHorizontalLayoutUI::LayoutChildren(const Rect& inner) {
    int fixed = 0;
    int adjustable = 0;
    int visible = 0;
    int needed = 0;
    for (CControlUI* item : Items()) {
        if (!item->IsVisible() || item->IsFloat()) {
            continue;
        }
        ++visible;
        const Rect& pad = item->GetPadding();
        fixed += pad.left + pad.right;
        if (item->GetFixedWidth() > 0) {
            fixed += item->GetFixedWidth();
        } else {
            ++adjustable;
        }
        needed = std::max(needed, item->GetFixedHeight() + pad.top + pad.bottom);
    }
    fixed += std::max(0, visible - 1) * ChildPadding();
    int expand = adjustable > 0 ? std::max(0, (inner.Width() - fixed) / adjustable) : 0;
    int x = inner.left;
    for (CControlUI* item : Items()) {
        if (!item->IsVisible() || item->IsFloat()) {
            continue;
        }
        const Rect& pad = item->GetPadding();
        int cx = item->GetFixedWidth() > 0 ? item->GetFixedWidth() : expand;
        int cy = item->GetFixedHeight() > 0 ? item->GetFixedHeight()
                                            : inner.Height() - pad.top - pad.bottom;
        Rect rc{x + pad.left, inner.top + pad.top, x + pad.left + cx, inner.top + pad.top + cy};
        item->SetPos(rc);
        x = rc.right + pad.right + ChildPadding();
    }
    return needed;
}

void CTabLayoutUI::OnItemAdded(CControlUI* control) {
    if (m_iCurSel == -1 && control->IsVisible()) {
        m_iCurSel = GetItemIndex(control);
    } else if (GetItemIndex(control) != m_iCurSel) {
        control->SetVisible(false);
    }
}

bool CTabLayoutUI::SelectItem(int index) {
    if (index < 0 || index >= GetCount()) {
        return false;
    }
    m_iCurSel = index;
    for (int i = 0; i < GetCount(); ++i) {
        GetItemAt(i)->SetVisible(i == index);
    }
    NeedParentUpdate();
    return true;
}

}  // namespace dui
