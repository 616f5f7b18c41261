#include "platform/net/tcp_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>

namespace platform {
namespace {

bool Fail(int* error) {
    if (error != nullptr) {
        *error = errno;
    }
    return false;
}

bool SetNonBlocking(int fd, bool on) {
    int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0) {
        return false;
    }
    flags = on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    return ::fcntl(fd, F_SETFL, flags) == 0;
}

// poll(), resumed after interruptions until timeout (0: no limit) has passed in all.
int PollResumed(pollfd* fds, nfds_t count, std::chrono::milliseconds timeout) {
    using std::chrono::milliseconds;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int wait = -1;
        if (timeout.count() > 0) {
            auto left = std::chrono::duration_cast<milliseconds>(deadline -
                                                                 std::chrono::steady_clock::now());
            wait = static_cast<int>(std::max<milliseconds::rep>(left.count(), 0));
        }
        int ready = ::poll(fds, count, wait);
        if (ready >= 0 || errno != EINTR) {
            return ready;
        }
    }
}

// Waits until fd is ready for events, for at most timeout (0: no limit) and only until stop is
// requested. False with errno set when it is not ready: timedOut when the time is up, ECANCELED
// when stopped.
bool AwaitReady(int fd, short events, std::chrono::milliseconds timeout, int timedOut,
                const std::stop_token& stop) {
    // A stop request wakes the wait through a descriptor of its own.
    int wake = stop.stop_possible() ? ::eventfd(0, EFD_CLOEXEC) : -1;
    if (stop.stop_possible() && wake < 0) {
        return false;
    }
    pollfd waiting[2] = {{fd, events, 0}, {wake, POLLIN, 0}};
    int count = 0;
    {
        std::stop_callback wakeOnStop(stop, [wake] {
            uint64_t one = 1;
            [[maybe_unused]] ssize_t written = ::write(wake, &one, sizeof one);
        });
        count = PollResumed(waiting, wake >= 0 ? 2 : 1, timeout);
    }
    bool stopped = waiting[1].revents != 0;
    int failure = count == 0 ? timedOut : stopped ? ECANCELED : errno;
    if (wake >= 0) {
        ::close(wake);
    }
    errno = failure;
    return count > 0 && !stopped;
}

// Waits for a non-blocking connect to finish; false with errno set when it did not.
bool AwaitConnect(int fd, std::chrono::milliseconds timeout, const std::stop_token& stop) {
    if (!AwaitReady(fd, POLLOUT, timeout, ETIMEDOUT, stop)) {
        return false;
    }
    int status = 0;
    socklen_t size = sizeof status;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &status, &size) != 0) {
        return false;
    }
    if (status != 0) {
        errno = status;
        return false;
    }
    return true;
}

}  // namespace

std::optional<uint32_t> ParseIPv4(std::string_view dotted) {
    std::string text(dotted);
    in_addr address{};
    if (::inet_pton(AF_INET, text.c_str(), &address) != 1) {
        return std::nullopt;
    }
    return address.s_addr;
}

std::optional<TcpSocket> TcpSocket::Create(int* error) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0) {
        Fail(error);
        return std::nullopt;
    }
    return TcpSocket(fd);
}

TcpSocket::~TcpSocket() {
    Close();
}

TcpSocket::TcpSocket(TcpSocket&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      receiveTimeout_(other.receiveTimeout_),
      stop_(std::move(other.stop_)) {}

TcpSocket& TcpSocket::operator=(TcpSocket&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        receiveTimeout_ = other.receiveTimeout_;
        stop_ = std::move(other.stop_);
    }
    return *this;
}

void TcpSocket::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool TcpSocket::Connect(uint32_t address, uint16_t port, std::chrono::milliseconds timeout,
                        int* error) {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = address;
    peer.sin_port = htons(port);
    if (!SetNonBlocking(fd_, true)) {
        return Fail(error);
    }
    int started = ::connect(fd_, reinterpret_cast<const sockaddr*>(&peer), sizeof peer);
    // An interrupted connect goes on in the background, like one in progress.
    if (started != 0 && errno != EINPROGRESS && errno != EINTR) {
        return Fail(error);
    }
    if (started != 0 && !AwaitConnect(fd_, timeout, stop_)) {
        return Fail(error);
    }
    if (!SetNonBlocking(fd_, false)) {
        return Fail(error);
    }
    return true;
}

bool TcpSocket::SendAll(std::span<const uint8_t> bytes, int* error) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Fail(error);
        }
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool TcpSocket::ShutdownSend(int* error) {
    return ::shutdown(fd_, SHUT_WR) == 0 || Fail(error);
}

void TcpSocket::ShutdownBoth() {
    ::shutdown(fd_, SHUT_RDWR);
}

void TcpSocket::Abort() {
    linger reset{1, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    Close();
}

ssize_t TcpSocket::Receive(std::span<uint8_t> buffer, int* error) {
    if (!AwaitReady(fd_, POLLIN, receiveTimeout_, EAGAIN, stop_)) {
        Fail(error);
        return -1;
    }
    for (;;) {
        ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            Fail(error);
        }
        return n;
    }
}

}  // namespace platform
