#include "key_pictures.h"

#include <QPainterPath>
#include <cmath>

#include "paint.h"

namespace skin {

namespace {

constexpr int kCuts = 6;

QPainterPath Head(const QRectF& blade, qreal radius) {
    QPainterPath head;
    QPointF centre(blade.left() - radius * 0.9, blade.center().y());
    head.addEllipse(centre, radius, radius);
    QPainterPath hole;
    hole.addEllipse(QPointF(centre.x() - radius * 0.35, centre.y()), radius * 0.28, radius * 0.28);
    return head.subtracted(hole);
}

// The blade's outline with V cuts on the top edge (and the bottom for double-sided keys).
QPainterPath Blade(const QRectF& b, bool top, bool bottom) {
    QPainterPath path;
    qreal step = b.width() * 0.8 / kCuts;
    qreal depth = b.height() * 0.28;
    path.moveTo(b.topLeft());
    for (int i = 0; i < kCuts; ++i) {
        qreal x = b.left() + b.width() * 0.08 + i * step;
        qreal d = top ? depth * (0.45 + 0.55 * ((i * 37) % 5) / 4.0) : 0;
        path.lineTo(x, b.top());
        path.lineTo(x + step * 0.3, b.top() + d);
        path.lineTo(x + step * 0.6, b.top() + d);
        path.lineTo(x + step * 0.9, b.top());
    }
    path.lineTo(b.right() - b.height() * 0.5, b.top());
    path.lineTo(b.right(), b.center().y());
    path.lineTo(b.right() - b.height() * 0.5, b.bottom());
    for (int i = kCuts - 1; i >= 0; --i) {
        qreal x = b.left() + b.width() * 0.08 + i * step;
        qreal d = bottom ? depth * (0.45 + 0.55 * ((i * 53) % 5) / 4.0) : 0;
        path.lineTo(x + step * 0.9, b.bottom());
        path.lineTo(x + step * 0.6, b.bottom() - d);
        path.lineTo(x + step * 0.3, b.bottom() - d);
        path.lineTo(x, b.bottom());
    }
    path.lineTo(b.bottomLeft());
    path.closeSubpath();
    return path;
}

QPainterPath Wave(const QRectF& b, qreal y, qreal amplitude) {
    QPainterPath wave;
    for (int i = 0; i <= 60; ++i) {
        qreal x = b.left() + b.width() * 0.05 + (b.width() * 0.8) * i / 60.0;
        qreal yy = y + amplitude * std::sin(i / 60.0 * 3.14159 * 5);
        i == 0 ? wave.moveTo(x, yy) : wave.lineTo(x, yy);
    }
    return wave;
}

void ArrowHead(QPainter& painter, QPointF tip, QPointF from) {
    qreal angle = QLineF(tip, from).angle();
    for (int sign : {-1, 1}) {
        painter.drawLine(QLineF::fromPolar(6, angle + sign * 25).translated(tip));
    }
}

// A dimension line with heads at both ends.
void Arrow(QPainter& painter, QPointF from, QPointF to) {
    painter.drawLine(from, to);
    ArrowHead(painter, to, from);
    ArrowHead(painter, from, to);
}

}  // namespace

void DrawKey(QPainter& painter, const QRectF& area, const KeyLook& look) {
    painter.save();
    qreal h = area.height() * 0.3;
    qreal radius = area.height() * 0.26;
    QRectF blade(area.left() + radius * 2.2 + 4, area.center().y() - h / 2,
                 area.width() - radius * 2.2 - 12, h);
    bool edgeCuts = look.type == 1 || look.type == 2;
    QPainterPath shape = Blade(blade, edgeCuts, look.type == 2).united(Head(blade, radius));
    QLinearGradient metal(area.topLeft(), area.bottomLeft());
    metal.setColorAt(0, colour::kBrass.lighter(118));
    metal.setColorAt(1, colour::kBrass.darker(112));
    painter.fillPath(shape, metal);
    painter.setPen(QPen(colour::kBrass.darker(150), 1.2));
    painter.drawPath(shape);

    QPen track(colour::kNavy, std::max(2.0, h * 0.14), Qt::SolidLine, Qt::RoundCap);
    painter.setPen(track);
    painter.setBrush(Qt::NoBrush);
    qreal amp = h * 0.12;
    switch (look.type) {
        case 3:
            painter.drawPath(
                Wave(blade, look.sideB ? blade.bottom() - h * 0.2 : blade.top() + h * 0.2, amp));
            break;
        case 4:
            painter.drawPath(Wave(blade, blade.top() + h * 0.2, amp));
            painter.drawPath(Wave(blade, blade.bottom() - h * 0.2, amp));
            break;
        case 5:
            painter.drawPath(Wave(blade, blade.center().y() - h * 0.15, amp));
            painter.drawPath(Wave(blade, blade.center().y() + h * 0.15, amp));
            break;
        case 6:
            painter.drawPath(
                Wave(blade, blade.center().y() + (look.sideB ? h * 0.12 : 0), amp * 1.3));
            break;
        case 7:
            painter.drawPath(Wave(blade, blade.bottom() - h * 0.22, amp));
            [[fallthrough]];
        case 8:
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour::kNavy);
            for (int i = 0; i < kCuts; ++i) {
                qreal x = blade.left() + blade.width() * (0.12 + 0.12 * i);
                qreal y = look.type == 8 && i % 2 ? blade.center().y() + h * 0.18
                                                  : blade.center().y() - h * 0.12;
                painter.drawEllipse(QPointF(x, y), h * 0.1, h * 0.1);
            }
            break;
        default:
            break;
    }

