#pragma once
// IPv4 TCP streams in place of WinSock. Every call reports failure through its result and
// the errno value in *error; no call raises SIGPIPE, and interrupted calls are resumed.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <string_view>

namespace platform {

// The address of dotted IPv4 text such as "127.0.0.1", in network byte order.
std::optional<uint32_t> ParseIPv4(std::string_view dotted);

class TcpSocket {
  public:
    // A new, unconnected stream socket; nullopt (and *error) when the system has none to give.
    static std::optional<TcpSocket> Create(int* error);
    // Takes over a connected descriptor, such as one returned by accept().
    explicit TcpSocket(int fd) : fd_(fd) {}
    ~TcpSocket();
    TcpSocket(TcpSocket&& other) noexcept;
    TcpSocket& operator=(TcpSocket&& other) noexcept;
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    int fd() const { return fd_; }

    // From now on, Connect and Receive stop waiting and fail with ECANCELED once stop is
    // requested, from any thread.
    void SetStopToken(std::stop_token stop) { stop_ = std::move(stop); }

    // Gives up after timeout, as the Windows socket layer does, instead of waiting for the
    // system's own limit of minutes.
    bool Connect(uint32_t address, uint16_t port, std::chrono::milliseconds timeout, int* error);
    // Sends every byte, however many calls it takes.
    bool SendAll(std::span<const uint8_t> bytes, int* error);
    bool ShutdownSend(int* error);
    void ShutdownBoth();
    // Drops the connection with a reset instead of an orderly close.
    void Abort();
    // How long Receive waits for the next bytes (EAGAIN after it); 0, the default, for ever.
    void SetReceiveTimeout(std::chrono::milliseconds timeout) { receiveTimeout_ = timeout; }
    // The byte count received, 0 once the peer has closed its side, -1 on failure (a
    // receive time-out included).
    ssize_t Receive(std::span<uint8_t> buffer, int* error);

  private:
    void Close();

    int fd_ = -1;
    std::chrono::milliseconds receiveTimeout_{0};
    std::stop_token stop_;
};

}  // namespace platform
