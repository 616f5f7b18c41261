#pragma once
// Window tests run on the program folder the build lays out (its skin and pictures), on Qt's
// offscreen platform.

#include <gtest/gtest.h>

#include <QWidget>
#include <functional>
#include <string>

#include "platform/dui/control.h"
#include "platform/dui/window.h"

namespace ui_test {

class UiTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// Clicks a control with the mouse, as a user would.
void Click(dui::CControlUI* control);
// Runs `action` once the event loop is back, e.g. inside a modal run that starts next.
void Later(std::function<void()> action);
// Lets queued work run (layouts, deferred deletions).
void Settle();
// Saves a picture of the window into the build tree; answers the file's path.
std::string SaveScreenshot(QWidget* window, const std::string& name);

}  // namespace ui_test
