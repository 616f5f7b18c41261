#include "platform/afx/ui_thread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QThread>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

namespace afx {

bool IsUiThread() {
    auto* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

namespace {

// A call handed from a worker to the UI thread. `ran` is the waiting worker's own flag, or null
// for a call that nobody waits for.
struct QueuedCall {
    std::function<void()> run;
    bool* ran = nullptr;
};

// The calls waiting for the UI thread, and the object whose events make the UI thread take them.
// Everything a call carries crosses under this lock, never inside a Qt event: Qt hands its events
// over with atomics of its own that a thread checker cannot see, so a call's captures read on the
// UI thread would look unordered with their writing on the worker.
struct CallQueue {
    std::mutex mutex;
    std::condition_variable ran;
    std::deque<QueuedCall> calls;
    QObject* pump = nullptr;
};

CallQueue& Queue() {
    static CallQueue queue;
    return queue;
}

// Lives on the UI thread as a child of the application. Each event it gets only wakes it; the
// event itself is empty and is deleted by the UI thread.
class CallPump final : public QObject {
  public:
    explicit CallPump(QObject* app) : QObject(app) {}

    // The application is going: calls still waiting are dropped and their workers let go.
    ~CallPump() override {
        CallQueue& queue = Queue();
        {
            std::lock_guard lock(queue.mutex);
            queue.pump = nullptr;
            for (QueuedCall& call : queue.calls) {
                if (call.ran != nullptr) {
                    *call.ran = true;
                }
            }
            queue.calls.clear();
        }
        queue.ran.notify_all();
    }

  protected:
    // One call at a time, taking the next only after the last returned: a call that opens a
    // modal loop (a message box) lets the calls behind it run from inside that loop.
    void customEvent(QEvent*) override {
        CallQueue& queue = Queue();
        for (;;) {
            QueuedCall next;
            {
                std::lock_guard lock(queue.mutex);
                if (queue.calls.empty()) {
                    return;
                }
                next = std::move(queue.calls.front());
                queue.calls.pop_front();
            }
            next.run();
            if (next.ran != nullptr) {
                {
                    std::lock_guard lock(queue.mutex);
                    *next.ran = true;
                }
                queue.ran.notify_all();
            }
        }
    }
};

void MakePump() {
    CallQueue& queue = Queue();
    std::lock_guard lock(queue.mutex);
    queue.pump = new CallPump(QCoreApplication::instance());
}
Q_COREAPP_STARTUP_FUNCTION(MakePump)

// Queues `call` and wakes the UI thread; false when there is no application to run it. The
// caller holds the lock. The wake-up event is made and posted under the lock, so that the UI
// thread, which takes the lock before anything else, finds it made, and so that the pump cannot
// go away between the test and the post.
bool Enqueue(CallQueue& queue, QueuedCall call) {
    if (queue.pump == nullptr) {
        return false;
    }
    queue.calls.push_back(std::move(call));
    QCoreApplication::postEvent(queue.pump, new QEvent(QEvent::User));
    return true;
}

}  // namespace

void SendToUiThread(const std::function<void()>& call) {
    if (IsUiThread()) {
        call();
        return;
    }
    CallQueue& queue = Queue();
    bool ran = false;
    std::unique_lock lock(queue.mutex);
    if (Enqueue(queue, QueuedCall{[&call] { call(); }, &ran})) {
        queue.ran.wait(lock, [&] { return ran; });
    }
}

WorkerHandle BeginThread(std::function<unsigned()> proc) {
    auto worker = std::make_shared<Worker>();
    std::thread([worker, proc = std::move(proc)]() mutable {
        unsigned code = std::exchange(proc, nullptr)();
        CallQueue& queue = Queue();
        std::lock_guard lock(queue.mutex);
        // Marked finished on the UI thread, which this call also wakes: nothing waits for the
        // worker to finish before then, so the application cannot close under a running worker.
        auto finish = [worker, code] {
            worker->exitCode_ = code;
            worker->finished_ = true;
        };
        if (!Enqueue(queue, QueuedCall{finish, nullptr})) {
            finish();
        }
    }).detach();
    return worker;
}

void PumpUntilFinished(const WorkerHandle& worker) {
    while (!worker->Finished()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

}  // namespace afx
