#include "link/usb_frame.h"

#include <nettle/des.h>

uint8_t UsbFrame::CheckByte(std::span<const uint8_t> bytes) {
    uint8_t check = 0;
    for (uint8_t byte : bytes) {
        check ^= byte;
    }
    return check;
}

std::vector<uint8_t> UsbFrame::Wrap(std::span<const uint8_t> inner) {
    std::vector<uint8_t> frame;
    frame.reserve(inner.size() + 3);
    AppendU16(frame, static_cast<uint16_t>(inner.size() + 3));
    frame.insert(frame.end(), inner.begin(), inner.end());
    frame.push_back(CheckByte(frame));
    return frame;
}

void DesEcbEncrypt(DesKey key, std::span<uint8_t> data) {
    des_ctx context;
    // A weak key still yields its key schedule; the machine decides which keys it takes.
    des_set_key(&context, key.data());
    des_encrypt(&context, data.size(), data.data(), data.data());
}
