#include "update_dialog_fixture.h"

#include <QTest>
#include <cstdlib>

#include "platform/afx/menu.h"

namespace ui_test {

ScopedTemporaryFolder::ScopedTemporaryFolder(const test::TempFolder& folder) {
    if (const char* previous = std::getenv("TMPDIR")) {
        previous_ = previous;
        hadPrevious_ = true;
    }
    ::setenv("TMPDIR", folder.path().c_str(), 1);
}

ScopedTemporaryFolder::~ScopedTemporaryFolder() {
    if (hadPrevious_) {
        ::setenv("TMPDIR", previous_.c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
}

UpdateDialogTest::~UpdateDialogTest() {
    if (dialog_) {
        WaitForWorker();
    }
}

CMachineAltoUpdate& UpdateDialogTest::Open(int language, MessageBoxCall messageBox) {
    dialog_ = std::make_unique<CMachineAltoUpdate>(std::move(messageBox));
    dialog_->SetLanguage(language);
    dialog_->Create(nullptr);
    WaitForWorker();
    return *dialog_;
}

void UpdateDialogTest::WaitForWorker() {
    if (dialog_->GetWorker()) {
        afx::PumpUntilFinished(dialog_->GetWorker());
    }
    Settle();
}

QWidget* UpdateDialogTest::Item(int controlId) const {
    return dialog_->GetDlgItem(controlId);
}

std::wstring UpdateDialogTest::TextOf(int controlId) const {
    afx::Static control;
    control.Attach(Item(controlId));
    return control.GetWindowText();
}

bool UpdateDialogTest::Enabled(int controlId) const {
    return Item(controlId)->isEnabled();
}

void UpdateDialogTest::ClickItem(int controlId) {
    QWidget* widget = Item(controlId);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

afx::Menu UpdateDialogTest::ToolsMenu() {
    ChooseMenuCommand(0);
    return afx::Menu::LastTracked().value_or(afx::Menu({}));
}

void UpdateDialogTest::ChooseMenuCommand(int commandId) {
    afx::Menu::ScriptNextChoice(commandId);
    ClickItem(1059);
}

}  // namespace ui_test
