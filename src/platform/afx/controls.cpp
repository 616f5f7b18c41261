#include "platform/afx/controls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "platform/afx/qt_text.h"
#include "platform/afx/wnd_impl.h"

namespace afx {

int ComboBox::AddString(const std::wstring& text) {
    return WithWidget<QComboBox>(kComboError, [&](QComboBox* c) {
        c->addItem(ToQString(text));
        // A drop-down list starts with no pick, and adding keeps it so.
        if (c->count() == 1) {
            c->setCurrentIndex(-1);
        }
        return c->count() - 1;
    });
}

void ComboBox::ResetContent() {
    WithWidget<QComboBox>([](QComboBox* c) { c->clear(); });
}

int ComboBox::GetCount() const {
    return WithWidget<QComboBox>(0, [](QComboBox* c) { return c->count(); });
}

int ComboBox::GetCurSel() const {
    return WithWidget<QComboBox>(kComboError, [](QComboBox* c) { return c->currentIndex(); });
}

int ComboBox::SetCurSel(int index) {
    return WithWidget<QComboBox>(kComboError, [&](QComboBox* c) {
        bool valid = index >= 0 && index < c->count();
        QSignalBlocker quiet(c);
        c->setCurrentIndex(valid ? index : -1);
        return valid ? index : kComboError;
    });
}

std::wstring ComboBox::GetLBText(int index) const {
    return WithWidget<QComboBox>(std::wstring(),
                                 [&](QComboBox* c) { return FromQString(c->itemText(index)); });
}

void ComboBox::SetItemHeight(int height) {
    WithWidget<QComboBox>([&](QComboBox* c) {
        c->view()->setStyleSheet(
            QStringLiteral("QAbstractItemView::item { height: %1px; }").arg(height));
    });
}

void ProgressCtrl::SetRange(int lower, int upper) {
    WithWidget<QProgressBar>([&](QProgressBar* p) { p->setRange(lower, upper); });
}

int ProgressCtrl::SetPos(int position) {
    return WithWidget<QProgressBar>(0, [&](QProgressBar* p) {
        int previous = p->value() < p->minimum() ? p->minimum() : p->value();
        p->setValue(std::clamp(position, p->minimum(), p->maximum()));
        return previous;
    });
}

int ProgressCtrl::GetPos() const {
    return WithWidget<QProgressBar>(
        0, [](QProgressBar* p) { return p->value() < p->minimum() ? p->minimum() : p->value(); });
}

void Edit::SetSel(int start, int end) {
    WithWidget<QWidget>([&](QWidget* w) {
        if (auto* line = dynamic_cast<QLineEdit*>(w)) {
            int length = static_cast<int>(line->text().size());
            int to = end < 0 ? length : std::min(end, length);
            line->setSelection(start, to - start);
        } else if (auto* edit = dynamic_cast<QPlainTextEdit*>(w)) {
            if (start == 0 && end < 0) {
                edit->selectAll();
            }
        }
    });
}

void Edit::SetReadOnly(bool readOnly) {
    WithWidget<QWidget>([&](QWidget* w) {
        if (auto* line = dynamic_cast<QLineEdit*>(w)) {
            line->setReadOnly(readOnly);
        }
        if (auto* edit = dynamic_cast<QPlainTextEdit*>(w)) {
            edit->setReadOnly(readOnly);
        }
    });
}

}  // namespace afx
