#include "update/offline_file.h"

#include <algorithm>
#include <cstring>

#include "update/server_bytes.h"

namespace {

constexpr uint8_t kMagic[2] = {'2', '3'};
constexpr size_t kVersionAt = 2;
constexpr size_t kSerialAt = 7;
constexpr size_t kFillAt = 17;
constexpr size_t kFillLength = 15;
constexpr size_t kMarkAt = 33;
constexpr uint8_t kMark = 0x40;
constexpr size_t kLengthAt = 36;
constexpr size_t kComparedSerialBytes = 4;

}  // namespace

OfflineHeaderBytes BuildOfflineHeader(const OfflineHeader& header) {
    OfflineHeaderBytes bytes{};
    std::copy(std::begin(kMagic), std::end(kMagic), bytes.begin());
    std::copy(header.version.begin(), header.version.end(), bytes.begin() + kVersionAt);
    std::copy(header.serial.begin(), header.serial.end(), bytes.begin() + kSerialAt);
    std::fill_n(bytes.begin() + kFillAt, kFillLength, uint8_t{0xFF});
    bytes[kMarkAt] = kMark;
    PutU32(std::span<uint8_t, 4>(bytes.data() + kLengthAt, 4), header.firmwareLength);
    return bytes;
}

OfflineHeaderBytes ProvisionalOfflineHeader() {
    OfflineHeaderBytes bytes{};
    bytes[0] = 0xFF;
    return bytes;
}

bool SerialMatches(const OfflineHeader& header, const DeviceString& machineSerial) {
    return std::memcmp(header.serial.data(), machineSerial.data(), kComparedSerialBytes) == 0;
}

OfflineFileCheck OfflineFileReader::Open() {
    if (std::fseek(m_file, 0, SEEK_END) != 0) {
        return OfflineFileCheck::kNotOfflineFile;
    }
    long end = std::ftell(m_file);
    if (end < 0 || std::fseek(m_file, 0, SEEK_SET) != 0) {
        return OfflineFileCheck::kNotOfflineFile;
    }
    auto length = static_cast<uint64_t>(end);
    OfflineHeaderBytes bytes{};
    if (length < sizeof kMagic || !Read(std::span(bytes).first(sizeof kMagic)) ||
        !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin())) {
        return OfflineFileCheck::kNotOfflineFile;
    }
    if (length < kOfflineHeaderSize || !Read(std::span(bytes).subspan(sizeof kMagic))) {
        return OfflineFileCheck::kDamaged;
    }
    std::copy_n(bytes.begin() + kVersionAt, m_header.version.size(), m_header.version.begin());
    std::copy_n(bytes.begin() + kSerialAt, m_header.serial.size(), m_header.serial.begin());
    m_header.firmwareLength = GetU32(std::span<const uint8_t, 4>(bytes.data() + kLengthAt, 4));
    uint64_t content = length - kOfflineHeaderSize;
    if (m_header.firmwareLength > content) {
        return OfflineFileCheck::kDamaged;
    }
    m_imageLength = content - m_header.firmwareLength;
    return OfflineFileCheck::kValid;
}

bool OfflineFileReader::Read(std::span<uint8_t> out) {
    return std::fread(out.data(), 1, out.size(), m_file) == out.size();
}
