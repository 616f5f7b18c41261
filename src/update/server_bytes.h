#pragma once
// Byte fields of the server blocks: little-endian words and byte runs, always checked
// against the end of the buffer they go into or come from.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

using ReplyKey = std::array<uint8_t, 16>;

// Write at position and advance it; when the field does not fit, nothing is written and
// the position stays, so that the caller's length check notices.
bool PutU32LE(std::span<uint8_t> buffer, size_t& position, uint32_t value);
bool AppendBytes(std::span<uint8_t> buffer, size_t& position, std::span<const uint8_t> bytes);

// nullopt when the word reaches past the end of buffer.
std::optional<uint32_t> ReadU32LE(size_t offset, std::span<const uint8_t> buffer);

// A 32-bit value in a 4-byte item, as the server reads it.
void PutU32(std::span<uint8_t, 4> buffer, uint32_t value);
uint32_t GetU32(std::span<const uint8_t, 4> buffer);

// Each byte XORed with the key byte at its position modulo 16, counted from data[0].
void XorWithKey(std::span<uint8_t> data, const ReplyKey& key);
