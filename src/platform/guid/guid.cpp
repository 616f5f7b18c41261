#include "platform/guid/guid.h"

#include <uuid/uuid.h>

#include <algorithm>

namespace platform {

std::array<uint8_t, 16> NewGuid() {
    uuid_t id;
    uuid_generate_random(id);
    std::array<uint8_t, 16> bytes;
    std::copy(id, id + 16, bytes.begin());
    // libuuid gives the fields big-endian; the Windows structure holds them little-endian.
    std::reverse(bytes.begin(), bytes.begin() + 4);
    std::reverse(bytes.begin() + 4, bytes.begin() + 6);
    std::reverse(bytes.begin() + 6, bytes.begin() + 8);
    return bytes;
}

}  // namespace platform
