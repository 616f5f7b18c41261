#include "platform/afx/wnd.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

#include "platform/afx/qt_text.h"
#include "platform/afx/wnd_impl.h"

namespace afx {

struct Wnd::Handle {
    QPointer<QWidget> widget;
};

Wnd::Wnd() : handle_(std::make_unique<Handle>()) {}
Wnd::~Wnd() = default;

void Wnd::Attach(QWidget* widget) {
    SendToUiThread([&] { handle_->widget = widget; });
}

bool Wnd::IsAttached() const {
    return GetSafeWidget() != nullptr;
}

QWidget* Wnd::GetSafeWidget() const {
    return OnUiThread([&] { return Widget(); });
}

QWidget* Wnd::Widget() const {
    return handle_->widget.data();
}

void Wnd::SetWindowText(const std::wstring& text) {
    WithWidget<QWidget>([&](QWidget* w) {
        QString q = ToQString(text);
        if (auto* label = dynamic_cast<QLabel*>(w)) {
            label->setText(q);
        } else if (auto* button = dynamic_cast<QAbstractButton*>(w)) {
            button->setText(q);
        } else if (auto* line = dynamic_cast<QLineEdit*>(w)) {
            line->setText(q);
        } else if (auto* edit = dynamic_cast<QPlainTextEdit*>(w)) {
            edit->setPlainText(q);
        } else if (auto* group = dynamic_cast<QGroupBox*>(w)) {
            group->setTitle(q);
        } else if (auto* combo = dynamic_cast<QComboBox*>(w)) {
            combo->setCurrentText(q);
        } else {
            w->setWindowTitle(q);
        }
    });
}

std::wstring Wnd::GetWindowText() const {
    return WithWidget<QWidget>(std::wstring(), [](QWidget* w) {
        QString q;
        if (auto* label = dynamic_cast<QLabel*>(w)) {
            q = label->text();
        } else if (auto* button = dynamic_cast<QAbstractButton*>(w)) {
            q = button->text();
        } else if (auto* line = dynamic_cast<QLineEdit*>(w)) {
            q = line->text();
        } else if (auto* edit = dynamic_cast<QPlainTextEdit*>(w)) {
            q = edit->toPlainText();
        } else if (auto* group = dynamic_cast<QGroupBox*>(w)) {
            q = group->title();
        } else if (auto* combo = dynamic_cast<QComboBox*>(w)) {
            q = combo->currentText();
        } else {
            q = w->windowTitle();
        }
        return FromQString(q);
    });
}

void Wnd::EnableWindow(bool enable) {
    WithWidget<QWidget>([&](QWidget* w) { w->setEnabled(enable); });
}

bool Wnd::IsWindowEnabled() const {
    return WithWidget<QWidget>(false, [](QWidget* w) { return w->isEnabled(); });
}

void Wnd::ShowWindow(bool show) {
    WithWidget<QWidget>([&](QWidget* w) { w->setVisible(show); });
}

// Visible means the window and every parent shown, as IsWindowVisible answers.
bool Wnd::IsWindowVisible() const {
    return WithWidget<QWidget>(false, [](QWidget* w) { return w->isVisible(); });
}

void Wnd::MoveWindow(const Rect& rect) {
    WithWidget<QWidget>([&](QWidget* w) { w->setGeometry(ToQRect(rect)); });
}

Rect Wnd::GetWindowRect() const {
    return WithWidget<QWidget>(Rect{}, [](QWidget* w) { return FromQRect(w->geometry()); });
}

Point Wnd::ClientToScreen(Point client) const {
    return WithWidget<QWidget>(client, [&](QWidget* w) {
        QPoint screen = w->mapToGlobal(QPoint(client.x, client.y));
        return Point{screen.x(), screen.y()};
    });
}

void Wnd::SetFocus() {
    WithWidget<QWidget>([](QWidget* w) { w->setFocus(Qt::OtherFocusReason); });
}

bool Wnd::HasFocus() const {
    return WithWidget<QWidget>(false, [](QWidget* w) { return w->hasFocus(); });
}

void Wnd::SetFont(const Font& font) {
    WithWidget<QWidget>([&](QWidget* w) { w->setFont(ToQFont(font)); });
}

void Wnd::SetTextColor(ColorRef color) {
    WithWidget<QWidget>([&](QWidget* w) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::WindowText, ToQColor(color));
        palette.setColor(QPalette::Text, ToQColor(color));
        w->setPalette(palette);
    });
}

void Wnd::Invalidate() {
    WithWidget<QWidget>([](QWidget* w) { w->update(); });
}

}  // namespace afx
