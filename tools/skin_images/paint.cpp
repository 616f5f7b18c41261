#include "paint.h"

#include <QDir>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>

#include "png_file.h"

namespace skin {

QImage NewImage(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void Prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont PixelFont(int pixels, bool bold) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

namespace {

QColor BaseOf(Look look) {
    switch (look) {
        case Look::Primary:
            return colour::kAccent;
        case Look::Danger:
            return colour::kDanger;
        case Look::Light:
            return QColor(255, 255, 255, 40);
        case Look::Secondary:
            break;
    }
    return QColor(0xFF, 0xFF, 0xFF);
}

}  // namespace

QColor TextOn(State state, Look look) {
    if (state == State::Disabled) {
        return look == Look::Light ? QColor(255, 255, 255, 110) : colour::kMuted;
    }
    if (look == Look::Secondary) {
        return state == State::Selected ? QColor(Qt::white) : colour::kText;
    }
    return Qt::white;
}

void DrawButtonFace(QPainter& painter, const QRectF& rect, State state, Look look) {
    QRectF r = rect.adjusted(1, 1, -1, -1);
    QColor base = BaseOf(look);
    QColor border = look == Look::Secondary ? colour::kBorder : base.darker(115);
    switch (state) {
        case State::Hot:
            base = look == Look::Secondary ? QColor(0xEE, 0xF4, 0xFD) : base.lighter(112);
            border = look == Look::Secondary ? colour::kAccent : border;
            if (look == Look::Light) {
                base = QColor(255, 255, 255, 70);
            }
            break;
        case State::Pushed:
            base = look == Look::Secondary ? QColor(0xDC, 0xE7, 0xF8) : base.darker(118);
            if (look == Look::Light) {
                base = QColor(0, 0, 0, 60);
            }
            break;
        case State::Disabled:
            base = look == Look::Light ? QColor(255, 255, 255, 18) : QColor(0xE9, 0xEC, 0xF0);
            border = look == Look::Light ? QColor(255, 255, 255, 30) : QColor(0xD8, 0xDD, 0xE4);
            break;
        case State::Selected:
            base = colour::kAccent;
            border = colour::kAccentDark;
            break;
        case State::Normal:
            break;
    }
    QPainterPath path;
    path.addRoundedRect(r, 5, 5);
    if (state != State::Disabled && look != Look::Light) {
        QLinearGradient gradient(r.topLeft(), r.bottomLeft());
        gradient.setColorAt(0, base.lighter(104));
        gradient.setColorAt(1, base.darker(104));
        painter.fillPath(path, gradient);
    } else {
        painter.fillPath(path, base);
    }
    painter.setPen(QPen(border, 1));
    painter.drawPath(path);
}

void DrawCentredText(QPainter& painter, const QRectF& rect, const QString& text, QColor colour,
                     int pixels, bool bold) {
    QFont font = PixelFont(pixels, bold);
    // Long labels of some languages shrink to fit their button.
    while (pixels > 9 && QFontMetricsF(font).horizontalAdvance(text) > rect.width() - 8) {
        font.setPixelSize(--pixels);
    }
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, Qt::AlignCenter, text);
}

void Save(const QImage& image, const QString& folder, const QString& name) {
    QString path = QDir(folder).filePath(name);
    bool written = name.endsWith(QLatin1String(".bmp"))
                       ? image.convertToFormat(QImage::Format_RGB32).save(path, "BMP")
                       : WritePng(image, path);
    if (!written) {
        std::fprintf(stderr, "skin_images: cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

}  // namespace skin
