#include "platform/afx/ui_thread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QThread>
#include <thread>

namespace afx {

bool IsUiThread() {
    auto* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

void SendToUiThread(const std::function<void()>& call) {
    if (IsUiThread()) {
        call();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), call, Qt::BlockingQueuedConnection);
}

WorkerHandle BeginThread(std::function<unsigned()> proc) {
    auto worker = std::make_shared<Worker>();
    std::thread([worker, proc = std::move(proc)] {
        worker->exitCode_ = proc();
        worker->finished_ = true;
        // Wakes a UI thread that waits for more events in PumpUntilFinished.
        if (auto* app = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                app, [] {}, Qt::QueuedConnection);
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
