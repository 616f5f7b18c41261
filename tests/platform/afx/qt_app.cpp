#include "platform/afx/qt_app.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace afx_test {
namespace {

// The application lives from before the first test to after the last, and is gone before
// static destruction begins (Qt's own statics must outlive it).
class AppEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }
    QApplication& app() { return *app_; }

  private:
    int argc_ = 1;
    char name_[9] = "test_afx";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

AppEnvironment* const g_environment =
    static_cast<AppEnvironment*>(::testing::AddGlobalTestEnvironment(new AppEnvironment));

}  // namespace

QApplication& App() {
    return g_environment->app();
}

}  // namespace afx_test
