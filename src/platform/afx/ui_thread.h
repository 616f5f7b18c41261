#pragma once
// The UI thread and the workers. Workers drive windows themselves, so every control call and
// message box made on a worker runs on the UI thread and the worker waits for it, as a Windows
// SendMessage does. The UI thread never waits for a worker: it keeps running its event loop.

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

namespace afx {

// True on the thread that runs the application's event loop (and anywhere while there is no
// application object: then there is no other thread to hand a call to).
bool IsUiThread();

// Runs `call` on the UI thread and returns once it has run: at once on the UI thread, through
// the UI thread's event loop (modal loops included) from any other thread. A call still waiting
// when the application object is destroyed is dropped, and the worker goes on.
void SendToUiThread(const std::function<void()>& call);

// SendToUiThread for a call with a result.
template <typename F>
auto OnUiThread(F&& f) -> std::invoke_result_t<F&> {
    using Result = std::invoke_result_t<F&>;
    if constexpr (std::is_void_v<Result>) {
        SendToUiThread(f);
    } else {
        std::optional<Result> result;
        SendToUiThread([&] { result.emplace(f()); });
        // A call that never ran (the application went away first) answers a default.
        return result ? std::move(*result) : Result{};
    }
}

// A worker started by BeginThread: whether it has ended, and its exit code once it has.
class Worker {
  public:
    bool Finished() const { return finished_; }
    unsigned ExitCode() const { return exitCode_; }

  private:
    friend std::shared_ptr<const Worker> BeginThread(std::function<unsigned()> proc);
    std::atomic<bool> finished_{false};
    std::atomic<unsigned> exitCode_{0};
};
using WorkerHandle = std::shared_ptr<const Worker>;

// Starts `proc` on a thread of its own, as AfxBeginThread does, and returns at once. The thread
// runs free; its end wakes the UI thread's event loop, which then marks the worker finished.
WorkerHandle BeginThread(std::function<unsigned()> proc);

// Runs the UI thread's event loop until the worker has ended; what a test or a closing window
// uses instead of joining, so that the worker's calls to the UI thread still run.
void PumpUntilFinished(const WorkerHandle& worker);

}  // namespace afx
