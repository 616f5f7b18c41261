#include "wizard/key_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "wizard/wizard_kit.h"

namespace {

using test::DefinedPages;
using test::PassAllSteps;

// A record image written byte by byte at the offsets of the file format.
class Image {
  public:
    Image() : m_bytes(sizeof(KeyDataRecord), 0) {}
    Image& Int(size_t offset, int64_t value, int width) {
        for (int i = 0; i < width; ++i) {
            m_bytes[offset + i] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
        }
        return *this;
    }
    Image& Bytes(size_t offset, std::initializer_list<int> bytes) {
        for (int byte : bytes) {
            m_bytes[offset++] = static_cast<uint8_t>(byte);
        }
        return *this;
    }
    Image& Text(size_t offset, const char* text) {
        std::memcpy(&m_bytes[offset], text, std::strlen(text));
        return *this;
    }
    void ExpectEqual(const KeyDataRecord& record) const {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
        for (size_t i = 0; i < m_bytes.size(); ++i) {
            EXPECT_EQ(bytes[i], m_bytes[i]) << "offset " << i;
        }
    }

  private:
    std::vector<uint8_t> m_bytes;
};

constexpr size_t P = 36;  // the parameter block within the record

TEST(KeyRecord, FinishedFourTrackKeyByteForByte) {
    WizardInputs inputs = DefinedPages(4, 0, 1, true);
    KeyDataRecord record = BuildFinishedRecord(inputs, PassAllSteps(inputs, {}), -101);
    Image image;
    image.Text(0, "AB12_U").Int(16, -101, 2);
    image.Int(P + 0, -1, 4).Int(P + 4, -1, 4).Int(P + 8, -1, 4).Int(P + 12, -1, 4);
    image.Bytes(P + 16, {120, 80, 40}).Text(P + 48, "AB12_U");
    image.Bytes(P + 80, {1, 0, 2, 1, 1}).Bytes(P + 88, {1, 0});
    image.Int(P + 92, 2, 4).Int(P + 96, 3, 4).Int(P + 100, 3, 4).Int(P + 104, 100, 4);
    image.Int(P + 108, 1000, 4).Int(P + 112, 450, 4).Int(P + 116, 300, 4).Int(P + 120, 100, 4);
    image.Text(P + 240, "123");
    image.Int(P + 368, 1200, 4).Int(P + 372, 800, 4).Int(P + 376, 400, 4).Text(P + 496, "123");
    image.Int(P + 560, 150, 2).Int(P + 562, 150, 2);
    image.Bytes(P + 632, {3}).Bytes(P + 640, {2}).Bytes(P + 648, {3});
    image.Int(P + 656, 4, 4).Int(P + 660, 2500, 4).Int(P + 664, 300, 4).Text(P + 672, "X5");
    image.Text(724, "Audi").Int(744, 7, 4).Text(748, "X5").Bytes(768, {2});
    // Both clamp entries: half of width 1000 less 300.
    image.Bytes(772, {0x9B, 0xFF, 0xFF, 0xFF, 0, 0, 1, 0}).Int(780, 350, 2);
    image.Bytes(796, {0x9B, 0xFF, 0xFF, 0xFF, 1, 0, 1, 0}).Int(804, 350, 2);
    image.ExpectEqual(record);
    // A Dimple key with clamp entries marks its first two words only.
    inputs = DefinedPages(8, 0, 0, true);
    record = BuildFinishedRecord(inputs, PassAllSteps(inputs, {}), -101);
    EXPECT_EQ(record.params.dimpleMarks[1], -2);
    EXPECT_EQ(record.params.dimpleMarks[2], 0);
    // Two sides of different counts lie A, A, B, B: each written pass is sorted by itself.
    inputs = DefinedPages(8, 1, 1, true);
    record = BuildFinishedRecord(inputs, PassAllSteps(inputs, {}), -101);
    const int spaces[] = {1200, 800, 400, 1200, 800, 400, 900, 500, 900, 500};
    EXPECT_TRUE(std::equal(std::begin(spaces), std::end(spaces), record.params.spaces));
    EXPECT_EQ(record.params.flats[6], 90);
}

TEST(KeyRecord, UnfinishedDimpleTrackKeyByteForByte) {
    WizardInputs inputs = DefinedPages(7, 0, 0, false);
    inputs.makerName = L"BMW";
    inputs.makerId = 3;
    KeyDataRecord record = BuildUnfinishedRecord(inputs, PassAllSteps(inputs, {}), L"CD", -102);
    Image image;
    image.Text(0, "CD_U").Int(16, -102, 2);
    // Flats move with their spaces: side A twice, then side B, each sorted up.
    image.Bytes(P + 16, {40, 80, 120, 40, 80, 120, 50, 90}).Text(P + 48, "CD_U");
    image.Bytes(P + 80, {3, 0, 1, 0, 3}).Bytes(P + 88, {0, 0}).Int(P + 90, 200, 2);
    image.Int(P + 92, 0, 4).Int(P + 96, 8, 4).Int(P + 100, 8, 4).Int(P + 104, 100, 4);
    image.Int(P + 108, 1000, 4);
    const int depths[] = {450, 300, 100, 450, 300, 100, 420, 310};
    const int spaces[] = {400, 800, 1200, 400, 800, 1200, 500, 900};
    for (int i = 0; i < 8; ++i) {
        image.Int(P + 112 + 4 * i, depths[i], 4).Int(P + 368 + 4 * i, spaces[i], 4);
    }
    image.Text(P + 240, "12312312").Text(P + 496, "12312312");
    image.Int(P + 560, 150, 2).Int(P + 562, 150, 2);
    image.Bytes(P + 632, {3, 3, 2}).Bytes(P + 640, {2, 2, 2}).Bytes(P + 648, {3, 3, 2});
    image.Int(P + 656, 7, 4).Int(P + 660, 2500, 4).Int(P + 664, 300, 4);
    image.Text(724, "BMW").Int(744, 3, 4).Bytes(768, {2});
    // Side A from "EditUI7", side B from "EditUI8"; no owner, not finished.
    image.Int(780, 70, 2).Bytes(796, {0, 0, 0, 0, 1, 0, 0, 0}).Int(804, 60, 2);
    image.ExpectEqual(record);
}

TEST(KeyRecord, FinishTestsOfNameAndModel) {
    struct Case {
        const wchar_t* name;
        const wchar_t* model;
        int message;
        WizardEdit focus;
    };
    const Case cases[] = {
        {L"", L"", 236, kEditModel},
        {L"A\u00e9", L"", 238, kEditName},
        {L"", L"X\u00e9", 238, kEditModel},
        {L"ABCDEFGHIJKLM", L"ABCDEFGHIJKLMNO", 0, kNoEdit},
        {L"ABCDEFGHIJKLMN", L"X5", 261, kEditName},
        {L"AB", L"ABCDEFGHIJKLMNOP", 261, kEditModel},
        {L"CD", L"X5", 240, kNoEdit},
    };
    KeyDataList finished(2);
    std::strcpy(finished[1].keyName, "CD_U");  // a deleted key's name stays taken
    finished[1].keyId = -105;
    for (const Case& c : cases) {
        WizardInputs inputs;
        inputs.edits[kEditName].text = c.name;
        inputs.edits[kEditModel].text = c.model;
        StepResult result = CheckFinish(inputs, {}, finished);
        EXPECT_EQ(result.messageId, c.message) << c.name;
        EXPECT_EQ(result.focus, c.focus) << c.name;
    }
    WizardInputs editing;
    editing.edits[kEditName].text = L"CD";
    editing.edits[kEditModel].text = L"X5";
    editing.editMode = true;
    editing.editRecord.keyId = -105;
    EXPECT_TRUE(CheckFinish(editing, {}, finished).Passed());

    EXPECT_EQ(CheckUnfinishedName(L"", {}).messageId, 236);
    // Codes above 127 only, beyond 16 bits too.
    for (const wchar_t* name : {L"\u94a5", L"\x80", L"\U00010041"}) {
        EXPECT_EQ(CheckUnfinishedName(name, {}).messageId, 238);
    }
    EXPECT_TRUE(CheckUnfinishedName(L"U6_-.9 !~\x7f", {}).Passed());
    EXPECT_EQ(CheckUnfinishedName(L"ABCDEFGHIJKLMN", {}).messageId, 261);
    EXPECT_EQ(TypedKeyName(L"HU66"), L"HU66");
    EXPECT_EQ(TypedKeyName(L"HU66_U"), L"HU66");
}

}  // namespace
