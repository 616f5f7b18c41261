// What the client makes of the bytes a server sends: the first 16 bytes are the attempt's
// key, the rest what arrived. Any bytes must parse or be refused without a fault, and a
// parsed reply must keep within its buffers.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "support/temp_folder.h"
#include "update/server_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static test::TempFolder folder;
    static test::ScopedProgramFolder programFolder(folder);
    ReplyKey key{};
    size_t keyBytes = size < key.size() ? size : key.size();
    std::memcpy(key.data(), data, keyBytes);
    std::vector<uint8_t> received(data + keyBytes, data + size);
    XorWithKey(received, key);
    ServerReplyBlock reply;
    if (ParseServerReply(received, reply) != 0) {
        return 0;
    }
    size_t total = 0;
    for (size_t i = 0; i < reply.Count(); ++i) {
        total += reply.Record(i).size();
        if (reply.Record(i).size() > kMaxRecordLength) {
            std::abort();
        }
    }
    if (reply.Count() > kMaxReplyRecords || 8 + 4 * reply.Count() + total > received.size()) {
        std::abort();
    }
    return 0;
}
