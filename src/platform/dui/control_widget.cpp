#include "platform/dui/control_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

#include "platform/afx/focus_ring.h"
#include "platform/dui/control.h"
#include "platform/dui/paint_manager.h"

namespace dui {

ControlWidget::ControlWidget(CControlUI* owner) : m_owner(owner) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover, false);
}

bool IsRealFocusMove(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

void ControlWidget::paintEvent(QPaintEvent*) {
    if (m_owner == nullptr) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_owner->DoPaint(painter);
}

void ControlWidget::WatchField(QWidget* field) {
    field->installEventFilter(this);
}

bool ControlWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        UpdateRing();
    }
    return QWidget::eventFilter(watched, event);
}

void ControlWidget::UpdateRing() {
    QWidget* field = m_owner != nullptr ? m_owner->KeyboardWidget() : nullptr;
    const bool shown = field != nullptr && m_owner->IsEnabled() && field->hasFocus() &&
                       (field == this || field->parentWidget() == this);
    if (shown && m_ring == nullptr) {
        m_ring = new afx::FocusRing(this);
    }
    if (m_ring != nullptr) {
        m_ring->Show(shown);
    }
}

void ControlWidget::Forward(QMouseEvent* event, int kind) {
    if (m_owner == nullptr) {
        event->ignore();
        return;
    }
    QPointer<ControlWidget> alive(this);
    bool press = kind == static_cast<int>(MouseEvent::Press) ||
                 kind == static_cast<int>(MouseEvent::DoubleClick);
    if (press && m_owner->GetManager() != nullptr && event->button() == Qt::LeftButton &&
        !HoldsControlAt(event->position().toPoint())) {
        // A click moves the focus to the clicked control, edits losing theirs.
        m_owner->GetManager()->SetClickFocus(m_owner);
    }
    if (!alive || m_owner == nullptr) {
        return;
    }
    QPoint p = event->position().toPoint();
    bool handled = event->button() == Qt::LeftButton &&
                   m_owner->OnMouse(static_cast<MouseEvent>(kind), Point{p.x(), p.y()});
    if (alive) {
        event->setAccepted(handled);
    }
}

// A press that a control inside declined (an edit's text padding) comes up to its containers,
// which must leave the focus where that control took it.
bool ControlWidget::HoldsControlAt(QPoint point) const {
    for (QWidget* inside = childAt(point); inside != nullptr && inside != this;
         inside = inside->parentWidget()) {
        if (dynamic_cast<ControlWidget*>(inside) != nullptr) {
            return true;
        }
    }
    return false;
}

void ControlWidget::mousePressEvent(QMouseEvent* event) {
    Forward(event, static_cast<int>(MouseEvent::Press));
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* event) {
    Forward(event, static_cast<int>(MouseEvent::Release));
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    Forward(event, static_cast<int>(MouseEvent::DoubleClick));
}

void ControlWidget::enterEvent(QEnterEvent*) {
    if (m_owner != nullptr) {
        m_owner->OnMouse(MouseEvent::Enter, {});
    }
}

void ControlWidget::leaveEvent(QEvent*) {
    if (m_owner != nullptr) {
        m_owner->OnMouse(MouseEvent::Leave, {});
    }
}

void ControlWidget::focusInEvent(QFocusEvent*) {
    update();
    UpdateRing();
}

void ControlWidget::focusOutEvent(QFocusEvent*) {
    update();
    UpdateRing();
}

bool ControlWidget::focusNextPrevChild(bool next) {
    CPaintManagerUI* manager = m_owner != nullptr ? m_owner->GetManager() : nullptr;
    if (manager == nullptr || manager->GetPaintWindow() == nullptr) {
        return QWidget::focusNextPrevChild(next);
    }
    manager->GetPaintWindow()->setFocus(Qt::OtherFocusReason);
    return true;
}

void ControlWidget::wheelEvent(QWheelEvent* event) {
    event->setAccepted(m_owner != nullptr && m_owner->OnWheel(event->angleDelta().y()));
}

}  // namespace dui
