#pragma once
// Fresh GUIDs in place of CoCreateGuid.

#include <array>
#include <cstdint>

namespace platform {

// The 16 bytes of a new random GUID in the memory order of the Windows GUID structure
// (Data1, Data2 and Data3 little-endian, then Data4).
std::array<uint8_t, 16> NewGuid();

}  // namespace platform
