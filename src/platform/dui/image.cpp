#include "platform/dui/image.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <future>

#include "platform/dui/paint_manager.h"

namespace dui {

namespace {

QHash<QString, QPixmap>& Cache() {
    static QHash<QString, QPixmap> cache;
    return cache;
}

constexpr qsizetype kMaxPreloads = 64;

// Pictures being decoded on other threads (decoding a QImage needs no UI thread).
QHash<QString, std::shared_future<QImage>>& Pending() {
    static QHash<QString, std::shared_future<QImage>> pending;
    return pending;
}

// Skin pictures lie in the skin folder: a name that leaves it (absolute, "..") names none.
QString PathOf(const std::wstring& file) {
    QString name = QString::fromStdWString(file).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) ||
        name.split(QLatin1Char('/')).contains(QStringLiteral(".."))) {
        return {};
    }
    return QString::fromStdWString(CPaintManagerUI::GetResourcePath()) + name;
}

const QPixmap* LoadPicture(const std::wstring& file) {
    QString path = PathOf(file);
    if (path.isEmpty()) {
        return nullptr;
    }
    auto& cache = Cache();
    auto it = cache.find(path);
    if (it == cache.end()) {
        auto pending = Pending().find(path);
        if (pending != Pending().end()) {
            it = cache.insert(path, QPixmap::fromImage(pending->get()));
            Pending().erase(pending);
        } else {
            it = cache.insert(path, QPixmap(path));
        }
    }
    return it->isNull() ? nullptr : &*it;
}

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// Nine-patch: the corners keep their size, edges stretch one way, the middle both ways.
void DrawStretched(QPainter& painter, const QPixmap& picture, QRect target, QRect source,
                   const Rect& corner) {
    if (corner.IsEmpty() && corner.left == 0 && corner.top == 0) {
        painter.drawPixmap(target, picture, source);
        return;
    }
    const int sx[4] = {source.left(), source.left() + corner.left,
                       source.right() + 1 - corner.right, source.right() + 1};
    const int sy[4] = {source.top(), source.top() + corner.top, source.bottom() + 1 - corner.bottom,
                       source.bottom() + 1};
    const int tx[4] = {target.left(), target.left() + corner.left,
                       target.right() + 1 - corner.right, target.right() + 1};
    const int ty[4] = {target.top(), target.top() + corner.top, target.bottom() + 1 - corner.bottom,
                       target.bottom() + 1};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            QRect s(QPoint(sx[col], sy[row]), QPoint(sx[col + 1] - 1, sy[row + 1] - 1));
            QRect t(QPoint(tx[col], ty[row]), QPoint(tx[col + 1] - 1, ty[row + 1] - 1));
            if (s.isValid() && t.isValid()) {
                painter.drawPixmap(t, picture, s);
            }
        }
    }
}

}  // namespace

bool ParseImageDescription(std::wstring_view text, ImageDescription& out) {
    out = {};
    if (text.find(L'=') == std::wstring_view::npos) {
        out.file = std::wstring(text);
        return !out.file.empty();
    }
    size_t i = 0;
    while (i < text.size()) {
        size_t eq = text.find(L'=', i);
        if (eq == std::wstring_view::npos || eq + 1 >= text.size() || text[eq + 1] != L'\'') {
            break;
        }
        size_t close = text.find(L'\'', eq + 2);
        if (close == std::wstring_view::npos) {
            break;
        }
        std::wstring_view key = text.substr(i, eq - i);
        while (!key.empty() && key.front() == L' ') {
            key.remove_prefix(1);
        }
        std::wstring_view value = text.substr(eq + 2, close - eq - 2);
        if (key == L"file" || key == L"res") {
            out.file = std::wstring(value);
        } else if (key == L"source") {
            ParseRect(value, out.source);
        } else if (key == L"dest") {
            ParseRect(value, out.dest);
        } else if (key == L"corner") {
            ParseRect(value, out.corner);
        }
        i = close + 1;
    }
    return !out.file.empty();
}

bool DrawImage(QPainter& painter, const Rect& bounds, std::wstring_view description) {
    ImageDescription image;
    if (!ParseImageDescription(description, image)) {
        return false;
    }
    const QPixmap* picture = LoadPicture(image.file);
    if (picture == nullptr) {
        return false;
    }
    QRect source = image.source.IsEmpty() ? picture->rect() : ToQRect(image.source);
    source = source.intersected(picture->rect());
    if (source.isEmpty()) {
        return false;
    }
    QRect target =
        image.dest.IsEmpty()
            ? ToQRect(bounds)
            : ToQRect(image.dest.Offset(bounds.left, bounds.top)).intersected(ToQRect(bounds));
    DrawStretched(painter, *picture, target, source, image.corner);
    return true;
}

Size ImageSize(const std::wstring& file) {
    const QPixmap* picture = LoadPicture(file);
    return picture ? Size{picture->width(), picture->height()} : Size{};
}

void PreloadImages(const std::vector<std::wstring>& files) {
    static const bool registered = [] {
        // No decoding may outlive the application object, nor a picture its GUI.
        qAddPostRoutine(ClearImageCache);
        return true;
    }();
    (void)registered;
    for (const std::wstring& file : files) {
        QString path = PathOf(file);
        // A window names a few dozen pictures; more are read when drawn.
        if (!path.isEmpty() && !Cache().contains(path) && !Pending().contains(path) &&
            Pending().size() < kMaxPreloads) {
            Pending().insert(
                path, std::async(std::launch::async, [path] { return QImage(path); }).share());
        }
    }
}

void ClearImageCache() {
    for (const auto& pending : Pending()) {
        pending.wait();
    }
    Pending().clear();
    Cache().clear();
}

}  // namespace dui
