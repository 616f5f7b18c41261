#include "platform/gdi/image_canvas.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

namespace platform {
namespace {

// Drawings name Windows faces such as "宋体"; where a face is not installed, these CJK-capable
// families stand in, in this order.
const QStringList kFallbackFamilies = {QStringLiteral("WenQuanYi Micro Hei"),
                                       QStringLiteral("Noto Sans CJK SC"),
                                       QStringLiteral("Droid Sans Fallback")};

// Geometry further than this outside the picture is cut away before it reaches the painter,
// which keeps absurd coordinates from imported keys harmless. Lines that stay inside the margin
// are handed over unchanged, so their pixels are exact.
constexpr double kMargin = 4096;

QColor ToQColor(Color c) {
    return QColor(c.r, c.g, c.b);
}

struct ResolvedFont {
    QFont font;
    double ascent = 0;
    double height = 0;
};

// A positive height is the cell height, as Windows takes it; the em size is scaled to match.
ResolvedFont ResolveFont(const Font& wanted) {
    QFont font;
    QStringList families{QString::fromStdWString(wanted.face)};
    families.append(kFallbackFamilies);
    font.setFamilies(families);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(wanted.weight, 100, 900)));
    int em = wanted.height > 0 ? wanted.height : std::max(1, -wanted.height);
    font.setPixelSize(em);
    if (wanted.height > 0) {
        const double cell = QFontMetricsF(font).height();
        if (cell > 0) {
            em = std::max(1, static_cast<int>(std::lround(wanted.height * em / cell)));
            font.setPixelSize(em);
        }
    }
    const QFontMetricsF metrics(font);
    return ResolvedFont{font, metrics.ascent(), metrics.height()};
}

// Liang-Barsky: cuts the segment to the rectangle, or says that nothing of it lies inside.
std::optional<std::pair<QPointF, QPointF>> ClipSegment(QPointF a, QPointF b, const QRectF& r) {
    double t0 = 0;
    double t1 = 1;
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return std::nullopt;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return std::nullopt;
        }
    }
    return std::make_pair(QPointF(a.x() + t0 * dx, a.y() + t0 * dy),
                          QPointF(a.x() + t1 * dx, a.y() + t1 * dy));
}

}  // namespace

std::wstring ResolvedFamily(const Font& font) {
    return QFontInfo(ResolveFont(font).font).family().toStdWString();
}

struct ImageCanvas::Impl {
    QImage image;
    QPainter painter;
    Color background;
    std::map<std::tuple<int, int, std::wstring>, ResolvedFont> fonts;

    QPainter& Painter() {
        if (!painter.isActive()) {
            painter.begin(&image);
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
        return painter;
    }

    QRectF Reach() const {
        return QRectF(-kMargin, -kMargin, image.width() + 2 * kMargin,
                      image.height() + 2 * kMargin);
    }

    const ResolvedFont& FontFor(const Font& wanted) {
        auto key = std::make_tuple(wanted.height, wanted.weight, wanted.face);
        auto it = fonts.find(key);
        if (it == fonts.end()) {
            it = fonts.emplace(std::move(key), ResolveFont(wanted)).first;
        }
        return it->second;
    }

    // One-pixel pens with flat ends, so that a line leaves its end pixel out.
    void UsePen(const Pen& wanted) {
        QPen pen(ToQColor(wanted.color));
        pen.setWidth(1);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        if (wanted.style == PenStyle::Dot) {
            pen.setDashPattern({3, 3});
        }
        Painter().setPen(pen);
    }
};

ImageCanvas::ImageCanvas(int width, int height, Color background)
    : impl_(std::make_unique<Impl>()) {
    impl_->image = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    impl_->background = background;
    impl_->image.fill(ToQColor(background));
}

ImageCanvas::~ImageCanvas() {
    if (impl_->painter.isActive()) {
        impl_->painter.end();
    }
}

int ImageCanvas::Width() const {
    return impl_->image.width();
}

int ImageCanvas::Height() const {
    return impl_->image.height();
}

const QImage& ImageCanvas::Image() {
    if (impl_->painter.isActive()) {
        impl_->painter.end();
    }
    return impl_->image;
}

Color ImageCanvas::PixelAt(int x, int y) {
    const QImage& image = Image();
    if (!image.valid(x, y)) {
        return impl_->background;
    }
    const QRgb rgb = image.pixel(x, y);
    return Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

bool ImageCanvas::SavePng(const std::string& path) {
    return Image().save(QString::fromStdString(path), "PNG");
}

void ImageCanvas::Erase() {
    QPainter& painter = impl_->Painter();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(impl_->image.rect(), ToQColor(impl_->background));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void ImageCanvas::DrawLine(Point from, Point to) {
    if (from == to) {
        return;
    }
    const auto clipped = ClipSegment(QPointF(from.x, from.y), QPointF(to.x, to.y), impl_->Reach());
    if (!clipped) {
        return;
    }
    impl_->UsePen(State().pen);
    impl_->painter.drawLine(clipped->first, clipped->second);
}

void ImageCanvas::DrawEllipse(Point topLeft, Point bottomRight) {
    const QRectF box(QPointF(topLeft.x, topLeft.y), QPointF(bottomRight.x, bottomRight.y));
    if (box.width() < 1 || box.height() < 1 || !impl_->Reach().contains(box)) {
        return;
    }
    impl_->UsePen(State().pen);
    impl_->painter.setBrush(ToQColor(State().brush.color));
    // The figure covers left .. right - 1; a QRect's outline is one pixel wider than the rect.
    impl_->painter.drawEllipse(
        QRect(topLeft.x, topLeft.y, bottomRight.x - topLeft.x - 1, bottomRight.y - topLeft.y - 1));
}

void ImageCanvas::DrawText(Point topLeft, std::wstring_view text) {
    if (text.empty() || topLeft.x >= Width() || topLeft.y >= Height() || topLeft.x < -kMargin ||
        topLeft.y < -kMargin) {
        return;
    }
    const ResolvedFont& font = impl_->FontFor(State().font);
    const QString qtext = QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
    QPainter& painter = impl_->Painter();
    painter.setFont(font.font);
    if (State().bkMode == BkMode::Opaque) {
        const double width = QFontMetricsF(font.font).horizontalAdvance(qtext);
        painter.fillRect(QRectF(topLeft.x, topLeft.y, width, font.height),
                         ToQColor(State().bkColor));
    }
    painter.setPen(ToQColor(State().textColor));
    painter.drawText(QPointF(topLeft.x, topLeft.y + font.ascent), qtext);
}

}  // namespace platform
