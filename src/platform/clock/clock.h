#pragma once
// Time in place of the Win32 tick counter, performance counter, Sleep and local time. The
// process uses one clock; tests install a clock of their own so that no test waits out a
// time-out of seconds.

#include <chrono>
#include <stop_token>

namespace platform {

class Clock {
  public:
    virtual ~Clock() = default;
    // Monotonic time, for time-outs and elapsed times.
    virtual std::chrono::steady_clock::time_point Now() = 0;
    // Wall-clock time, for time stamps.
    virtual std::chrono::system_clock::time_point WallNow() = 0;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
    // Sleep that ends as soon as stop is requested, from any thread.
    virtual void StoppableSleep(std::chrono::milliseconds duration, std::stop_token stop) {
        if (!stop.stop_requested()) {
            Sleep(duration);
        }
    }
};

// The clock in force: the system's unless a test installed another.
Clock& CurrentClock();

// Installs clock (nullptr restores the system's) for as long as the object lives.
class ScopedClock {
  public:
    explicit ScopedClock(Clock* clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

  private:
    Clock* previous_;
};

}  // namespace platform
