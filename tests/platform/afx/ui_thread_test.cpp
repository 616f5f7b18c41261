#include "platform/afx/ui_thread.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <vector>

#include "platform/afx/qt_app.h"

namespace {

class UiThreadTest : public ::testing::Test {
  protected:
    void SetUp() override { afx_test::App(); }
};

TEST_F(UiThreadTest, WorkerCallsRunOnTheUiThreadAndWaitForIt) {
    QThread* ui = QThread::currentThread();
    std::vector<QThread*> ranOn;
    int counter = 0;
    auto worker = afx::BeginThread([&] {
        EXPECT_FALSE(afx::IsUiThread());
        for (int i = 0; i < 50; ++i) {
            // The worker sees each call's effect at once: it waited for it.
            afx::SendToUiThread([&] {
                ranOn.push_back(QThread::currentThread());
                ++counter;
            });
            EXPECT_EQ(counter, i + 1);
        }
        return afx::OnUiThread([&] { return counter; }) == 50 ? 7u : 1u;
    });
    afx::PumpUntilFinished(worker);
    EXPECT_EQ(worker->ExitCode(), 7u);
    ASSERT_EQ(ranOn.size(), 50u);
    for (QThread* t : ranOn) {
        EXPECT_EQ(t, ui);
    }
}

TEST_F(UiThreadTest, OnTheUiThreadACallRunsAtOnce) {
    EXPECT_TRUE(afx::IsUiThread());
    int value = 0;
    afx::SendToUiThread([&] { value = 3; });
    EXPECT_EQ(value, 3);
    EXPECT_EQ(afx::OnUiThread([] { return std::string("ok"); }), "ok");
}

// A worker's call that opens a modal loop on the UI thread (a message box) keeps the worker
// waiting until the loop ends, while a second call from another worker still gets through.
TEST_F(UiThreadTest, CallsGetThroughWhileTheUiThreadRunsAModalLoop) {
    std::atomic<bool> innerDone{false};
    auto first = afx::BeginThread([&] {
        return afx::OnUiThread([&] {
            QEventLoop modal;
            auto second = afx::BeginThread([&] {
                afx::SendToUiThread([&] { innerDone = true; });
                afx::SendToUiThread([&] { modal.quit(); });
                return 0u;
            });
            modal.exec();
            return innerDone ? 1u : 0u;
        });
    });
    afx::PumpUntilFinished(first);
    EXPECT_EQ(first->ExitCode(), 1u);
}

}  // namespace
