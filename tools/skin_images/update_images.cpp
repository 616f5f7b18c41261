// Pictures of the machine update tool: a background per language, laid out under the controls
// of its dialog template, and the four pictures of each of its four bitmap buttons.

#include <QLinearGradient>
#include <QPainterPath>

#include "images.h"
#include "paint.h"
#include "platform/afx/dialog_template.h"
#include "res/dialogs.h"
#include "res/update_bitmaps.h"

namespace skin {

namespace {

constexpr int kBandHeight = 62;  // the top band that drags the window
constexpr int kFooterTop = 458;

struct Title {
    int languageIndex;
    const char* subtitle;
};

constexpr Title kTitles[] = {
    {0, "镌齿台 固件与数据升级"},
    {1, "Firmware and data update"},
    {3, "Aggiornamento firmware e dati"},
    {8, "Uppdatering av program och data"},
};

// A control's place in the dialog's pixels, as the dialog lays it out.
QRectF ControlRect(int controlId) {
    const afx::DialogTemplate& dialog = res::DialogResource(res::kUpdateDialog);
    const afx::ControlTemplate* control = dialog.Find(controlId);
    if (control == nullptr) {
        return {};
    }
    afx::Rect r = afx::MapDialogRect(control->dialogUnits, afx::DialogBaseUnits(dialog.font));
    return QRectF(r.left, r.top, r.Width(), r.Height());
}

// A white panel under a group box, which draws its own frame.
void DrawCard(QPainter& painter, const QRectF& rect) {
    QPainterPath path;
    path.addRoundedRect(rect, 8, 8);
    painter.fillPath(path.translated(0, 2), QColor(0x1B, 0x33, 0x55, 16));
    painter.fillPath(path, QColor(0xFF, 0xFF, 0xFF, 235));
}

// The update mark: a circle with an arrow pointing up.
void DrawUpdateMark(QPainter& painter, const QRectF& box, QColor ring, QColor arrow) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ring);
    painter.drawEllipse(box);
    QPointF c = box.center();
    qreal s = box.width() / 36.0;
    painter.setPen(QPen(arrow, 3.2 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(c + QPointF(0, 10 * s), c + QPointF(0, -9 * s));
    painter.drawPolyline(QPolygonF(
        {c + QPointF(-7 * s, -2 * s), c + QPointF(0, -9 * s), c + QPointF(7 * s, -2 * s)}));
}

// PC, cable and machine, for the empty corner under the steps.
void DrawConnection(QPainter& painter, const QRectF& area) {
    QColor line = colour::kMuted;
    QPointF mid = area.center();
    QRectF screen(area.left() + 40, mid.y() - 34, 84, 54);
    painter.setPen(QPen(line, 2));
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF, 160));
    painter.drawRoundedRect(screen, 5, 5);
    painter.drawLine(QPointF(screen.center().x(), screen.bottom()),
                     QPointF(screen.center().x(), screen.bottom() + 10));
    painter.drawLine(QPointF(screen.center().x() - 22, screen.bottom() + 10),
                     QPointF(screen.center().x() + 22, screen.bottom() + 10));
    QRectF machine(area.right() - 130, mid.y() - 36, 90, 62);
    painter.drawRoundedRect(machine, 6, 6);
    painter.drawRect(QRectF(machine.left() + 12, machine.top() + 12, 36, 22));
    painter.setBrush(colour::kAccent);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(machine.right() - 18, machine.top() + 20), 6, 6);
    QPen cable(colour::kAccent, 2, Qt::DashLine, Qt::RoundCap);
    painter.setPen(cable);
    painter.drawLine(QPointF(screen.right() + 6, mid.y() - 6),
                     QPointF(machine.left() - 6, mid.y() - 6));
    DrawUpdateMark(painter, QRectF(mid.x() - 14 + 2, mid.y() - 20, 28, 28), colour::kAccent,
                   Qt::white);
}

