// The key tree's icons, 32 × 32: the root (the key library), a car maker, a finished key and an
// unfinished key.

#include <QPainterPath>

#include "images.h"
#include "paint.h"

namespace skin {

namespace {

// A key lying flat: a round bow with its hole and a blade with cuts.
void DrawKey(QPainter& painter, QColor colour, qreal x, qreal y) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(x, y, 13, 13));
    QPainterPath blade;
    blade.moveTo(x + 11, y + 4.5);
    blade.lineTo(x + 27, y + 4.5);
    blade.lineTo(x + 27, y + 8);
    blade.lineTo(x + 25, y + 10.5);
    blade.lineTo(x + 23, y + 8.5);
    blade.lineTo(x + 21, y + 10.5);
    blade.lineTo(x + 19, y + 8.5);
    blade.lineTo(x + 17, y + 10.5);
    blade.lineTo(x + 11, y + 8.5);
    blade.closeSubpath();
    painter.drawPath(blade);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(x + 3.5, y + 3.5, 6, 6));
}

QImage Root() {
    QImage image = NewImage(32, 32);
    QPainter painter(&image);
    Prepare(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour::kNavy);
    painter.drawRoundedRect(QRectF(2, 4, 28, 24), 4, 4);
    painter.setBrush(colour::kNavyLight);
    painter.drawRoundedRect(QRectF(2, 4, 12, 6), 2, 2);
    DrawKey(painter, colour::kBrass, 3, 12);
    return image;
}

QImage Maker() {
    QImage image = NewImage(32, 32);
    QPainter painter(&image);
    Prepare(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour::kAccent);
    QPainterPath body;
    body.moveTo(3, 22);
    body.lineTo(3, 16);
    body.lineTo(8, 15);
    body.lineTo(12, 9);
    body.lineTo(22, 9);
    body.lineTo(26, 15);
    body.lineTo(29, 16);
    body.lineTo(29, 22);
    body.closeSubpath();
    painter.drawPath(body);
    painter.setBrush(QColor(0xDD, 0xEA, 0xFB));
    painter.drawRect(QRectF(13, 11, 4, 4));
    painter.drawRect(QRectF(18, 11, 4, 4));
    painter.setBrush(colour::kText);
    painter.drawEllipse(QRectF(6, 19, 7, 7));
    painter.drawEllipse(QRectF(19, 19, 7, 7));
    return image;
}

QImage Key(bool finished) {
    QImage image = NewImage(32, 32);
    QPainter painter(&image);
    Prepare(painter);
    DrawKey(painter, finished ? colour::kBrass : colour::kMetal, 2, 9);
    if (!finished) {
        // A pencil over the blade: the key is still being defined.
        painter.setPen(QPen(colour::kWarn, 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(19, 28), QPointF(29, 18));
        painter.setPen(QPen(colour::kText, 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(17.5, 29.5), QPointF(18.5, 28.5));
    }
    return image;
}

}  // namespace

void MakeTreeImages(const QString& folder) {
    Save(Root(), folder, "tree_root.png");
    Save(Maker(), folder, "tree_maker.png");
    Save(Key(true), folder, "tree_key.png");
    Save(Key(false), folder, "tree_key_unfinished.png");
}

}  // namespace skin
