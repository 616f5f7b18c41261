#pragma once
// The update tool opened modeless on the build's skin, with the loopback update server, the
// simulated machine and a fake clock.

#include <sys/stat.h>

#include <QTest>
#include <QWidget>
#include <filesystem>
#include <memory>

#include "platform/afx/menu.h"
#include "platform/clock/clock.h"
#include "platform/d2xx/d2xx.h"
#include "support/fake_clock.h"
#include "support/loopback_server.h"
#include "support/simulated_machine.h"
#include "ui/machine_alto_update.h"
#include "ui_fixture.h"

namespace ui_test {

class UpdateDialogTest : public UiTest {
  protected:
    ~UpdateDialogTest() override {
        if (dialog_) {
            WaitForWorker();
        }
    }

    // Opens the dialog in a language and waits for its version refresh.
    CMachineAltoUpdate& Open(int language, MessageBoxCall messageBox = {}) {
        dialog_ = std::make_unique<CMachineAltoUpdate>(std::move(messageBox));
        dialog_->SetLanguage(language);
        dialog_->Create(nullptr);
        WaitForWorker();
        return *dialog_;
    }
    void WaitForWorker() {
        if (dialog_->GetWorker()) {
            afx::PumpUntilFinished(dialog_->GetWorker());
        }
        Settle();
    }
    // A work folder that others may enter, which the dialog refuses.
    std::filesystem::path PlantOpenWorkFolder() const {
        std::filesystem::path planted = program_ / "tarvan";
        std::filesystem::create_directory(planted);
        ::chmod(planted.c_str(), 0755);
        return planted;
    }
    QWidget* Item(int controlId) const { return dialog_->GetDlgItem(controlId); }
    bool Enabled(int controlId) const { return Item(controlId)->isEnabled(); }
    std::wstring TextOf(int controlId) const {
        afx::Static control;
        control.Attach(Item(controlId));
        return control.GetWindowText();
    }
    void ClickItem(int controlId) {
        QTest::mouseClick(Item(controlId), Qt::LeftButton, {}, Item(controlId)->rect().center());
    }
    // Runs a tools-menu command as a user picks it (0 dismisses the menu); answers the menu as
    // it was shown.
    afx::Menu ChooseMenuCommand(int commandId = 0) {
        afx::Menu::ScriptNextChoice(commandId);
        ClickItem(1059);
        return afx::Menu::LastTracked().value_or(afx::Menu({}));
    }

    test::FakeClock clock_;
    platform::ScopedClock clockScope_{&clock_};
    test::SimulatedMachine machine_;
    platform::ScopedD2xxBackend backendScope_{&machine_};
    test::LoopbackUpdateServer server_;
    ScopedServerEndpoint endpointScope_{server_.Endpoint()};
    std::unique_ptr<CMachineAltoUpdate> dialog_;
};

}  // namespace ui_test
