#include "update/server_bytes.h"

#include <gtest/gtest.h>

#include <vector>

#include "update/server_blocks.h"

namespace {

TEST(ServerBytes, FieldsThatDoNotFitAreNotWritten) {
    std::vector<uint8_t> buffer(6, 0xEE);
    size_t position = 0;
    EXPECT_TRUE(PutU32LE(buffer, position, 0x04030201));
    EXPECT_EQ(position, 4u);
    EXPECT_FALSE(PutU32LE(buffer, position, 0xFFFFFFFF));
    const std::vector<uint8_t> three{7, 8, 9};
    EXPECT_FALSE(AppendBytes(buffer, position, three));
    EXPECT_EQ(position, 4u);
    EXPECT_EQ(buffer, (std::vector<uint8_t>{1, 2, 3, 4, 0xEE, 0xEE}));
    size_t past = 9;
    EXPECT_FALSE(AppendBytes(buffer, past, {}));
}

TEST(ServerBytes, WordsAreReadLittleEndianWithinTheBuffer) {
    const std::vector<uint8_t> bytes{0x78, 0x56, 0x34, 0x12, 0xFF};
    EXPECT_EQ(ReadU32LE(0, bytes), 0x12345678u);
    EXPECT_EQ(ReadU32LE(1, bytes), 0xFF123456u);
    EXPECT_FALSE(ReadU32LE(2, bytes));
    EXPECT_FALSE(ReadU32LE(SIZE_MAX - 1, bytes));
}

TEST(ServerBytes, KeyRepeatsEverySixteenBytes) {
    ReplyKey key{};
    for (size_t i = 0; i < key.size(); ++i) {
        key[i] = static_cast<uint8_t>(0x10 + i);
    }
    std::vector<uint8_t> data(18, 0);
    XorWithKey(data, key);
    EXPECT_EQ(data[0], 0x10);
    EXPECT_EQ(data[15], 0x1F);
    EXPECT_EQ(data[16], 0x10);
    EXPECT_EQ(data[17], 0x11);
}

TEST(ServerReplyParse, TableOrRecordsBeyondTheBytesAreMalformed) {
    ServerReplyBlock reply;
    // 13 bytes declaring 2 records: the length table alone would need 16.
    std::vector<uint8_t> shortTable{13, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 0};
    EXPECT_EQ(ParseServerReply(shortTable, reply), kReplyMalformed);
    // One record of 5 bytes with only 4 behind the table.
    std::vector<uint8_t> shortRecord{16, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0, 1, 2, 3, 4};
    EXPECT_EQ(ParseServerReply(shortRecord, reply), kReplyMalformed);
    EXPECT_EQ(reply.Count(), 0u);
    std::vector<uint8_t> exact{17, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0, 1, 2, 3, 4, 5};
    ASSERT_EQ(ParseServerReply(exact, reply), 0);
    ASSERT_EQ(reply.Count(), 1u);
    EXPECT_EQ(std::vector<uint8_t>(reply.Record(0).begin(), reply.Record(0).end()),
              (std::vector<uint8_t>{1, 2, 3, 4, 5}));
}

}  // namespace
