#include "update/server_bytes.h"

#include <algorithm>
#include <cstring>

bool PutU32LE(std::span<uint8_t> buffer, size_t& position, uint32_t value) {
    if (position > buffer.size() || buffer.size() - position < 4) {
        return false;
    }
    PutU32(buffer.subspan(position).first<4>(), value);
    position += 4;
    return true;
}

bool AppendBytes(std::span<uint8_t> buffer, size_t& position, std::span<const uint8_t> bytes) {
    if (position > buffer.size() || buffer.size() - position < bytes.size()) {
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), buffer.begin() + static_cast<ptrdiff_t>(position));
    position += bytes.size();
    return true;
}

std::optional<uint32_t> ReadU32LE(size_t offset, std::span<const uint8_t> buffer) {
    if (offset > buffer.size() || buffer.size() - offset < 4) {
        return std::nullopt;
    }
    return GetU32(buffer.subspan(offset).first<4>());
}

void PutU32(std::span<uint8_t, 4> buffer, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        buffer[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint32_t GetU32(std::span<const uint8_t, 4> buffer) {
    return static_cast<uint32_t>(buffer[0]) | static_cast<uint32_t>(buffer[1]) << 8 |
           static_cast<uint32_t>(buffer[2]) << 16 | static_cast<uint32_t>(buffer[3]) << 24;
}

void XorWithKey(std::span<uint8_t> data, const ReplyKey& key) {
    // A megabyte chunk is scrambled on both ends of every request: whole rounds of the key go
    // a word at a time.
    uint64_t low = 0;
    uint64_t high = 0;
    std::memcpy(&low, key.data(), 8);
    std::memcpy(&high, key.data() + 8, 8);
    size_t whole = data.size() - data.size() % key.size();
    uint8_t* bytes = data.data();
    for (size_t round = 0; round < whole; round += key.size()) {
        uint64_t words[2];
        std::memcpy(words, bytes + round, 16);
        words[0] ^= low;
        words[1] ^= high;
        std::memcpy(bytes + round, words, 16);
    }
    for (size_t i = whole; i < data.size(); ++i) {
        bytes[i] ^= key[i - whole];
    }
}
