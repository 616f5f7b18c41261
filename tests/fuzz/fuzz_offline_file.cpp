// An offline update file of any bytes: the reader must refuse it or hand out exactly the
// firmware and image its header promises, every read whole.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "update/offline_file.h"

namespace {

void ReadAll(OfflineFileReader& reader, uint64_t length, size_t piece) {
    std::vector<uint8_t> buffer(piece);
    for (uint64_t done = 0; done < length; done += piece) {
        size_t size = length - done < piece ? static_cast<size_t>(length - done) : piece;
        if (!reader.Read(std::span(buffer).first(size))) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
    if (file == nullptr) {
        return 0;
    }
    OfflineFileReader reader(file);
    if (reader.Open() == OfflineFileCheck::kValid) {
        uint64_t firmware = reader.header().firmwareLength;
        if (kOfflineHeaderSize + firmware + reader.ImageLength() != size) {
            std::abort();
        }
        ReadAll(reader, firmware, 1024);
        ReadAll(reader, reader.ImageLength(), 2048);
        uint8_t beyond = 0;
        if (reader.Read(std::span(&beyond, 1))) {
            std::abort();
        }
    }
    std::fclose(file);
    return 0;
}
