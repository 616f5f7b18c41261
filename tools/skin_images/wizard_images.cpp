// Pictures of the key wizard: tab heads, key-type buttons, the step sheets whose cell sizes
// are the sizes of the controls that show them, side marks and the scroll bar.

#include <QPainterPath>

#include "images.h"
#include "key_pictures.h"
#include "paint.h"

namespace skin {

namespace {

void CellBackground(QPainter& painter, const QRectF& cell) {
    painter.fillRect(cell.adjusted(1, 1, -1, -1), QColor(0xFB, 0xFC, 0xFE));
    painter.setPen(QPen(QColor(0xE3, 0xE8, 0xEF), 1));
    painter.drawRect(cell.adjusted(0.5, 0.5, -0.5, -0.5));
}

// Tab heads: normal, hot, disabled, selected.
QImage StepTabs() {
    QImage image = NewImage(4 * kStepTabWidth, kStepTabHeight);
    QPainter painter(&image);
    Prepare(painter);
    const State states[4] = {State::Normal, State::Hot, State::Disabled, State::Selected};
    for (int frame = 0; frame < 4; ++frame) {
        QRectF cell(frame * kStepTabWidth, 0, kStepTabWidth, kStepTabHeight);
        DrawButtonFace(painter, cell.adjusted(2, 2, -2, -2), states[frame], Look::Secondary);
    }
    return image;
}

// A row per key type; frames normal, hot, selected. The text goes under the picture.
QImage KeyTypeButtons() {
    QImage image = NewImage(3 * kKeyTypeWidth, 8 * kKeyTypeHeight);
    QPainter painter(&image);
    Prepare(painter);
    const State states[3] = {State::Normal, State::Hot, State::Selected};
    for (int type = 1; type <= 8; ++type) {
        for (int frame = 0; frame < 3; ++frame) {
            QRectF cell(frame * kKeyTypeWidth, (type - 1) * kKeyTypeHeight, kKeyTypeWidth,
                        kKeyTypeHeight);
            QRectF face = cell.adjusted(3, 3, -3, -3);
            QPainterPath path;
            path.addRoundedRect(face, 8, 8);
            painter.fillPath(path, states[frame] == State::Selected ? QColor(0xE4, 0xEE, 0xFC)
                                                                    : QColor(Qt::white));
            painter.setPen(QPen(states[frame] == State::Normal ? colour::kBorder : colour::kAccent,
                                states[frame] == State::Selected ? 2 : 1));
            painter.drawPath(path);
            KeyLook key;
            key.type = type;
            DrawKey(painter, QRectF(face.left() + 10, face.top() + 6, face.width() - 20, 52), key);
        }
    }
    return image;
}

// Mode 0/1 sheets: picture n in row (n-1)/2; odd n in columns 0 (tip) and 1 (shoulder), even
// n in columns 2 (tip) and 3 (shoulder). Pictures 9 and 10 are types 3 and 6 from side B.
QImage LocatingSheet(int rows, bool spaces) {
    QImage image = NewImage(4 * kStepPictureWidth, rows * kStepPictureHeight);
    QPainter painter(&image);
    Prepare(painter);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < 4; ++column) {
            int n = row * 2 + (column < 2 ? 1 : 2);
            QRectF cell(column * kStepPictureWidth, row * kStepPictureHeight, kStepPictureWidth,
                        kStepPictureHeight);
            CellBackground(painter, cell);
            KeyLook key;
            key.type = n == 9 ? 3 : n == 10 ? 6 : n;
            key.sideB = n > 8;
            key.locating = column % 2 == 1 ? Locating::Shoulder : Locating::Tip;
            key.dimensions = !spaces;
            key.spaces = spaces;
            DrawKey(painter, cell.adjusted(16, 14, -24, -14), key);
        }
    }
    return image;
}

// Mode -1 sheets: four columns by two rows, cells 1..8 by key type.
QImage TypeSheet(bool depths) {
    QImage image = NewImage(4 * kDetailWidth, 2 * kDetailHeight);
    QPainter painter(&image);
    Prepare(painter);
    for (int n = 1; n <= 8; ++n) {
        QRectF cell(((n - 1) % 4) * kDetailWidth, ((n - 1) / 4) * kDetailHeight, kDetailWidth,
                    kDetailHeight);
        CellBackground(painter, cell);
        KeyLook key;
        key.type = n;
        key.depths = depths;
        key.flats = !depths;
        DrawKey(painter, cell.adjusted(14, 10, -14, -18), key);
    }
    return image;
}

