// Every test has a bound of its own: a test that waits for good on a file, a socket or a worker
// fails within seconds instead of holding the whole run until ctest's time-out.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace {

// GCC names ThreadSanitizer with a macro, clang as a feature.
#if defined(__SANITIZE_THREAD__)
#define THREAD_SANITIZER
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define THREAD_SANITIZER
#endif
#endif

#if defined(THREAD_SANITIZER)
// The slowest test takes under 8 s under ThreadSanitizer on two loaded cores.
constexpr std::chrono::seconds kBound{60};
#else
// The slowest takes under 2 s under AddressSanitizer on two loaded cores.
constexpr std::chrono::seconds kBound{20};
#endif

class TestBound final : public testing::EmptyTestEventListener {
  public:
    void OnTestProgramStart(const testing::UnitTest&) override {
        m_watch = std::thread([this] { Watch(); });
    }

    void OnTestStart(const testing::TestInfo& test) override {
        std::lock_guard lock(m_mutex);
        m_name = std::string(test.test_suite_name()) + "." + test.name();
        m_deadline = std::chrono::steady_clock::now() + kBound;
        m_changed.notify_one();
    }

    void OnTestEnd(const testing::TestInfo&) override {
        std::lock_guard lock(m_mutex);
        m_deadline.reset();
        m_changed.notify_one();
    }

    void OnTestProgramEnd(const testing::UnitTest&) override {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
            m_changed.notify_one();
        }
        m_watch.join();
    }

  private:
    void Watch() {
        std::unique_lock lock(m_mutex);
        while (!m_stop) {
            if (!m_deadline) {
                m_changed.wait(lock);
            } else if (m_changed.wait_until(lock, *m_deadline) == std::cv_status::timeout &&
                       m_deadline && std::chrono::steady_clock::now() >= *m_deadline) {
                std::fprintf(stderr, "\n%s: still running after %lld s, stopped\n", m_name.c_str(),
                             static_cast<long long>(kBound.count()));
                std::fflush(stderr);
                std::_Exit(1);
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<std::chrono::steady_clock::time_point> m_deadline;
    std::string m_name;
    bool m_stop = false;
    std::thread m_watch;
};

const bool g_registered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new TestBound);
    return true;
}();

}  // namespace
