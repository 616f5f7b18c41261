#include "platform/dui/image.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <atomic>
#include <future>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "platform/dui/paint_manager.h"

namespace dui {

namespace {

QHash<QString, QPixmap>& Cache() {
    static QHash<QString, QPixmap> cache;
    return cache;
}

constexpr size_t kMaxPreloads = 64;
constexpr size_t kMaxWorkers = 4;

// Pictures being decoded on other threads (decoding a QImage needs no UI thread), by a few
// workers that share the pictures a window names.
struct Decoding {
    std::map<QString, std::future<QImage>> pictures;
    std::vector<std::future<void>> workers;
};

Decoding& Pending() {
    static Decoding pending;
    return pending;
}

// A picture as the raster engine keeps it, so that the UI thread only wraps it in a pixmap.
QImage Decode(const QString& path) {
    QImage image(path);
    if (image.hasAlphaChannel()) {
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    }
    return image;
}

// The pictures one window names, taken in turn by its workers.
struct Batch {
    std::vector<QString> paths;
    std::vector<std::promise<QImage>> results;
    std::atomic<size_t> next = 0;
};

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
        auto& pictures = Pending().pictures;
        auto pending = pictures.find(path);
        if (pending != pictures.end()) {
            it = cache.insert(path, QPixmap::fromImage(pending->second.get()));
            pictures.erase(pending);
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
    auto batch = std::make_shared<Batch>();
    for (const std::wstring& file : files) {
        QString path = PathOf(file);
        // A window names a few dozen pictures; more are read when drawn.
        if (!path.isEmpty() && !Cache().contains(path) && !Pending().pictures.contains(path) &&
            Pending().pictures.size() < kMaxPreloads) {
            batch->paths.push_back(path);
            batch->results.emplace_back();
            Pending().pictures.emplace(path, batch->results.back().get_future());
        }
    }
    // A thread for each picture would cost the UI thread more to start than it gains.
    size_t workers = std::min<size_t>(
        {batch->paths.size(), kMaxWorkers, std::max(1u, std::thread::hardware_concurrency())});
    for (size_t i = 0; i < workers; ++i) {
        Pending().workers.push_back(std::async(std::launch::async, [batch] {
            for (size_t next; (next = batch->next++) < batch->paths.size();) {
                batch->results[next].set_value(Decode(batch->paths[next]));
            }
        }));
    }
}

void ClearImageCache() {
    for (auto& worker : Pending().workers) {
        worker.wait();
    }
    Pending() = {};
    Cache().clear();
}

}  // namespace dui
