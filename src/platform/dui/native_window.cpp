#include "platform/dui/native_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainterPath>
#include <QRegion>
#include <QWindow>

#include "platform/dui/keyboard.h"
#include "platform/dui/window.h"

namespace dui {

NativeWindow::NativeWindow(WindowImplBase* owner, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_owner(owner), m_hit(HTCLIENT) {
    setFocusPolicy(Qt::NoFocus);
}

NativeWindow::~NativeWindow() {
    if (m_owner != nullptr) {
        m_owner->OnNativeDestroyed();
    }
}

CPaintManagerUI* NativeWindow::Manager() const {
    return m_owner != nullptr ? &m_owner->m_PaintManager : nullptr;
}

// Keys reach the top-level window before the widget that has Qt's focus: Tab never goes round
// Qt's own focus chain, and a button given the focus hears Space and Enter.
bool NativeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == windowHandle() && m_owner != nullptr) {
        return HandleWindowKey(this, *static_cast<QKeyEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void NativeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (isWindow() && windowHandle() != nullptr) {
        windowHandle()->installEventFilter(this);
    }
}

void NativeWindow::resizeEvent(QResizeEvent*) {
    if (m_owner == nullptr) {
        return;
    }
    m_owner->m_PaintManager.UpdateLayout();
    Size round = m_owner->m_PaintManager.GetRoundCorner();
    if (round.cx > 0 && isWindow()) {
        QPainterPath path;
        path.addRoundedRect(rect(), round.cx / 2.0, round.cy / 2.0);
        setMask(QRegion(path.toFillPolygon().toPolygon()));
    }
}

void NativeWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (m_owner != nullptr) {
        m_owner->OnSystemClose();
    }
}

void NativeWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_owner != nullptr && m_owner->m_modalLoop != nullptr) {
        m_owner->OnSystemClose();
        return;
    }
    QWidget::keyPressEvent(event);
}

void NativeWindow::mousePressEvent(QMouseEvent* event) {
    if (m_owner == nullptr || event->button() != Qt::LeftButton) {
        return;
    }
    QPoint p = event->position().toPoint();
    m_hit = m_owner->OnNcHitTest({p.x(), p.y()});
    m_pressGlobal = event->globalPosition().toPoint();
    m_pressGeometry = geometry();
}

void NativeWindow::mouseMoveEvent(QMouseEvent* event) {
    if (m_hit == HTCLIENT || (event->buttons() & Qt::LeftButton) == 0) {
        return;
    }
    QPoint d = event->globalPosition().toPoint() - m_pressGlobal;
    QRect g = m_pressGeometry;
    if (m_hit == HTCAPTION) {
        move(g.topLeft() + d);
        return;
    }
    if (m_hit == HTLEFT || m_hit == HTTOPLEFT || m_hit == HTBOTTOMLEFT) {
        g.setLeft(g.left() + d.x());
    }
    if (m_hit == HTRIGHT || m_hit == HTTOPRIGHT || m_hit == HTBOTTOMRIGHT) {
        g.setRight(g.right() + d.x());
    }
    if (m_hit == HTTOP || m_hit == HTTOPLEFT || m_hit == HTTOPRIGHT) {
        g.setTop(g.top() + d.y());
    }
    if (m_hit == HTBOTTOM || m_hit == HTBOTTOMLEFT || m_hit == HTBOTTOMRIGHT) {
        g.setBottom(g.bottom() + d.y());
    }
    setGeometry(g);
}

void NativeWindow::mouseReleaseEvent(QMouseEvent*) {
    m_hit = HTCLIENT;
}

}  // namespace dui
