#pragma once
// Window tests run on Qt's offscreen platform, in a program folder of their own that links in the
// skin and pictures the build lays out, so that what they save never lands beside the program.

#include <gtest/gtest.h>

#include <QTimer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <string>

#include "platform/afx/qt_app.h"
#include "platform/dui/control.h"
#include "platform/dui/window.h"
#include "support/temp_folder.h"

namespace ui_test {

// Links the build's skin folder into folder.
void LinkBuildSkin(const test::TempFolder& folder);

class UiTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    test::TempFolder program_;
    test::ScopedProgramFolder programScope_{program_};
    // The main window's update tools make their work folder there.
    test::ScopedTemporaryFolder temporaryScope_{program_};
};

using afx_test::Click;
using afx_test::Settle;
// Runs `action` once the event loop is back, e.g. inside a modal run that starts next.
void Later(std::function<void()> action);
// Ends the event loop that runs past `after` with 99, so that a loop nothing ends fails its test
// instead of hanging. The timer goes with the object: it never ends a later test's loop.
class ScopedLoopDeadline {
  public:
    explicit ScopedLoopDeadline(std::chrono::milliseconds after);

  private:
    QTimer timer_;
};
// Saves a picture of the window into the build tree; answers the file's path.
std::string SaveScreenshot(QWidget* window, const std::string& name);

}  // namespace ui_test
