#include <gtest/gtest.h>

#include <filesystem>

#include "model/key_transfer.h"
#include "model/model_fixture.h"
#include "model/record_builder.h"
#include "platform/profile/profile.h"

namespace {

using test::Ids;
using test::MakeRecord;

class KeyTransfer : public test::ModelTest {
  protected:
    std::wstring Path(const std::string& name) const {
        return program_.wide() + std::wstring(name.begin(), name.end());
    }
    CKeyTransfer transfer_;
};

TEST_F(KeyTransfer, ExportWritesEveryRecordDeletedOnesIncluded) {
    g_KeyData = {MakeRecord(-101, "A"), MakeRecord(-102, "B", 100, KeyStatusDeleted)};
    EXPECT_EQ(transfer_.ExportKeyData(Path("keys.u")), 0);  // no "KeyData.u" yet
    EXPECT_FALSE(std::filesystem::exists(File("keys.u")));

    SaveKeyData(g_KeyData);
    WriteRecords("keys.u", {MakeRecord(-300, "old")});
    EXPECT_EQ(transfer_.ExportKeyData(Path("keys.u")), 1);
    KeyDataList exported = ReadRecords("keys.u");
    EXPECT_EQ(Ids(exported), (std::vector<int>{-101, -102}));
    EXPECT_EQ(exported[1].params.status, KeyStatusDeleted);
    EXPECT_FALSE(std::filesystem::exists(File("keys.u_bak")));

    EXPECT_EQ(transfer_.ExportKeyData(Path("missing-folder/keys.u")), 0);
}

TEST_F(KeyTransfer, ImportAcceptsOnlyLiveUserKeysWithSaneDepths) {
    KeyDataRecord reserved = MakeRecord(-108, "reserved");
    reserved.reserved1 = 1;
    KeyDataRecord reserved3 = MakeRecord(-109, "reserved3");
    reserved3.params.reserved3 = 1;
    WriteRecords("in.u", {
                             MakeRecord(-100, "factory"),
                             MakeRecord(-101, "depth40", 40),
                             MakeRecord(-102, "depth41", 41),
                             MakeRecord(-103, "depth999", 999),
                             MakeRecord(-104, "depth1000", 1000),
                             MakeRecord(-105, "deleted", 100, KeyStatusDeleted),
                             reserved,
                             reserved3,
                         });
    ImportOutcome outcome = transfer_.ImportKeyFile(Path("in.u"));
    EXPECT_EQ(outcome.imported, 2);
    ASSERT_EQ(g_KeyData.size(), 2u);
    EXPECT_STREQ(g_KeyData[0].keyName, "depth41");
    EXPECT_STREQ(g_KeyData[1].keyName, "depth999");
}

TEST_F(KeyTransfer, ImportGivesNewIdsAndSkipsNamesAlreadyThere) {
    g_KeyData = {MakeRecord(-101, "gone", 100, KeyStatusDeleted)};
    platform::WriteProfileString(Config(), L"key", L"ID", L"-105");
    KeyDataRecord first = MakeRecord(-101, "first");
    first.makerId = 42;
    first.blankCount = 0;
    WriteRecords("in.u", {first, MakeRecord(-150, "gone"), MakeRecord(-160, "second"),
                          MakeRecord(-170, "first")});
    transfer_.ImportKeyFile(Path("in.u"));

    EXPECT_EQ(Ids(g_KeyData), (std::vector<int>{-101, -106, -107}));
    EXPECT_EQ(Ids(ReadRecords("KeyData.u")), (std::vector<int>{-101, -106, -107}));
    EXPECT_EQ(g_KeyData[1].makerId, 42u);
    for (int i : {1, 2}) {
        for (const KeyBlankEntry& blank : g_KeyData[i].blanks) {
            EXPECT_EQ(static_cast<int32_t>(blank.keyId), g_KeyData[i].keyId);
        }
    }
    EXPECT_EQ(platform::ReadProfileInt(Config(), L"key", L"ID", 0), -107);
}

TEST_F(KeyTransfer, ImportOfAMissingFileChangesNothingAndOfAShortOneStillSaves) {
    transfer_.ImportKeyFile(Path("none.u"));
    EXPECT_FALSE(std::filesystem::exists(File("KeyData.u")));

    WriteFile("short.u", std::vector<uint8_t>(819, 0));
    transfer_.ImportKeyFile(Path("short.u"));
    EXPECT_TRUE(std::filesystem::exists(File("KeyData.u")));
    EXPECT_TRUE(g_KeyData.empty());
}

TEST_F(KeyTransfer, ImportStopsWhenIdsRunOut) {
    platform::WriteProfileString(Config(), L"key", L"ID", L"-32767");
    WriteRecords("in.u", {MakeRecord(-101, "a"), MakeRecord(-102, "b")});
    ImportOutcome outcome = transfer_.ImportKeyFile(Path("in.u"));
    EXPECT_EQ(outcome.imported, 1);
    EXPECT_TRUE(outcome.outOfIds);
    EXPECT_EQ(Ids(ReadRecords("KeyData.u")), (std::vector<int>{-32768}));
}

}  // namespace
