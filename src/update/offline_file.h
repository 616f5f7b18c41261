#pragma once
// The offline update file ("*.tqf"): a 64-byte header, the firmware, then the data image to
// the end of the file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

#include "link/usb_comm.h"

inline constexpr size_t kOfflineHeaderSize = 64;
using OfflineHeaderBytes = std::array<uint8_t, kOfflineHeaderSize>;

struct OfflineHeader {
    std::array<uint8_t, 5> version{};
    std::array<uint8_t, 10> serial{};
    uint32_t firmwareLength = 0;
};

OfflineHeaderBytes BuildOfflineHeader(const OfflineHeader& header);
// What the file holds until everything else is written; no reader takes it for a file.
OfflineHeaderBytes ProvisionalOfflineHeader();

// Only the first four serial bytes tell machines apart.
bool SerialMatches(const OfflineHeader& header, const DeviceString& machineSerial);

enum class OfflineFileCheck {
    kValid,
    kNotOfflineFile,  // unreadable, or not "23" at its start
    kDamaged,         // the header or the firmware reaches past the end of the file
};

// Reads a file from its start: the header, checked against the file's length, then the
// firmware and the image in whole pieces. The file is not owned.
class OfflineFileReader {
  public:
    explicit OfflineFileReader(std::FILE* file) : m_file(file) {}

    OfflineFileCheck Open();
    const OfflineHeader& header() const { return m_header; }
    uint64_t ImageLength() const { return m_imageLength; }
    // Exactly out.size() bytes, or false.
    bool Read(std::span<uint8_t> out);

  private:
    std::FILE* m_file;
    OfflineHeader m_header;
    uint64_t m_imageLength = 0;
};
