#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/key_files.h"

namespace {

void Put32(std::vector<uint8_t>& image, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        image[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// The offsets are pinned where the records are declared; these bytes pin the widths, the
// signedness and the byte order of a field in each part of the record.
TEST(KeyRecords, RecordImageMatchesHandBuiltBytes) {
    std::vector<uint8_t> image(820, 0);
    std::memcpy(&image[0], "AB_U", 4);
    image[16] = 0x9B;  // id -101
    image[17] = 0xFF;
    Put32(image, 36 + 0, 0xFFFFFFFF);  // status
    Put32(image, 36 + 368 + 4, 450);   // spaces[1]
    image[36 + 632 + 1] = 7;           // cutsPerGroup[1]
    Put32(image, 744, 12);             // makerId
    image[796 + 10] = 0x34;            // blanks[1].offsetB
    image[796 + 11] = 0x12;

    KeyDataList records = ParseRecords(image);
    ASSERT_EQ(records.size(), 1u);
    const KeyDataRecord& r = records[0];
    EXPECT_STREQ(r.keyName, "AB_U");
    EXPECT_EQ(r.keyId, -101);
    EXPECT_EQ(r.params.status, KeyStatusLive);
    EXPECT_EQ(r.params.spaces[1], 450);
    EXPECT_EQ(r.params.cutsPerGroup[1], 7);
    EXPECT_EQ(r.makerId, 12u);
    EXPECT_EQ(r.blanks[1].offsetB, 0x1234);

    std::span<const uint8_t> saved = RecordBytes(records);
    EXPECT_EQ(std::vector<uint8_t>(saved.begin(), saved.end()), image);
}

TEST(KeyRecords, TrailingPartialRecordIsIgnored) {
    std::vector<uint8_t> bytes(820 * 2 + 500, 0x11);
    EXPECT_EQ(ParseRecords(bytes).size(), 2u);
    EXPECT_TRUE(ParseRecords(std::vector<uint8_t>(819)).empty());
    EXPECT_TRUE(ParseRecords({}).empty());
}

}  // namespace
