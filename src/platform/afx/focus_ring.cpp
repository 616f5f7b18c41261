#include "platform/afx/focus_ring.h"

#include <QEvent>
#include <QPainter>

namespace afx {

namespace {

constexpr QRgb kOuterColor = 0xFF1F2933;
constexpr QRgb kInnerColor = 0xFFFFFFFF;
constexpr qreal kRadius = 4;

}  // namespace

FocusRing::FocusRing(QWidget* marked) : QWidget(marked) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    // The ring keeps to the marked widget's size.
    marked->installEventFilter(this);
}

void FocusRing::Show(bool shown) {
    if (shown) {
        setGeometry(parentWidget()->rect());
        // Widgets put into the marked one since the ring was made lie above it.
        raise();
    }
    setVisible(shown);
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == parentWidget() && isVisible()) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QRectF r = rect();
    painter.setPen(QPen(QColor(kOuterColor), 2));
    painter.drawRoundedRect(r.adjusted(1, 1, -1, -1), kRadius, kRadius);
    painter.setPen(QPen(QColor(kInnerColor), 1));
    painter.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), kRadius - 1.5, kRadius - 1.5);
}

}  // namespace afx
