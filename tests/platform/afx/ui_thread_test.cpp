#include "platform/afx/ui_thread.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>
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

// Holds back the wake-ups of the calls' pump, so that the calls queued stay waiting. Only the
// receiver is read: an event made on a worker reaches the UI thread through Qt's own hand-over,
// which a thread checker cannot see.
class HoldWakeUps final : public QObject {
  public:
    explicit HoldWakeUps(const QObject* pump) : pump_(pump) {}
    bool held = false;

  protected:
    bool eventFilter(QObject* receiver, QEvent*) override {
        held = held || receiver == pump_;
        return receiver == pump_;
    }

  private:
    const QObject* pump_;
};

// A fresh process, since its application goes: the call a worker waits on when the application
// is deleted is dropped, and the worker returns.
TEST(UiThreadDeathTest, AWorkerWaitingOnACallReturnsWhenTheApplicationGoes) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // The calls' pump is the application's one child of no class of its own.
            std::vector<const QObject*> pumps;
            for (const QObject* child : afx_test::App().children()) {
                if (child->metaObject() == &QObject::staticMetaObject) {
                    pumps.push_back(child);
                }
            }
            if (pumps.size() != 1) {
                std::fputs("no one pump among the application's children\n", stderr);
                std::_Exit(3);
            }
            HoldWakeUps hold(pumps[0]);
            afx_test::App().installEventFilter(&hold);
            std::atomic<bool> ran{false};
            std::promise<void> returned;
            std::thread worker([&] {
                afx::SendToUiThread([&] { ran = true; });
                returned.set_value();
            });
            while (!hold.held) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            }
            // As at the program's end; the process ends before the test program's end would
            // delete the application again.
            delete &afx_test::App();
            if (returned.get_future().wait_for(std::chrono::seconds(5)) !=
                std::future_status::ready) {
                std::fputs("the worker still waits on its dropped call\n", stderr);
                std::_Exit(1);
            }
            worker.join();
            std::_Exit(ran ? 2 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
