#pragma once
// The update tool opened modeless on the build's skin, with the loopback update server, the
// simulated machine, a fake clock and a work folder of its own.

#include <QWidget>
#include <memory>
#include <string>

#include "platform/afx/menu.h"
#include "platform/clock/clock.h"
#include "platform/d2xx/d2xx.h"
#include "support/fake_clock.h"
#include "support/loopback_server.h"
#include "support/simulated_machine.h"
#include "support/temp_folder.h"
#include "ui/machine_alto_update.h"
#include "ui_fixture.h"

namespace ui_test {

// $TMPDIR, where the work folder is made, points at a folder of the test's own.
class ScopedTemporaryFolder {
  public:
    explicit ScopedTemporaryFolder(const test::TempFolder& folder);
    ~ScopedTemporaryFolder();

  private:
    std::string previous_;
    bool hadPrevious_ = false;
};

class UpdateDialogTest : public UiTest {
  protected:
    ~UpdateDialogTest() override;

    // Opens the dialog in a language and waits for its version refresh.
    CMachineAltoUpdate& Open(int language, MessageBoxCall messageBox = {});
    void WaitForWorker();
    QWidget* Item(int controlId) const;
    std::wstring TextOf(int controlId) const;
    bool Enabled(int controlId) const;
    // Clicks a control of the dialog with the mouse.
    void ClickItem(int controlId);
    // Opens the tools menu and dismisses it; answers the menu as it was shown.
    afx::Menu ToolsMenu();
    // Runs a tools-menu command as a user picks it.
    void ChooseMenuCommand(int commandId);

    test::TempFolder temporary_;
    ScopedTemporaryFolder temporaryScope_{temporary_};
    test::FakeClock clock_;
    platform::ScopedClock clockScope_{&clock_};
    test::SimulatedMachine machine_;
    platform::ScopedD2xxBackend backendScope_{&machine_};
    test::LoopbackUpdateServer server_;
    ScopedServerEndpoint endpointScope_{server_.Endpoint()};
    std::unique_ptr<CMachineAltoUpdate> dialog_;
};

}  // namespace ui_test
