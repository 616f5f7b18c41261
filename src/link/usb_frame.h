#pragma once
// The frame that carries every command and reply on the USB link (little-endian):
// T (u16, the whole frame), n (u16, the payload), the payload, and the XOR of all bytes
// before the check byte.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct UsbFrame {
    static constexpr size_t kMaxLength = 5000;
    static constexpr size_t kOverhead = 5;
    static constexpr size_t kMaxPayload = kMaxLength - kOverhead;

    static uint8_t CheckByte(std::span<const uint8_t> bytes);
    // T, the inner part as given (n and the payload, encrypted or not) and the check byte.
    static std::vector<uint8_t> Wrap(std::span<const uint8_t> inner);
};

using DesKey = std::span<const uint8_t, 8>;

// DES (FIPS 46-3) in ECB mode; data's length is a multiple of 8.
void DesEcbEncrypt(DesKey key, std::span<uint8_t> data);

// Little-endian numbers in request and reply payloads.
inline void AppendU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}
inline void AppendU16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
inline uint16_t ReadU16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}
