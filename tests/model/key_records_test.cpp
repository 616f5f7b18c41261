#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/key_files.h"
#include "model/record_builder.h"

namespace {

template <typename T>
std::vector<uint8_t> Bytes(const T& value) {
    std::vector<uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

void Put32(std::vector<uint8_t>& image, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        image[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

TEST(KeyRecords, RecordImageMatchesHandBuiltBytes) {
    std::vector<uint8_t> image(820, 0);
    std::memcpy(&image[0], "AB_U", 4);
    image[16] = 0x9B;  // id -101
    image[17] = 0xFF;
    Put32(image, 36 + 0, 0xFFFFFFFF);     // status
    image[36 + 80] = 2;                   // groupCount
    image[36 + 82] = 1;                   // clampType
    image[36 + 89] = 1;                   // edgeSide
    Put32(image, 36 + 112, 300);          // depths[0]
    Put32(image, 36 + 368 + 4, 450);      // spaces[1]
    image[36 + 632 + 1] = 7;              // cutsPerGroup[1]
    Put32(image, 36 + 656, 9);            // keyType
    std::memcpy(&image[724], "Audi", 4);  // makerName
    Put32(image, 744, 12);                // makerId
    image[768] = 2;                       // blankCount
    Put32(image, 772, 0xFFFFFF9B);        // blanks[0].keyId
    image[772 + 6] = 1;                   // blanks[0].finished
    image[796 + 4] = 1;                   // blanks[1].side
    image[796 + 10] = 0x34;               // blanks[1].offsetB
    image[796 + 11] = 0x12;

    KeyDataList records = ParseRecords(image);
    ASSERT_EQ(records.size(), 1u);
    const KeyDataRecord& r = records[0];
    EXPECT_STREQ(r.keyName, "AB_U");
    EXPECT_EQ(r.keyId, -101);
    EXPECT_EQ(r.params.status, KeyStatusLive);
    EXPECT_EQ(r.params.groupCount, 2);
    EXPECT_EQ(r.params.clampType, 1);
    EXPECT_EQ(r.params.edgeSide, 1);
    EXPECT_EQ(r.params.depths[0], 300);
    EXPECT_EQ(r.params.spaces[1], 450);
    EXPECT_EQ(r.params.cutsPerGroup[1], 7);
    EXPECT_EQ(r.params.keyType, KeyTypeChannelTrack);
    EXPECT_STREQ(r.makerName, "Audi");
    EXPECT_EQ(r.makerId, 12u);
    EXPECT_EQ(r.blankCount, 2);
    EXPECT_EQ(r.blanks[0].keyId, 0xFFFFFF9Bu);
    EXPECT_EQ(r.blanks[0].finished, 1);
    EXPECT_EQ(r.blanks[1].side, 1);
    EXPECT_EQ(r.blanks[1].offsetB, 0x1234);

    std::span<const uint8_t> saved = RecordBytes(records);
    EXPECT_EQ(std::vector<uint8_t>(saved.begin(), saved.end()), image);
}

TEST(KeyRecords, BlankIdOfAUserKeyIsSignExtended) {
    KeyDataRecord record = test::MakeRecord(-101, "K");
    std::vector<uint8_t> bytes = Bytes(record.blanks[0]);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4),
              (std::vector<uint8_t>{0x9B, 0xFF, 0xFF, 0xFF}));
}

TEST(KeyRecords, TrailingPartialRecordIsIgnored) {
    std::vector<uint8_t> bytes(820 * 2 + 500, 0x11);
    EXPECT_EQ(ParseRecords(bytes).size(), 2u);
    EXPECT_TRUE(ParseRecords(std::vector<uint8_t>(819)).empty());
    EXPECT_TRUE(ParseRecords({}).empty());
}

}  // namespace
