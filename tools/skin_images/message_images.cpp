// Pictures of the message box (icons, buttons) and the small option and check marks that
// every skin uses.

#include <QPainterPath>

#include "images.h"
#include "paint.h"

namespace skin {

namespace {

QImage Icon(bool warning) {
    QImage image = NewImage(48, 48);
    QPainter painter(&image);
    Prepare(painter);
    painter.setPen(Qt::NoPen);
    if (warning) {
        QPainterPath triangle;
        triangle.moveTo(24, 4);
        triangle.lineTo(45, 42);
        triangle.lineTo(3, 42);
        triangle.closeSubpath();
        painter.setBrush(colour::kWarn);
        painter.drawPath(triangle);
        DrawCentredText(painter, QRectF(0, 12, 48, 30), QStringLiteral("!"), Qt::white, 24, true);
    } else {
        painter.setBrush(colour::kAccent);
        painter.drawEllipse(QRectF(4, 4, 40, 40));
        DrawCentredText(painter, QRectF(4, 4, 40, 40), QStringLiteral("?"), Qt::white, 24, true);
    }
    return image;
}

// Four frames of 96 × 32.
QImage Buttons(Look look) {
    QImage image = NewImage(4 * 96, 32);
    QPainter painter(&image);
    Prepare(painter);
    for (int frame = 0; frame < 4; ++frame) {
        DrawButtonFace(painter, QRectF(frame * 96, 0, 96, 32).adjusted(1, 1, -1, -1),
                       kButtonStates[frame], look);
    }
    return image;
}

// Frames of 18 × 18: normal, hot, selected, disabled.
QImage Marks(bool round) {
    QImage image = NewImage(4 * 18, 18);
    QPainter painter(&image);
    Prepare(painter);
    for (int frame = 0; frame < 4; ++frame) {
        QRectF box(frame * 18 + 2, 2, 14, 14);
        bool selected = frame == 2;
        QColor border = frame == 1 || selected ? colour::kAccent : colour::kBorder;
        if (frame == 3) {
            border = QColor(0xDD, 0xE1, 0xE6);
        }
        painter.setPen(QPen(border, 1.2));
        painter.setBrush(selected ? (round ? QColor(Qt::white) : colour::kAccent)
                                  : QColor(frame == 3 ? 0xF1F3F6 : 0xFFFFFF));
        round ? painter.drawEllipse(box) : painter.drawRoundedRect(box, 3, 3);
        if (selected && round) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour::kAccent);
            painter.drawEllipse(box.center(), 3.5, 3.5);
        } else if (selected) {
            painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPolyline(
                QPolygonF({box.center() + QPointF(-4, 0), box.center() + QPointF(-1, 3),
                           box.center() + QPointF(4, -3)}));
        }
    }
    return image;
}

}  // namespace

void MakeMessageImages(const QString& folder) {
    Save(Icon(true), folder, "warn.png");
    Save(Icon(false), folder, "help.png");
    Save(Buttons(Look::Secondary), folder, "btn.png");
    Save(Buttons(Look::Primary), folder, "btn_primary.png");
    Save(Marks(true), folder, "radio.png");
    Save(Marks(false), folder, "check.png");
}

}  // namespace skin
