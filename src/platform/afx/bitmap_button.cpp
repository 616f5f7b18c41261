#include "platform/afx/bitmap_button.h"

#include <QPainter>

#include "platform/afx/qt_text.h"
#include "platform/afx/widgets.h"
#include "platform/afx/wnd_impl.h"

namespace afx {

void ItemPainter::DrawBitmap(const Bitmap& bitmap, Point at) {
    if (!bitmap.IsNull()) {
        painter_.drawImage(QPoint(at.x, at.y), bitmap.Image());
    }
}

int ItemPainter::TextWidth(const std::wstring& text) const {
    return painter_.fontMetrics().horizontalAdvance(ToQString(text));
}

int ItemPainter::TextHeight(const std::wstring&) const {
    return painter_.fontMetrics().height();
}

void ItemPainter::TextOut(Point at, const std::wstring& text, ColorRef color, bool disabledLook) {
    QString q = ToQString(text);
    QPoint baseline(at.x, at.y + painter_.fontMetrics().ascent());
    painter_.save();
    if (disabledLook) {
        painter_.setPen(Qt::white);
        painter_.drawText(baseline + QPoint(1, 1), q);
        painter_.setPen(Qt::gray);
    } else {
        painter_.setPen(ToQColor(color));
    }
    painter_.drawText(baseline, q);
    painter_.restore();
}

BitmapButton::BitmapButton() = default;

BitmapButton::~BitmapButton() {
    WithWidget<OwnerDrawButton>([this](OwnerDrawButton* b) {
        if (b->owner == this) {
            b->owner = nullptr;
        }
    });
}

bool BitmapButton::LoadBitmaps(const std::wstring& normal, const std::wstring& pressed,
                               const std::wstring& focus, const std::wstring& disabled) {
    return OnUiThread([&] {
        bool ok = normal_.Load(normal);
        for (auto [bitmap, file] : {std::pair{&pressed_, &pressed}, std::pair{&focus_, &focus},
                                    std::pair{&disabled_, &disabled}}) {
            if (file->empty()) {
                *bitmap = Bitmap();
            } else {
                ok = bitmap->Load(*file) && ok;
            }
        }
        Invalidate();
        return ok;
    });
}

void BitmapButton::SizeToContent() {
    WithWidget<QWidget>([this](QWidget* w) {
        if (!normal_.IsNull()) {
            w->resize(normal_.Width(), normal_.Height());
        }
    });
}

void BitmapButton::Attach(QWidget* widget) {
    Wnd::Attach(widget);
    WithWidget<OwnerDrawButton>([this](OwnerDrawButton* b) {
        b->owner = this;
        b->update();
    });
}

void BitmapButton::DrawItem(ItemPainter& painter, const DrawItemState& state) {
    const Bitmap* shown = &normal_;
    if (state.selected && !pressed_.IsNull()) {
        shown = &pressed_;
    } else if (state.focus && !focus_.IsNull()) {
        shown = &focus_;
    } else if (state.disabled && !disabled_.IsNull()) {
        shown = &disabled_;
    }
    painter.DrawBitmap(*shown, Point{state.rect.left, state.rect.top});
}

void OwnerDrawButton::paintEvent(QPaintEvent* event) {
    if (!owner) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    ItemPainter itemPainter(painter);
    owner->DrawItem(itemPainter,
                    DrawItemState{FromQRect(rect()), isDown(), !isEnabled(), hasFocus()});
}

void OwnerDrawButton::mouseMoveEvent(QMouseEvent* event) {
    if (owner) {
        owner->OnMouseMove();
    }
    QPushButton::mouseMoveEvent(event);
}

void OwnerDrawButton::leaveEvent(QEvent* event) {
    if (owner) {
        owner->OnMouseLeave();
    }
    QPushButton::leaveEvent(event);
}

}  // namespace afx
