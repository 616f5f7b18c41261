#pragma once
// Where the update server is reached and how long the client waits for it.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

struct ServerEndpoint {
    std::string address;  // dotted IPv4
    uint16_t port = 5001;
    std::chrono::milliseconds connectTimeout{20000};
    std::chrono::milliseconds receiveTimeout{40000};
};

// "config.ini" beside the program, [Server] Address, with 127.0.0.1 when it is not set;
// port 5001. A test's own endpoint, when one is installed, instead.
ServerEndpoint ConfiguredServerEndpoint();

// Points every client made while the object lives at endpoint (a test's own server).
class ScopedServerEndpoint {
  public:
    explicit ScopedServerEndpoint(const ServerEndpoint& endpoint);
    ~ScopedServerEndpoint();
    ScopedServerEndpoint(const ScopedServerEndpoint&) = delete;
    ScopedServerEndpoint& operator=(const ScopedServerEndpoint&) = delete;

  private:
    std::optional<ServerEndpoint> m_previous;
};
