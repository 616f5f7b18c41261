#include <gtest/gtest.h>

#include <filesystem>

#include "model/key_exchange.h"
#include "model/model_fixture.h"
#include "model/record_builder.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"

namespace {

using test::Ids;
using test::MakeRecord;

class KeyExchange : public test::ModelTest {
  protected:
    std::wstring Path(const std::string& name) const {
        return program_.wide() + std::wstring(name.begin(), name.end());
    }
};

TEST_F(KeyExchange, ExportWritesEveryRecordDeletedOnesIncluded) {
    g_KeyData = {MakeRecord(-101, "A"), MakeRecord(-102, "B", 100, KeyStatusDeleted)};
    EXPECT_FALSE(ExportFinishedKeys(Path("keys.u")));  // no "KeyData.u" yet
    EXPECT_FALSE(std::filesystem::exists(File("keys.u")));

    SaveKeyData(g_KeyData);
    WriteRecords("keys.u", {MakeRecord(-300, "old")});
    EXPECT_TRUE(ExportFinishedKeys(Path("keys.u")));
    KeyDataList exported = ReadRecords("keys.u");
    EXPECT_EQ(Ids(exported), (std::vector<int>{-101, -102}));
    EXPECT_EQ(exported[1].params.status, KeyStatusDeleted);
    EXPECT_FALSE(std::filesystem::exists(File("keys.u_bak")));

    EXPECT_FALSE(ExportFinishedKeys(Path("missing-folder/keys.u")));
}

TEST_F(KeyExchange, ImportAcceptsOnlyLiveUserKeysWithSaneDepths) {
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
    ImportOutcome outcome = ImportFinishedKeys(Path("in.u"));
    EXPECT_EQ(outcome.imported, 2);
    ASSERT_EQ(g_KeyData.size(), 2u);
    EXPECT_STREQ(g_KeyData[0].keyName, "depth41");
    EXPECT_STREQ(g_KeyData[1].keyName, "depth999");
}

TEST_F(KeyExchange, ImportGivesNewIdsAndSkipsNamesAlreadyThere) {
    g_KeyData = {MakeRecord(-101, "gone", 100, KeyStatusDeleted)};
    platform::WriteProfileString(Config(), L"key", L"ID", L"-105");
    KeyDataRecord first = MakeRecord(-101, "first");
    first.makerId = 42;
    first.blankCount = 0;
    WriteRecords("in.u", {first, MakeRecord(-150, "gone"), MakeRecord(-160, "second"),
                          MakeRecord(-170, "first")});
    ImportFinishedKeys(Path("in.u"));

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

TEST_F(KeyExchange, NamesDifferingOnlyInBytesThatCp1252LeavesUnassignedAreDistinct) {
    platform::SetAnsiCodePage(1252);
    KeyDataList file;
    for (const char* name : {"K\x81", "K\x8D", "K\x8F", "K\x90", "K\x9D"}) {
        file.push_back(MakeRecord(-101, name));
    }
    WriteRecords("in.u", file);
    EXPECT_EQ(ImportFinishedKeys(Path("in.u")).imported, 5);
    platform::SetAnsiCodePage(0);
}

TEST_F(KeyExchange, ImportOfAMissingFileChangesNothingAndOfAShortOrHugeOneStillSaves) {
    ImportFinishedKeys(Path("none.u"));
    EXPECT_FALSE(std::filesystem::exists(File("KeyData.u")));

    WriteFile("short.u", std::vector<uint8_t>(819, 0));
    ImportFinishedKeys(Path("short.u"));
    EXPECT_TRUE(std::filesystem::exists(File("KeyData.u")));
    EXPECT_TRUE(g_KeyData.empty());

    // One larger than any key file is read no more than an unreadable one.
    WriteRecords("huge.u", {MakeRecord(-101, "a")});
    std::filesystem::resize_file(File("huge.u"), uintmax_t{2} << 40);
    ImportFinishedKeys(Path("huge.u"));
    EXPECT_TRUE(g_KeyData.empty());
}

TEST_F(KeyExchange, ImportStopsWhenIdsRunOut) {
    platform::WriteProfileString(Config(), L"key", L"ID", L"-32767");
    g_KeyDataEdit = test::EveryUserIdBut(-32768);
    WriteRecords("in.u", {MakeRecord(-101, "a"), MakeRecord(-102, "b")});
    ImportOutcome outcome = ImportFinishedKeys(Path("in.u"));
    EXPECT_EQ(outcome.imported, 1);
    EXPECT_TRUE(outcome.outOfIds);
    EXPECT_EQ(Ids(ReadRecords("KeyData.u")), (std::vector<int>{-32768}));
}

}  // namespace
