// Pictures of the main window: header backgrounds and add/delete sprites per language, the
// language options, the window buttons, the toolbar buttons and the search box.

#include <QLinearGradient>
#include <QPainterPath>

#include "images.h"
#include "key_pictures.h"
#include "paint.h"
#include "res/strings.h"

namespace skin {

namespace {

struct ImageSet {
    int languageId;
    const char* header;
    const char* buttons;
};

constexpr ImageSet kImageSets[] = {
    {res::kLangChinese, "top_bg_ch.png", "treeBtn.png"},
    {res::kLangEnglish, "top_bg_en.png", "treeBtnEn.png"},
    {res::kLangItalian, "top_bg_ita.png", "treebtn_ita.png"},
    {res::kLangSwedish, "top_bg_swe.png", "treebtn_swe.png"},
};

QString Text(int id, int languageId) {
    return QString::fromStdWString(res::FindString(id, languageId).value_or(L""));
}

QImage HeaderBackground(int languageId) {
    QImage image = NewImage(kWindowWidth, kHeaderHeight);
    QPainter painter(&image);
    Prepare(painter);
    QLinearGradient gradient(0, 0, kWindowWidth, kHeaderHeight);
    gradient.setColorAt(0, colour::kNavy);
    gradient.setColorAt(1, colour::kNavyLight);
    painter.fillRect(image.rect(), gradient);
    // A faint band under the title row sets the toolbar apart.
    painter.fillRect(QRectF(0, 40, kWindowWidth, 1), QColor(255, 255, 255, 30));
    KeyLook key;
    key.type = 2;
    DrawKey(painter, QRectF(14, 6, 58, 28), key);
    painter.setFont(PixelFont(17, true));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(82, 0, 500, 40), Qt::AlignVCenter | Qt::AlignLeft,
                     Text(249, languageId));
    return image;
}

// Rows: delete (y 0..32), add key (y 32..64); frames normal, hot, pushed, disabled.
QImage TreeButtons(int languageId) {
    QImage image = NewImage(500, 64);
    QPainter painter(&image);
    Prepare(painter);
    const QString labels[2] = {Text(187, languageId), Text(178, languageId)};
    const Look looks[2] = {Look::Danger, Look::Primary};
    for (int row = 0; row < 2; ++row) {
        for (int frame = 0; frame < 4; ++frame) {
            QRectF cell(frame * 125, row * 32, 125, 32);
            DrawButtonFace(painter, cell.adjusted(2, 2, -2, -2), kButtonStates[frame], looks[row]);
            DrawCentredText(painter, cell, labels[row], TextOn(kButtonStates[frame], looks[row]),
                            13, true);
        }
    }
    return image;
}

// Ten options of 114 pixels: normal, hot/pushed, selected; 38 × 26 each.
QImage LanguageOptions() {
    const QString codes[10] = {
        QStringLiteral("中"), "EN", "FR", "IT", "PL", "PT", "ES", "FY", "SV", "TR"};
    QImage image = NewImage(1140, 26);
    QPainter painter(&image);
    Prepare(painter);
    const State states[3] = {State::Normal, State::Hot, State::Selected};
    for (int i = 0; i < 10; ++i) {
        for (int frame = 0; frame < 3; ++frame) {
            QRectF cell(i * 114 + frame * 38, 0, 38, 26);
            QRectF pill = cell.adjusted(3, 3, -3, -3);
            QPainterPath path;
            path.addRoundedRect(pill, 10, 10);
            if (states[frame] == State::Selected) {
                painter.fillPath(path, Qt::white);
            } else if (states[frame] == State::Hot) {
                painter.fillPath(path, QColor(255, 255, 255, 50));
            }
            painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
            painter.drawPath(path);
            QColor text = states[frame] == State::Selected ? colour::kNavy : QColor(Qt::white);
            DrawCentredText(painter, pill, codes[i], text, 11, true);
        }
    }
    return image;
}

// Minimise or close: four frames of 30 × 26.
QImage WindowButton(bool close) {
    QImage image = NewImage(120, 26);
    QPainter painter(&image);
    Prepare(painter);
    for (int frame = 0; frame < 4; ++frame) {
        QRectF cell(frame * 30, 0, 30, 26);
        if (frame == 1 || frame == 2) {
            QColor back = close ? colour::kDanger : QColor(255, 255, 255, 50);
            painter.fillRect(cell, frame == 2 ? back.darker(120) : back);
        }
        painter.setPen(QPen(frame == 3 ? QColor(255, 255, 255, 90) : QColor(Qt::white), 1.6));
        QPointF c = cell.center();
        if (close) {
            painter.drawLine(c + QPointF(-5, -5), c + QPointF(5, 5));
            painter.drawLine(c + QPointF(-5, 5), c + QPointF(5, -5));
        } else {
            painter.drawLine(c + QPointF(-6, 4), c + QPointF(6, 4));
        }
    }
    return image;
}

void DrawToolIcon(QPainter& painter, QRectF box, int kind, QColor ink) {
    painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPointF c = box.center();
    switch (kind) {
        case 0:  // import: arrow into a tray
        case 1:  // export: arrow out of a tray
            painter.drawPolyline(QPolygonF({c + QPointF(-10, 2), c + QPointF(-10, 9),
                                            c + QPointF(10, 9), c + QPointF(10, 2)}));
            painter.drawLine(c + QPointF(0, -10), c + QPointF(0, 4));
            if (kind == 0) {
                painter.drawPolyline(
                    QPolygonF({c + QPointF(-5, -1), c + QPointF(0, 4), c + QPointF(5, -1)}));
            } else {
                painter.drawPolyline(
                    QPolygonF({c + QPointF(-5, -5), c + QPointF(0, -10), c + QPointF(5, -5)}));
            }
            break;
        case 2:  // cloud
            painter.drawArc(QRectF(c.x() - 12, c.y() - 4, 12, 12), 90 * 16, 180 * 16);
            painter.drawArc(QRectF(c.x() - 7, c.y() - 10, 16, 16), 0, 180 * 16);
            painter.drawArc(QRectF(c.x() + 3, c.y() - 4, 12, 12), -90 * 16, 180 * 16);
            painter.drawLine(c + QPointF(-6, 8), c + QPointF(9, 8));
            break;
        case 3:  // synchronise: two turning arrows
            painter.drawArc(QRectF(c.x() - 10, c.y() - 10, 20, 20), 30 * 16, 150 * 16);
            painter.drawArc(QRectF(c.x() - 10, c.y() - 10, 20, 20), 210 * 16, 150 * 16);
            painter.drawPolyline(
                QPolygonF({c + QPointF(4, -10), c + QPointF(9, -6), c + QPointF(4, -2)}));
            painter.drawPolyline(
                QPolygonF({c + QPointF(-4, 10), c + QPointF(-9, 6), c + QPointF(-4, 2)}));
            break;
        case 4:  // update: chip with an upward arrow
            painter.drawRoundedRect(QRectF(c.x() - 10, c.y() - 10, 20, 20), 3, 3);
            painter.drawLine(c + QPointF(0, 5), c + QPointF(0, -5));
            painter.drawPolyline(
                QPolygonF({c + QPointF(-4, -1), c + QPointF(0, -5), c + QPointF(4, -1)}));
            break;
        default:  // setting: gear
            painter.drawEllipse(c, 4.0, 4.0);
            for (int i = 0; i < 8; ++i) {
                painter.drawLine(QLineF::fromPolar(8, i * 45).translated(c).p2(),
                                 QLineF::fromPolar(11, i * 45).translated(c).p2());
            }
            painter.drawEllipse(c, 8.0, 8.0);
            break;
    }
}

// Toolbar button: icon above, the control draws its text below; four frames of 96 × 62.
QImage ToolButton(int kind) {
    QImage image = NewImage(4 * kToolWidth, kToolHeight);
    QPainter painter(&image);
    Prepare(painter);
    for (int frame = 0; frame < 4; ++frame) {
        QRectF cell(frame * kToolWidth, 0, kToolWidth, kToolHeight);
        if (frame != 0) {
            DrawButtonFace(painter, cell.adjusted(2, 2, -2, -2), kButtonStates[frame], Look::Light);
        }
        QColor ink = frame == 3 ? QColor(255, 255, 255, 90) : QColor(Qt::white);
        DrawToolIcon(painter, QRectF(cell.left(), 6, kToolWidth, 30), kind, ink);
    }
    return image;
}

// Search button (magnifier) and the frame of edits: normal, hot, focused / disabled.
QImage SearchButton() {
    QImage image = NewImage(4 * 34, 30);
    QPainter painter(&image);
    Prepare(painter);
    for (int frame = 0; frame < 4; ++frame) {
        QRectF cell(frame * 34, 0, 34, 30);
        DrawButtonFace(painter, cell.adjusted(1, 1, -1, -1), kButtonStates[frame], Look::Primary);
        painter.setPen(
            QPen(TextOn(kButtonStates[frame], Look::Primary), 2, Qt::SolidLine, Qt::RoundCap));
        QPointF c = cell.center() + QPointF(-2, -2);
        painter.drawEllipse(c, 6.0, 6.0);
        painter.drawLine(c + QPointF(4.5, 4.5), c + QPointF(9, 9));
    }
    return image;
}

}  // namespace

