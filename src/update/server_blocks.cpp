#include "update/server_blocks.h"

#include "log/log.h"
#include "platform/text/text.h"

namespace {

constexpr size_t kFixedRequestBytes = 29;  // total, resume offset, count, key, terminator
constexpr size_t kResumeOffsetPosition = 4;
constexpr size_t kReplyHeadBytes = 8;
constexpr size_t kShortestReply = 13;

}  // namespace

int ServerRequestBlock::Build(std::span<const std::vector<uint8_t>> items) {
    size_t total = kFixedRequestBytes + 4 * items.size();
    for (const auto& item : items) {
        total += item.size();
    }
    m_bytes.assign(total, 0);
    size_t position = 0;
    PutU32LE(m_bytes, position, static_cast<uint32_t>(total));
    PutU32LE(m_bytes, position, 0);
    PutU32LE(m_bytes, position, static_cast<uint32_t>(items.size()));
    for (const auto& item : items) {
        PutU32LE(m_bytes, position, static_cast<uint32_t>(item.size()));
    }
    for (const auto& item : items) {
        AppendBytes(m_bytes, position, item);
    }
    m_keyPosition = position;
    const std::array<uint8_t, 17> keyAndTerminator{};
    AppendBytes(m_bytes, position, keyAndTerminator);
    if (position != total) {
        WriteLog(platform::Format(L"=SRE003=%d,%d", static_cast<int>(total),
                                  static_cast<int>(position)));
        return kReplyMalformed;
    }
    return 0;
}

void ServerRequestBlock::SetResumeOffset(uint32_t offset) {
    size_t position = kResumeOffsetPosition;
    PutU32LE(m_bytes, position, offset);
}

void ServerRequestBlock::SetKey(const ReplyKey& key) {
    size_t position = m_keyPosition;
    AppendBytes(m_bytes, position, key);
}

std::span<const uint8_t> ServerReplyBlock::Record(size_t index) const {
    const Extent& record = m_records.at(index);
    return std::span<const uint8_t>(m_bytes).subspan(record.offset, record.length);
}

void ServerReplyBlock::Clear() {
    m_bytes.clear();
    m_records.clear();
}

int ParseServerReply(std::span<const uint8_t> reply, ServerReplyBlock& out) {
    if (reply.size() < kShortestReply) {
        WriteLog(L"=SRE001=" + IntToString(static_cast<int32_t>(reply.size())));
        return kReplyMalformed;
    }
    uint32_t declared = *ReadU32LE(0, reply);
    if (declared != reply.size()) {
        WriteLog(platform::Format(L"=SRE002=%u,%u", declared, static_cast<uint32_t>(reply.size())));
        return kReplyMalformed;
    }
    uint32_t count = *ReadU32LE(4, reply);
    if (count > kMaxReplyRecords || kReplyHeadBytes + 4 * size_t{count} > reply.size()) {
        return kReplyMalformed;
    }
    auto data = reply.subspan(kReplyHeadBytes + 4 * size_t{count});
    std::vector<ServerReplyBlock::Extent> records(count);
    size_t offset = 0;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t length = *ReadU32LE(kReplyHeadBytes + 4 * size_t{i}, reply);
        if (length > kMaxRecordLength || data.size() - offset < length) {
            return kReplyMalformed;
        }
        records[i] = {offset, length};
        offset += length;
    }
    out.m_bytes.assign(data.begin(), data.begin() + static_cast<ptrdiff_t>(offset));
    out.m_records = std::move(records);
    return 0;
}
