#include "log/log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <mutex>

#include "platform/clock/clock.h"
#include "platform/fs/fs.h"
#include "platform/text/text.h"

namespace {

std::mutex g_logMutex;
bool g_haveLastLine = false;
std::chrono::steady_clock::time_point g_lastLine;

// Seconds since the previous line of the process; first line and gaps over 10 s have fixed texts.
std::wstring ElapsedText() {
    auto now = platform::CurrentClock().Now();
    if (!g_haveLastLine) {
        g_haveLastLine = true;
        g_lastLine = now;
        return L"    -   ";
    }
    // A test clock may stand anywhere in its range, or be swapped for one behind it: a
    // difference that does not fit or runs backwards counts as a gap.
    int64_t ticks = 0;
    bool overflow = __builtin_sub_overflow(now.time_since_epoch().count(),
                                           g_lastLine.time_since_epoch().count(), &ticks);
    g_lastLine = now;
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::duration(ticks)).count();
    if (overflow || seconds < 0.0 || seconds > 10.0) {
        return L"   --   ";
    }
    return platform::Format(L"%f", seconds);
}

}  // namespace

std::wstring LocalTimeStamp() {
    auto now = platform::CurrentClock().WallNow();
    // Floored, so that a time before 1970 (a test clock's) still has its milliseconds in 0..999.
    auto whole = std::chrono::floor<std::chrono::seconds>(now);
    std::time_t seconds = std::chrono::system_clock::to_time_t(whole);
    auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now - whole);
    std::tm local{};
    localtime_r(&seconds, &local);
    return platform::Format(L"%4d-%.2d-%.2d %.2d:%.2d:%.2d:%.3d", local.tm_year + 1900,
                            local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                            local.tm_sec, static_cast<int>(millis.count()));
}

std::wstring IntToString(int32_t n) {
    return platform::Format(L"%d", n);
}

std::wstring BytesToHex(const uint8_t* data, size_t count, size_t start) {
    // Every frame of the link passes through here; formatting byte by byte would cost more
    // than the rest of a command.
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text(count == 0 ? 0 : count * 3 - 1, L' ');
    for (size_t i = 0; i < count; ++i) {
        uint8_t byte = data[start + i];
        text[i * 3] = kDigits[byte >> 4];
        text[i * 3 + 1] = kDigits[byte & 0x0F];
    }
    return text;
}

void WriteLog(std::wstring text) {
    // Lines of the UI thread and of a worker must never interleave, so the whole line is
    // built and written under one lock, in one write.
    std::lock_guard lock(g_logMutex);
    std::wstring elapsed = ElapsedText();
    std::string line =
        platform::WideToUtf8(L"[" + LocalTimeStamp() + L"|" + elapsed + L"]" + text + L"\r\n");
    std::string path = platform::ToPath(platform::ProgramFolder() + L"log.bin").string();
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        return;
    }
    // One write puts the whole line at the end of the file; only an interrupted or short
    // write needs another for the rest.
    for (size_t done = 0; done < line.size();) {
        ssize_t written = ::write(fd, line.data() + done, line.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            break;
        }
        done += static_cast<size_t>(written);
    }
    ::close(fd);
}
