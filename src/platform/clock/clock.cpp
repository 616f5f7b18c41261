#include "platform/clock/clock.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform {
namespace {

class SystemClock final : public Clock {
  public:
    std::chrono::steady_clock::time_point Now() override {
        return std::chrono::steady_clock::now();
    }
    std::chrono::system_clock::time_point WallNow() override {
        return std::chrono::system_clock::now();
    }
    void Sleep(std::chrono::milliseconds duration) override {
        std::this_thread::sleep_for(duration);
    }
    void StoppableSleep(std::chrono::milliseconds duration, std::stop_token stop) override {
        std::mutex mutex;
        std::condition_variable_any stopped;
        std::unique_lock lock(mutex);
        stopped.wait_for(lock, stop, duration, [] { return false; });
    }
};

SystemClock g_systemClock;
std::atomic<Clock*> g_clock{&g_systemClock};

}  // namespace

Clock& CurrentClock() {
    return *g_clock.load();
}

ScopedClock::ScopedClock(Clock* clock)
    : previous_(g_clock.exchange(clock ? clock : &g_systemClock)) {}

ScopedClock::~ScopedClock() {
    g_clock.store(previous_);
}

}  // namespace platform
