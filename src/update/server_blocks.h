#pragma once
// The request block the client sends and the reply block the server returns.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "update/server_bytes.h"

inline constexpr size_t kMaxRequestItems = 10;
inline constexpr size_t kMaxItemLength = 100;
inline constexpr size_t kMaxReplyRecords = 12000;
inline constexpr size_t kMaxRecordLength = 1100;
// What one exchange may receive, over all its attempts.
inline constexpr size_t kReplyCapacity = 20'000'000;

// Results of an exchange besides 0.
inline constexpr int kSocketLayerFailed = -1;
inline constexpr int kReplyMalformed = 240;
inline constexpr int kExchangeIncomplete = 10752;

enum ServerOperation : uint8_t {
    kOperationFirmware = 1,
    kOperationVersionNotes = 4,
    kOperationVersionList = 5,
    kOperationImageChunk = 6,
    kOperationImageSize = 7,
};

struct ServerRequestHead {
    uint8_t product = 0;
    uint8_t marker = 0x01;
    uint8_t operation = 0;

    std::array<uint8_t, 3> Bytes() const { return {product, marker, operation}; }
};

class ServerRequestBlock {
  public:
    // Lays out the items behind the length fields and leaves room for the key. 0, or 240
    // (logged) when the bytes written do not add up to the total.
    int Build(std::span<const std::vector<uint8_t>> items);
    void SetResumeOffset(uint32_t offset);
    void SetKey(const ReplyKey& key);

    std::span<const uint8_t> bytes() const { return m_bytes; }

  private:
    std::vector<uint8_t> m_bytes;
    size_t m_keyPosition = 0;
};

class ServerReplyBlock {
  public:
    size_t Count() const { return m_records.size(); }
    // Throws std::out_of_range for an index at or beyond Count().
    std::span<const uint8_t> Record(size_t index) const;
    void Clear();

  private:
    friend int ParseServerReply(std::span<const uint8_t> reply, ServerReplyBlock& out);

    struct Extent {
        size_t offset;
        size_t length;
    };
    std::vector<uint8_t> m_bytes;  // the records' bytes, one after another
    std::vector<Extent> m_records;
};

// Reads a descrambled reply of exactly reply.size() bytes into out. 0, or 240 when the reply
// is short, declares another total, or its table or records break the limits; out is only
// changed on success.
int ParseServerReply(std::span<const uint8_t> reply, ServerReplyBlock& out);
