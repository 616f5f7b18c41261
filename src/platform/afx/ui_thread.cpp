#include "platform/afx/ui_thread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QThread>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace afx {

bool IsUiThread() {
    auto* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

namespace {

// A worker's wait for its call on the UI thread. Our own lock rather than Qt's blocking
// connection, whose wait a thread checker cannot see: with it, what the worker wrote before the
// call and what the call wrote are ordered for the checker as they are for the machine.
struct Handshake {
    std::mutex mutex;
    std::condition_variable condition;
    bool done = false;
};

// Travels with the posted call: when its last copy goes, run or dropped with the application,
// the worker is let go.
class Release {
  public:
    explicit Release(std::shared_ptr<Handshake> handshake) : m_handshake(std::move(handshake)) {}
    ~Release() {
        std::lock_guard lock(m_handshake->mutex);
        m_handshake->done = true;
        m_handshake->condition.notify_one();
    }
    Release(const Release&) = delete;
    Release& operator=(const Release&) = delete;

    Handshake& handshake() const { return *m_handshake; }

  private:
    std::shared_ptr<Handshake> m_handshake;
};

}  // namespace

void SendToUiThread(const std::function<void()>& call) {
    if (IsUiThread()) {
        call();
        return;
    }
    auto handshake = std::make_shared<Handshake>();
    auto release = std::make_shared<Release>(handshake);
    // Held while posting, so the call's first step, taking the lock, comes after the post.
    std::unique_lock lock(handshake->mutex);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&call, release = std::move(release)] {
            { std::lock_guard posted(release->handshake().mutex); }
            call();
        },
        Qt::QueuedConnection);
    handshake->condition.wait(lock, [&] { return handshake->done; });
}

WorkerHandle BeginThread(std::function<unsigned()> proc) {
    auto worker = std::make_shared<Worker>();
    std::thread([worker, proc = std::move(proc)]() mutable {
        unsigned code = std::exchange(proc, nullptr)();
        auto* app = QCoreApplication::instance();
        if (app == nullptr) {
            worker->exitCode_ = code;
            worker->finished_ = true;
            return;
        }
        // Marked finished on the UI thread, which this post also wakes: nothing waits for the
        // worker to finish before then, so the post never reaches an application already gone.
        QMetaObject::invokeMethod(
            app,
            [worker, code] {
                worker->exitCode_ = code;
                worker->finished_ = true;
            },
            Qt::QueuedConnection);
    }).detach();
    return worker;
}

void PumpUntilFinished(const WorkerHandle& worker) {
    while (!worker->Finished()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

}  // namespace afx
