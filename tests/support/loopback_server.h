#pragma once
// The update server on 127.0.0.1 at an ephemeral port: reads each request block, answers
// the update tool's operations from data the test gives it, scrambles from the resume offset
// on with the request's key, and breaks connections as the test asks.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/net/tcp_socket.h"
#include "update/server_bytes.h"
#include "update/server_endpoint.h"

namespace test {

using Records = std::vector<std::vector<uint8_t>>;

// The plain reply block of records: total, count, lengths, bytes.
std::vector<uint8_t> ReplyBlockBytes(const Records& records);

struct ServerRequest {
    std::vector<uint8_t> bytes;  // as received
    bool wellFormed = false;
    uint32_t resumeOffset = 0;
    Records items;
    ReplyKey key{};
};

enum class ServerFault {
    kResetAfter,  // sends the first n bytes, then aborts the connection
    kCloseAfter,  // sends the first n bytes, then closes cleanly: a short reply
    kSilence,     // sends nothing and waits for the client to give up
    kWrongTotal,  // the reply's first word declares n bytes more than are sent
};

class LoopbackUpdateServer {
  public:
    LoopbackUpdateServer();
    ~LoopbackUpdateServer();
    LoopbackUpdateServer(const LoopbackUpdateServer&) = delete;
    LoopbackUpdateServer& operator=(const LoopbackUpdateServer&) = delete;

    uint16_t port() const { return port_; }
    ServerEndpoint Endpoint(
        std::chrono::milliseconds receiveTimeout = std::chrono::seconds(5)) const;

    // Records 1 onward of the version list and the version notes, each text with its NUL.
    void SetVersions(const std::vector<std::string>& versions);
    void SetNotes(const std::vector<std::string>& notes);
    void SetFirmware(std::vector<uint8_t> head, Records parts);
    // The data image, handed out in records of recordSize bytes per chunk request.
    void SetDataImage(std::vector<uint8_t> image, size_t recordSize = 1024);
    // A plain reply block sent for every request instead of the operation's answer.
    void SetRawReply(std::vector<uint8_t> plain);

    // Faults apply to the next connections, one each, in the order queued.
    void QueueFault(ServerFault fault, size_t n = 0);

    // Per operation: the occurrence-th request (from 1) for it is answered with these records
    // instead, or meets this fault (before any queued one).
    void SetOperationReply(uint8_t operation, int occurrence, Records records);
    void SetOperationFault(uint8_t operation, int occurrence, ServerFault fault, size_t n = 0);

    std::vector<ServerRequest> Requests() const;
    // How many requests for operation have come so far.
    int RequestCount(uint8_t operation) const;

  private:
    struct Fault {
        ServerFault kind;
        size_t n;
    };

    void Serve();
    void Answer(int fd);
    // The plain reply to request, into reply_.
    void BuildReply(const ServerRequest& request);
    // The reply and the fault for request, with the lock held.
    std::optional<Fault> Prepare(const ServerRequest& request);

    int listener_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> client_{-1};
    std::thread thread_;
    // Server thread only; the reply buffer is kept so that large replies reuse its pages.
    std::vector<platform::TcpSocket> silenced_;
    std::vector<uint8_t> reply_;

    mutable std::mutex mutex_;
    std::vector<std::string> versions_;
    std::vector<std::string> notes_;
    std::vector<uint8_t> firmwareHead_;
    Records firmware_;
    std::vector<uint8_t> image_;
    size_t imageRecordSize_ = 1024;
    std::vector<uint8_t> rawReply_;
    bool haveRawReply_ = false;
    std::deque<Fault> faults_;
    std::map<uint8_t, int> seen_;
    std::map<std::pair<uint8_t, int>, Records> operationReplies_;
    std::map<std::pair<uint8_t, int>, Fault> operationFaults_;
    std::vector<ServerRequest> requests_;
};

}  // namespace test
