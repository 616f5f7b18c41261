// Drawing an imported key: any parameter block and any bitting must draw without a fault. The
// first 688 bytes are the block (zero-padded), the rest the bitting; the key type is taken
// modulo 10 so that every drawer is reached often.

#include <cstdint>
#include <cstring>
#include <vector>

#include "draw/key_drawer.h"
#include "platform/gdi/recording_canvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    KeyParams key;
    std::memset(&key, 0, sizeof key);
    const size_t head = size < sizeof key ? size : sizeof key;
    std::memcpy(&key, data, head);
    key.keyType = static_cast<int32_t>(static_cast<uint32_t>(key.keyType) % 10);
    std::vector<int32_t> bitting((size - head) / sizeof(int32_t));
    if (!bitting.empty()) {
        std::memcpy(bitting.data(), data + head, bitting.size() * sizeof(int32_t));
    }
    platform::RecordingCanvas canvas;
    CKeyDrawer(canvas).DrawKey(key, bitting);
    return 0;
}