QImage Background(const Title& title) {
    QImage image =
        NewImage(res::kUpdateBackgroundWidth, res::kUpdateBackgroundHeight, colour::kPanel);
    QPainter painter(&image);
    Prepare(painter);
    QLinearGradient body(0, kBandHeight, 0, kFooterTop);
    body.setColorAt(0, QColor(0xF3, 0xF6, 0xFA));
    body.setColorAt(1, QColor(0xE8, 0xED, 0xF3));
    painter.fillRect(QRectF(0, kBandHeight, image.width(), kFooterTop - kBandHeight), body);

    QLinearGradient band(0, 0, image.width(), kBandHeight);
    band.setColorAt(0, colour::kNavy);
    band.setColorAt(1, colour::kNavyLight);
    painter.fillRect(QRectF(0, 0, image.width(), kBandHeight), band);
    painter.fillRect(QRectF(0, kBandHeight - 3, image.width(), 3), colour::kAccent);
    DrawUpdateMark(painter, QRectF(18, 12, 36, 36), QColor(255, 255, 255, 40), Qt::white);
    painter.setPen(Qt::white);
    painter.setFont(PixelFont(20, true));
    painter.drawText(QRectF(66, 8, 400, 26), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Vorlantrex"));
    painter.setPen(QColor(0xC9, 0xD8, 0xEE));
    painter.setFont(PixelFont(13));
    painter.drawText(QRectF(66, 32, 560, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf8(title.subtitle));

    QRectF steps = ControlRect(1091);
    QRectF notes = ControlRect(1092).united(ControlRect(1093));
    DrawCard(painter, steps.adjusted(-6, -8, 6, 8));
    DrawCard(painter, notes.adjusted(-6, -8, 6, 6));
    // An amber mark beside the warning line.
    QRectF warning = ControlRect(1102);
    painter.fillRect(QRectF(warning.left() - 8, warning.top() + 2, 3, warning.height() - 6),
                     colour::kWarn);
    DrawConnection(painter, QRectF(steps.left(), steps.bottom() + 14, steps.width(),
                                   kFooterTop - steps.bottom() - 24));

    painter.fillRect(QRectF(0, kFooterTop, image.width(), image.height() - kFooterTop),
                     QColor(0xE1, 0xE7, 0xEF));
    painter.fillRect(QRectF(0, kFooterTop, image.width(), 1), colour::kBorder);
    return image;
}

// The face of a bitmap button in the four states, in the order of the resource ids.
using Face = void (*)(QPainter&, const QRectF&, State);

void DrawStartFace(QPainter& painter, const QRectF& rect, State state) {
    DrawButtonFace(painter, rect.adjusted(1, 1, -1, -1), state, Look::Primary);
}

void DrawMenuFace(QPainter& painter, const QRectF& rect, State state) {
    DrawStartFace(painter, rect, state);
    QColor dots = state == State::Disabled ? colour::kMuted : QColor(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.setBrush(dots);
    for (int i = -1; i <= 1; ++i) {
        painter.drawEllipse(rect.center() + QPointF(0, 7 * i), 2.2, 2.2);
    }
}

void DrawRefreshFace(QPainter& painter, const QRectF& rect, State state) {
    DrawButtonFace(painter, rect.adjusted(1, 1, -1, -1), state, Look::Secondary);
    QColor arrow = state == State::Disabled ? colour::kMuted : colour::kAccent;
    QRectF ring(rect.center().x() - 7, rect.center().y() - 7, 14, 14);
    painter.setPen(QPen(arrow, 2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(ring, 60 * 16, 280 * 16);
    QPointF tip(ring.center().x() + 3.5, ring.top() + 0.9);
    painter.setPen(Qt::NoPen);
    painter.setBrush(arrow);
    painter.drawPolygon(
        QPolygonF({tip + QPointF(3.5, 0), tip + QPointF(-2, -4), tip + QPointF(-2, 4)}));
}

void DrawCloseFace(QPainter& painter, const QRectF& rect, State state) {
    if (state == State::Hot || state == State::Pushed) {
        painter.fillRect(rect, state == State::Hot ? colour::kDanger : colour::kDanger.darker(120));
    }
    QColor cross = state == State::Disabled ? QColor(255, 255, 255, 90) : QColor(Qt::white);
    painter.setPen(QPen(cross, 1.8, Qt::SolidLine, Qt::RoundCap));
    QPointF c = rect.center();
    painter.drawLine(c + QPointF(-5, -5), c + QPointF(5, 5));
    painter.drawLine(c + QPointF(-5, 5), c + QPointF(5, -5));
}

void SaveButton(const QString& folder, const res::ButtonBitmaps& ids, QSize size, Face face) {
    const std::pair<int, State> pictures[] = {{ids.normal, State::Normal},
                                              {ids.pressed, State::Pushed},
                                              {ids.focus, State::Hot},
                                              {ids.disabled, State::Disabled}};
    for (auto [id, state] : pictures) {
        QImage image = NewImage(size.width(), size.height());
        QPainter painter(&image);
        Prepare(painter);
        face(painter, QRectF(QPointF(0, 0), size), state);
        painter.end();
        Save(image, folder, QString::fromStdWString(res::BitmapFileName(id)));
    }
}

}  // namespace

void MakeUpdateImages(const QString& folder) {
    for (const Title& title : kTitles) {
        Save(Background(title), folder,
             QString::fromStdWString(
                 res::BitmapFileName(res::UpdateBackgroundBitmap(title.languageIndex))));
    }
    SaveButton(folder, res::kStartButtonBitmaps, QSize(256, 50), DrawStartFace);
    SaveButton(folder, res::kCloseButtonBitmaps, QSize(32, 24), DrawCloseFace);
    SaveButton(folder, res::kRefreshButtonBitmaps, QSize(28, 29), DrawRefreshFace);
    SaveButton(folder, res::kMenuButtonBitmaps, QSize(28, 50), DrawMenuFace);
}

}  // namespace skin