// Two columns by eight rows of small schematics of the clamp offsets.
QImage OffsetSheet() {
    QImage image = NewImage(2 * kSchematicWidth, 8 * kSchematicHeight);
    QPainter painter(&image);
    Prepare(painter);
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 2; ++column) {
            QRectF cell(column * kSchematicWidth, row * kSchematicHeight, kSchematicWidth,
                        kSchematicHeight);
            CellBackground(painter, cell);
            QRectF blade = cell.adjusted(10, 18, -10, -18);
            painter.setPen(QPen(colour::kBrass.darker(150), 1));
            painter.setBrush(colour::kBrass);
            painter.drawRoundedRect(blade, 3, 3);
            painter.setPen(QPen(colour::kNavy, 3, Qt::SolidLine, Qt::RoundCap));
            qreal y = row % 2 == 0 ? blade.top() + 5 : blade.bottom() - 5;
            painter.drawLine(QPointF(blade.left() + 8, y), QPointF(blade.right() - 8, y));
            painter.setPen(QPen(colour::kDanger, 1.5));
            qreal x = column == 0 ? blade.left() + 4 : blade.right() - 4;
            painter.drawLine(QPointF(x, cell.top() + 4), QPointF(x, cell.bottom() - 4));
            painter.drawLine(QPointF(x, y), QPointF(cell.center().x(), y));
        }
    }
    return image;
}

QImage SideMark(const QString& letter, int width, int height) {
    QImage image = NewImage(width, height, QColor(0xFB, 0xFC, 0xFE));
    QPainter painter(&image);
    Prepare(painter);
    QRectF badge(0, 0, width, height);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour::kAccent);
    painter.drawRoundedRect(badge.adjusted(1, 1, -1, -1), 5, 5);
    DrawCentredText(painter, badge, letter, Qt::white, std::min(height - 6, 16), true);
    return image;
}

QImage ScrollPart(int kind) {
    QImage image = NewImage(10, kind < 2 ? 10 : 30);
    QPainter painter(&image);
    Prepare(painter);
    painter.setPen(Qt::NoPen);
    if (kind < 2) {
        painter.setBrush(colour::kMuted);
        QPolygonF arrow =
            kind == 0 ? QPolygonF({{5, 2}, {9, 8}, {1, 8}}) : QPolygonF({{1, 2}, {9, 2}, {5, 8}});
        painter.drawPolygon(arrow);
    } else {
        painter.setBrush(kind == 2 ? QColor(0xB8, 0xC2, 0xD0) : colour::kAccent);
        painter.drawRoundedRect(QRectF(1, 1, 8, 28), 4, 4);
    }
    return image;
}

}  // namespace

void MakeWizardImages(const QString& folder) {
    Save(StepTabs(), folder, "step_tab.png");
    Save(KeyTypeButtons(), folder, "keytype.png");
    Save(LocatingSheet(4, false), folder, "step2key.png");
    Save(LocatingSheet(5, true), folder, "step3key.png");
    Save(TypeSheet(false), folder, "step4key.png");
    Save(TypeSheet(true), folder, "step5key.png");
    Save(OffsetSheet(), folder, "step4shiyixiao.png");
    Save(SideMark(QStringLiteral("A"), kSideMarkWidth, 22), folder, "A.bmp");
    Save(SideMark(QStringLiteral("B"), kSideMarkWidth, 22), folder, "B.bmp");
    Save(SideMark(QStringLiteral("Y"), kSideMarkWidth, 102), folder, "Y.png");
    Save(SideMark(QStringLiteral("C"), kSideMarkWidth, 102), folder, "C.png");
    Save(ScrollPart(0), folder, "gundonbu.png");
    Save(ScrollPart(1), folder, "gundonbd.png");
    Save(ScrollPart(2), folder, "gundonbs.png");
    Save(ScrollPart(3), folder, "gundonb.png");
}

}  // namespace skin