QImage EditFrame(int width, int height) {
    QImage image = NewImage(3 * width, height);
    QPainter painter(&image);
    Prepare(painter);
    const QColor borders[3] = {colour::kBorder, colour::kAccent.lighter(130), colour::kAccent};
    const QColor fills[3] = {Qt::white, Qt::white, Qt::white};
    for (int frame = 0; frame < 3; ++frame) {
        QRectF cell(frame * width + 0.5, 0.5, width - 1, height - 1);
        QPainterPath path;
        path.addRoundedRect(cell, 4, 4);
        painter.fillPath(path, fills[frame]);
        painter.setPen(QPen(borders[frame], frame == 2 ? 1.5 : 1));
        painter.drawPath(path);
    }
    return image;
}

void MakeHeaderImages(const QString& folder) {
    for (const ImageSet& set : kImageSets) {
        Save(HeaderBackground(set.languageId), folder, set.header);
        Save(TreeButtons(set.languageId), folder, set.buttons);
    }
    Save(LanguageOptions(), folder, "q12.png");
    Save(WindowButton(true), folder, "sys_close.png");
    Save(WindowButton(false), folder, "sys_min.png");
    const char* tools[6] = {"tool_import.png", "tool_export.png", "tool_cloud.png",
                            "tool_sync.png",   "tool_update.png", "tool_setting.png"};
    for (int i = 0; i < 6; ++i) {
        Save(ToolButton(i), folder, tools[i]);
    }
    Save(SearchButton(), folder, "search_btn.png");
    Save(EditFrame(kEditWidth, kEditHeight), folder, "edit_frame.png");
}

}  // namespace skin
