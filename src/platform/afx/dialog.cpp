#include "platform/afx/dialog.h"

#include <QApplication>
#include <QPalette>
#include <QPixmap>

#include "platform/afx/dialog_widget.h"
#include "platform/afx/ui_thread.h"

namespace afx {

Dialog::Dialog(const DialogTemplate& dialogTemplate)
    : template_(dialogTemplate), baseUnits_(DialogBaseUnits(dialogTemplate.font)) {}

Dialog::~Dialog() {
    DestroyWindow();
}

DialogWidget* Dialog::Window() const {
    return dynamic_cast<DialogWidget*>(GetSafeWidget());
}

void Dialog::BuildWindow(QWidget* parent) {
    auto* window = new DialogWidget(*this, parent);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    Attach(window);
    DoDataExchange();
}

int Dialog::DoModal(QWidget* owner) {
    return OnUiThread([&] {
        if (Window()) {
            return -1;
        }
        BuildWindow(owner ? owner : QApplication::activeWindow());
        DialogWidget* window = Window();
        window->setWindowModality(Qt::ApplicationModal);
        if (QWidget* parent = window->parentWidget()) {
            window->move(parent->geometry().center() - window->rect().center());
        }
        OnInitDialog();
        // EndDialog inside OnInitDialog ends the run before it shows.
        int result = window->property("afxEnded").toBool() ? window->result() : window->exec();
        delete window;
        return result;
    });
}

bool Dialog::Create(QWidget* parent) {
    return OnUiThread([&] {
        if (Window()) {
            return false;
        }
        BuildWindow(parent);
        OnInitDialog();
        if (template_.visible) {
            Window()->show();
        }
        return true;
    });
}

void Dialog::DestroyWindow() {
    SendToUiThread([&] { delete Window(); });
}

void Dialog::EndDialog(int result) {
    SendToUiThread([&] {
        DialogWidget* window = Window();
        if (!window) {
            return;
        }
        window->setProperty("afxEnded", true);
        window->done(result);
    });
}

QWidget* Dialog::GetDlgItem(int controlId) const {
    return OnUiThread([&]() -> QWidget* {
        DialogWidget* window = Window();
        return window ? window->Control(controlId) : nullptr;
    });
}

void Dialog::BindControl(int controlId, Wnd& control) {
    control.Attach(GetDlgItem(controlId));
}

void Dialog::SetBackground(const Bitmap& bitmap) {
    SendToUiThread([&] {
        DialogWidget* window = Window();
        if (!window || bitmap.IsNull()) {
            return;
        }
        QPalette palette = window->palette();
        palette.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(bitmap.Image())));
        window->setPalette(palette);
        window->setAutoFillBackground(true);
    });
}

void Dialog::OnCommand(int commandId) {
    if (commandId == kIdOk) {
        OnOK();
    }
    if (commandId == kIdCancel) {
        OnCancel();
    }
}

}  // namespace afx
