#include "platform/net/tcp_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <string>

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

// Waits for a non-blocking connect to finish; false with errno set when it did not.
bool AwaitConnect(int fd, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd waiting{fd, POLLOUT, 0};
        int ready = ::poll(&waiting, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            return false;
        }
        if (ready == 0) {
            errno = ETIMEDOUT;
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

TcpSocket::TcpSocket(TcpSocket&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

TcpSocket& TcpSocket::operator=(TcpSocket&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        other.fd_ = -1;
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
    if (started != 0 && !AwaitConnect(fd_, timeout)) {
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

bool TcpSocket::SetReceiveTimeout(std::chrono::milliseconds timeout, int* error) {
    timeval limit{};
    limit.tv_sec = static_cast<time_t>(timeout.count() / 1000);
    limit.tv_usec = static_cast<suseconds_t>(timeout.count() % 1000 * 1000);
    return ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit) == 0 || Fail(error);
}

ssize_t TcpSocket::Receive(std::span<uint8_t> buffer, int* error) {
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
