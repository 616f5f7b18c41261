#pragma once
// A clock that only moves when told to, or when the code under test sleeps.

#include <atomic>
#include <chrono>

#include "platform/clock/clock.h"

namespace test {

class FakeClock : public platform::Clock {
  public:
    std::chrono::steady_clock::time_point Now() override {
        return std::chrono::steady_clock::time_point(elapsed());
    }
    std::chrono::system_clock::time_point WallNow() override {
        return wallStart_ +
               std::chrono::duration_cast<std::chrono::system_clock::duration>(elapsed());
    }
    // Sleeping passes the time at once.
    void Sleep(std::chrono::milliseconds duration) override { Advance(duration); }

    void Advance(std::chrono::nanoseconds duration) { elapsedNs_ += duration.count(); }
    void SetWallStart(std::chrono::system_clock::time_point start) { wallStart_ = start; }

  private:
    std::chrono::nanoseconds elapsed() const { return std::chrono::nanoseconds(elapsedNs_.load()); }

    std::atomic<int64_t> elapsedNs_{1'000'000'000};
    std::chrono::system_clock::time_point wallStart_ = std::chrono::system_clock::now();
};

}  // namespace test
