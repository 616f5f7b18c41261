#include "support/loopback_server.h"

#include <linux/sockios.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

#include "platform/net/tcp_socket.h"
#include "update/server_blocks.h"

namespace test {
namespace {

constexpr size_t kLongestRequest = 1 << 16;

constexpr size_t kSendPiece = 1 << 16;

using RecordViews = std::vector<std::span<const uint8_t>>;

// A reset throws away whatever the peer has not acknowledged yet; a cut after n bytes must
// deliver n, so the reset waits (a few seconds at most) until the peer has taken them all.
void WaitUntilDelivered(int fd, const std::atomic<bool>& stopping) {
    for (int i = 0; i < 5000 && !stopping; ++i) {
        int queued = 0;
        if (::ioctl(fd, SIOCOUTQ, &queued) != 0 || queued == 0) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// A text with its terminating NUL.
std::span<const uint8_t> TextRecord(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.c_str()), text.size() + 1};
}

void BuildBlock(const RecordViews& records, std::vector<uint8_t>& block) {
    size_t total = 8 + 4 * records.size();
    for (const auto& record : records) {
        total += record.size();
    }
    block.clear();
    block.reserve(total);
    auto putWord = [&block](size_t value) {
        uint8_t word[4];
        PutU32(word, static_cast<uint32_t>(value));
        block.insert(block.end(), word, word + 4);
    };
    putWord(total);
    putWord(records.size());
    for (const auto& record : records) {
        putWord(record.size());
    }
    for (const auto& record : records) {
        block.insert(block.end(), record.begin(), record.end());
    }
}

std::optional<uint32_t> ItemWord(const Records& items, size_t index) {
    if (index >= items.size()) {
        return std::nullopt;
    }
    return ReadU32LE(0, items[index]);
}

// Reads the client's request until it shuts its sending side.
std::vector<uint8_t> ReadRequest(platform::TcpSocket& socket) {
    std::vector<uint8_t> bytes;
    uint8_t buffer[4096];
    while (bytes.size() < kLongestRequest) {
        ssize_t n = socket.Receive(buffer, nullptr);
        if (n <= 0) {
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}

ServerRequest ParseRequest(std::vector<uint8_t> bytes) {
    ServerRequest request;
    request.bytes = std::move(bytes);
    std::span<const uint8_t> block = request.bytes;
    auto total = ReadU32LE(0, block);
    auto resume = ReadU32LE(4, block);
    auto count = ReadU32LE(8, block);
    if (!total || *total != block.size() || block.size() < 29 || !count || *count > 64 ||
        block.back() != 0) {
        return request;
    }
    size_t position = 12 + 4 * size_t{*count};
    for (uint32_t i = 0; i < *count; ++i) {
        auto length = ReadU32LE(12 + 4 * size_t{i}, block);
        if (!length || position + *length > block.size() - 17) {
            return request;
        }
        request.items.emplace_back(block.begin() + position, block.begin() + position + *length);
        position += *length;
    }
    if (position != block.size() - 17) {
        return request;
    }
    std::copy_n(block.begin() + position, 16, request.key.begin());
    request.resumeOffset = *resume;
    request.wellFormed = true;
    return request;
}

}  // namespace

std::vector<uint8_t> ReplyBlockBytes(const Records& records) {
    std::vector<uint8_t> block;
    BuildBlock(RecordViews(records.begin(), records.end()), block);
    return block;
}

LoopbackUpdateServer::LoopbackUpdateServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

LoopbackUpdateServer::~LoopbackUpdateServer() {
    stopping_ = true;
    ::shutdown(listener_, SHUT_RDWR);
    int client = client_.load();
    if (client >= 0) {
        ::shutdown(client, SHUT_RDWR);
    }
    thread_.join();
    ::close(listener_);
}

ServerEndpoint LoopbackUpdateServer::Endpoint(std::chrono::milliseconds receiveTimeout) const {
    ServerEndpoint endpoint;
    endpoint.address = "127.0.0.1";
    endpoint.port = port_;
    endpoint.connectTimeout = std::chrono::seconds(5);
    endpoint.receiveTimeout = receiveTimeout;
    return endpoint;
}

void LoopbackUpdateServer::SetVersions(const std::vector<std::string>& versions) {
    std::lock_guard lock(mutex_);
    versions_ = versions;
}

void LoopbackUpdateServer::SetNotes(const std::vector<std::string>& notes) {
    std::lock_guard lock(mutex_);
    notes_ = notes;
}

void LoopbackUpdateServer::SetFirmware(std::vector<uint8_t> head, Records parts) {
    std::lock_guard lock(mutex_);
    firmwareHead_ = std::move(head);
    firmware_ = std::move(parts);
}

void LoopbackUpdateServer::SetDataImage(std::vector<uint8_t> image, size_t recordSize) {
    std::lock_guard lock(mutex_);
    image_ = std::move(image);
    imageRecordSize_ = recordSize;
}

void LoopbackUpdateServer::SetRawReply(std::vector<uint8_t> plain) {
    std::lock_guard lock(mutex_);
    rawReply_ = std::move(plain);
    haveRawReply_ = true;
}

void LoopbackUpdateServer::QueueFault(ServerFault fault, size_t n) {
    std::lock_guard lock(mutex_);
    faults_.push_back({fault, n});
}

void LoopbackUpdateServer::SetOperationReply(uint8_t operation, int occurrence, Records records) {
    std::lock_guard lock(mutex_);
    operationReplies_[{operation, occurrence}] = std::move(records);
}

void LoopbackUpdateServer::SetOperationFault(uint8_t operation, int occurrence, ServerFault fault,
                                             size_t n) {
    std::lock_guard lock(mutex_);
    operationFaults_[{operation, occurrence}] = {fault, n};
}

std::vector<ServerRequest> LoopbackUpdateServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

int LoopbackUpdateServer::RequestCount(uint8_t operation) const {
    std::lock_guard lock(mutex_);
    auto found = seen_.find(operation);
    return found == seen_.end() ? 0 : found->second;
}

void LoopbackUpdateServer::Serve() {
    while (!stopping_) {
        int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) {
                continue;
            }
            return;
        }
        client_ = fd;
        if (stopping_) {
            ::shutdown(fd, SHUT_RDWR);
        }
        Answer(fd);
        client_ = -1;
    }
}

void LoopbackUpdateServer::Answer(int fd) {
    platform::TcpSocket socket(fd);
    ServerRequest request = ParseRequest(ReadRequest(socket));
    std::vector<uint8_t>& plain = reply_;
    std::optional<Fault> fault;
    {
        std::lock_guard lock(mutex_);
        fault = Prepare(request);
    }
    if (!request.wellFormed) {
        return;
    }
    if (fault && fault->kind == ServerFault::kSilence) {
        // Held open, unanswered, until the server stops; the client gives up meanwhile.
        silenced_.push_back(std::move(socket));
        return;
    }
    if (fault && fault->kind == ServerFault::kWrongTotal) {
        size_t position = 0;
        PutU32LE(plain, position, static_cast<uint32_t>(plain.size() + fault->n));
    }
    size_t from = std::min<size_t>(request.resumeOffset, plain.size());
    size_t end = plain.size();
    bool cut = fault &&
               (fault->kind == ServerFault::kResetAfter || fault->kind == ServerFault::kCloseAfter);
    if (cut) {
        end = from + std::min(fault->n, end - from);
    }
    // Scrambled and sent a piece at a time, so that the client works while the server does.
    for (size_t at = from; at < end; at += kSendPiece) {
        std::span<uint8_t> piece(plain.data() + at, std::min(kSendPiece, end - at));
        XorWithKey(piece, request.key);
        if (!socket.SendAll(piece, nullptr)) {
            return;
        }
    }
    if (cut && fault->kind == ServerFault::kResetAfter) {
        WaitUntilDelivered(socket.fd(), stopping_);
        socket.Abort();
    }
}

std::optional<LoopbackUpdateServer::Fault> LoopbackUpdateServer::Prepare(
    const ServerRequest& request) {
    requests_.push_back(request);
    uint8_t operation =
        !request.items.empty() && request.items[0].size() >= 3 ? request.items[0][2] : 0;
    std::pair<uint8_t, int> key{operation, ++seen_[operation]};
    std::optional<Fault> fault;
    if (auto found = operationFaults_.find(key); found != operationFaults_.end()) {
        fault = found->second;
    } else if (!faults_.empty()) {
        fault = faults_.front();
        faults_.pop_front();
    }
    if (!request.wellFormed) {
        return fault;
    }
    if (auto found = operationReplies_.find(key); found != operationReplies_.end()) {
        BuildBlock(RecordViews(found->second.begin(), found->second.end()), reply_);
    } else if (haveRawReply_) {
        reply_ = rawReply_;
    } else {
        BuildReply(request);
    }
    return fault;
}

void LoopbackUpdateServer::BuildReply(const ServerRequest& request) {
    static const std::vector<uint8_t> kNoHead;
    const auto& head = request.items.empty() ? kNoHead : request.items[0];
    RecordViews records{head};
    uint8_t operation = head.size() >= 3 ? head[2] : 0;
    uint8_t size[4];
    switch (operation) {
        case kOperationVersionList:
            std::transform(versions_.begin(), versions_.end(), std::back_inserter(records),
                           TextRecord);
            break;
        case kOperationVersionNotes:
            std::transform(notes_.begin(), notes_.end(), std::back_inserter(records), TextRecord);
            break;
        case kOperationFirmware:
            records[0] = firmwareHead_;
            records.insert(records.end(), firmware_.begin(), firmware_.end());
            break;
        case kOperationImageSize:
            PutU32(size, static_cast<uint32_t>(image_.size()));
            records.push_back(size);
            break;
        case kOperationImageChunk: {
            // The offset and the length are the 8th and 9th items.
            auto offset = ItemWord(request.items, 7);
            auto length = ItemWord(request.items, 8);
            if (!offset || !length || *offset > image_.size()) {
                break;
            }
            std::span<const uint8_t> image(image_);
            size_t end = std::min<size_t>(image.size(), size_t{*offset} + *length);
            for (size_t at = *offset; at < end; at += imageRecordSize_) {
                records.push_back(image.subspan(at, std::min(end - at, imageRecordSize_)));
            }
            break;
        }
        default:
            break;
    }
    BuildBlock(records, reply_);
}

}  // namespace test