    QPen guide(colour::kAccent, 1.2);
    painter.setPen(guide);
    painter.setBrush(Qt::NoBrush);
    qreal stopX = look.locating == Locating::Tip ? blade.right() : blade.left();
    if (look.locating != Locating::None) {
        QPen dashed(colour::kDanger, 1.5, Qt::DashLine);
        painter.setPen(dashed);
        painter.drawLine(QPointF(stopX, area.top() + 6), QPointF(stopX, area.bottom() - 6));
        painter.setPen(guide);
    }
    if (look.dimensions) {
        qreal y = blade.bottom() + h * 0.6;
        Arrow(painter, QPointF(blade.left(), y), QPointF(blade.right(), y));
        qreal x = blade.right() + 6;
        Arrow(painter, QPointF(x, blade.top()), QPointF(x, blade.bottom()));
    }
    if (look.spaces || look.depths || look.flats) {
        qreal step = blade.width() * 0.8 / kCuts;
        for (int i = 0; i < kCuts; ++i) {
            qreal x = blade.left() + blade.width() * 0.08 + i * step + step * 0.45;
            if (look.spaces) {
                qreal y = blade.top() - h * (0.3 + 0.14 * (i % 2));
                painter.drawLine(QPointF(x, blade.top() - 2), QPointF(x, y));
                Arrow(painter, QPointF(stopX, y), QPointF(x, y));
            }
            if (look.depths) {
                painter.drawLine(QPointF(x - step * 0.4, blade.bottom() + 4 + i * 3),
                                 QPointF(x + step * 0.4, blade.bottom() + 4 + i * 3));
            }
            if (look.flats) {
                painter.setPen(QPen(colour::kDanger, 2));
                painter.drawLine(QPointF(x - step * 0.15, blade.top() + h * 0.22),
                                 QPointF(x + step * 0.15, blade.top() + h * 0.22));
                painter.setPen(guide);
            }
        }
    }
    painter.restore();
}

void DrawClamp(QPainter& painter, const QRectF& area, int slot, int side) {
    painter.save();
    QRectF body = area.adjusted(10, 14, -10, -14);
    QLinearGradient steel(body.topLeft(), body.bottomLeft());
    steel.setColorAt(0, QColor(0xE4, 0xE8, 0xED));
    steel.setColorAt(1, QColor(0xB8, 0xC0, 0xCA));
    painter.setPen(QPen(QColor(0x7D, 0x88, 0x96), 1.2));
    painter.setBrush(steel);
    painter.drawRoundedRect(body, 8, 8);
    // Five jaws side by side; the jaw in use holds the key.
    qreal jawWidth = body.width() / 5.0;
    for (int i = 0; i < 5; ++i) {
        QRectF jaw(body.left() + i * jawWidth + 6, body.top() + 10, jawWidth - 12,
                   body.height() - 20);
        painter.setBrush(i == slot ? QColor(0xDC, 0xE9, 0xFB) : QColor(0xCF, 0xD5, 0xDD));
        painter.setPen(
            QPen(i == slot ? colour::kAccent : QColor(0x9A, 0xA4, 0xB0), i == slot ? 2 : 1));
        painter.drawRoundedRect(jaw, 4, 4);
        if (i == slot) {
            KeyLook key;
            key.type = 1;
            painter.save();
            painter.translate(jaw.center());
            painter.rotate(-90);
            DrawKey(painter, QRectF(-jaw.height() / 2, -jaw.width() / 2, jaw.height(), jaw.width()),
                    key);
            painter.restore();
        }
    }
    if (side >= 0) {
        QRectF badge(area.right() - 44, area.top() + 4, 36, 22);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour::kAccent);
        painter.drawRoundedRect(badge, 11, 11);
        DrawCentredText(painter, badge, QString(QChar('A' + side)), Qt::white, 13, true);
    }
    painter.restore();
}

}  // namespace skin
