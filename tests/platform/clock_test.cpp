#include "platform/clock/clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stop_token>
#include <thread>

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// Every update test runs on a fake clock: only here do the program's waits take real time.
TEST(SystemClock, StoppableSleepLastsAsAskedAndEndsAtTheStop) {
    platform::ScopedClock system(nullptr);
    platform::Clock& clock = platform::CurrentClock();
    std::stop_source stop;

    auto start = steady_clock::now();
    clock.StoppableSleep(milliseconds(30), stop.get_token());
    EXPECT_GE(steady_clock::now() - start, milliseconds(30));

    start = steady_clock::now();
    std::jthread closer([&] {
        std::this_thread::sleep_for(milliseconds(20));
        stop.request_stop();
    });
    clock.StoppableSleep(std::chrono::seconds(10), stop.get_token());
    EXPECT_LT(steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
