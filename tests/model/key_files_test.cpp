#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "model/key_files.h"
#include "model/model_fixture.h"
#include "model/record_builder.h"
#include "platform/profile/profile.h"
#include "support/file_size_limit.h"

namespace {

using test::Ids;
using test::MakeRecord;

class KeyFiles : public test::ModelTest {};

TEST_F(KeyFiles, LoadTakesWholeRecordsOnly) {
    struct Case {
        size_t bytes;
        int result;
        size_t records;
    };
    for (Case c : {Case{0, 0, 0}, Case{819, 0, 0}, Case{820, 1, 1}, Case{1000, 1, 1}}) {
        g_KeyData = {MakeRecord(-150, "stale")};
        WriteFile("KeyData.u", std::vector<uint8_t>(c.bytes, 0));
        EXPECT_EQ(LoadKeyData(), c.result) << c.bytes;
        EXPECT_EQ(g_KeyData.size(), c.records) << c.bytes;
    }
    std::filesystem::remove(File("KeyData.u"));
    EXPECT_EQ(LoadKeyData(), 0);
    EXPECT_TRUE(g_KeyData.empty());

    WriteRecords("KeyDataEdit.u", {MakeRecord(-101, "A"), MakeRecord(-102, "B")});
    EXPECT_EQ(LoadKeyDataEdit(), 1);
    EXPECT_EQ(Ids(g_KeyDataEdit), (std::vector<int>{-101, -102}));
}

TEST_F(KeyFiles, SaveReplacesTheFileAndLeavesNoBackup) {
    WriteRecords("KeyData.u", {MakeRecord(-101, "A")});
    SaveKeyData({MakeRecord(-102, "B"), MakeRecord(-103, "C")});
    EXPECT_EQ(Ids(ReadRecords("KeyData.u")), (std::vector<int>{-102, -103}));
    EXPECT_FALSE(std::filesystem::exists(File("KeyData_Bak.u")));

    SaveKeyData({});
    EXPECT_EQ(std::filesystem::file_size(File("KeyData.u")), 0u);
    EXPECT_FALSE(std::filesystem::exists(File("KeyData_Bak.u")));

    std::filesystem::remove(File("KeyDataEdit.u"));
    SaveKeyDataEdit({MakeRecord(-104, "D")});
    EXPECT_EQ(Ids(ReadRecords("KeyDataEdit.u")), (std::vector<int>{-104}));
}

TEST_F(KeyFiles, SaveThatFailsMidwayKeepsTheOldFile) {
    KeyDataList old = {MakeRecord(-101, "A")};
    WriteRecords("KeyData.u", old);
    KeyDataList bigger(10, MakeRecord(-102, "B"));
    {
        test::ScopedFileSizeLimit limit(3 * sizeof(KeyDataRecord) + 100);
        EXPECT_FALSE(SaveKeyData(bigger));
        // A list change whose file cannot be written leaves the list as it was.
        g_KeyData = bigger;
        EXPECT_FALSE(UpsertKeyData(MakeRecord(-102, "C")));
        EXPECT_EQ(g_KeyData.size(), 10u);
        EXPECT_STREQ(g_KeyData[0].keyName, "B");
        g_KeyDataEdit = bigger;
        EXPECT_FALSE(RemoveKeyEdit(-102));
        EXPECT_EQ(g_KeyDataEdit.size(), 10u);
    }
    EXPECT_FALSE(std::filesystem::exists(File("KeyData_Bak.u")));
    EXPECT_EQ(LoadKeyData(), 1);
    EXPECT_EQ(Ids(g_KeyData), (std::vector<int>{-101}));
}

TEST_F(KeyFiles, AFirstSaveKilledMidwayLeavesNothingThatLoadsAsTheDatabase) {
    KeyDataList big(2048, MakeRecord(-101, "A"));
    // The write stops at 1024 whole records, where the system kills the writer.
    EXPECT_EXIT(
        {
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 1024 * sizeof(KeyDataRecord);
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_DFL);
            SaveKeyData(big);
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGXFSZ), "");
    EXPECT_EQ(LoadKeyData(), 0);
    EXPECT_FALSE(std::filesystem::exists(File("KeyData.u")));
}

TEST_F(KeyFiles, SaveKeepsTheFilesMode) {
    WriteRecords("KeyData.u", {MakeRecord(-101, "A")});
    std::filesystem::permissions(File("KeyData.u"), std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_write);
    SaveKeyData({MakeRecord(-102, "B")});
    EXPECT_EQ(std::filesystem::status(File("KeyData.u")).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(KeyFiles, AReadOnlyFileIsRefusedAsAFullDiskIs) {
    const auto readOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                          std::filesystem::perms::others_read;
    WriteRecords("KeyData.u", {MakeRecord(-101, "A")});
    WriteRecords("KeyDataEdit.u", {MakeRecord(-102, "B")});
    LoadKeyLists();
    for (const char* name : {"KeyData.u", "KeyDataEdit.u"}) {
        std::filesystem::permissions(File(name), readOnly);
    }
    const auto finished = platform::ReadWholeFile(File("KeyData.u"));
    const auto unfinished = platform::ReadWholeFile(File("KeyDataEdit.u"));
    EXPECT_FALSE(UpsertKeyData(MakeRecord(-103, "C")));
    EXPECT_FALSE(RemoveKeyEdit(-102));
    EXPECT_EQ(Ids(g_KeyData), (std::vector<int>{-101}));
    EXPECT_EQ(Ids(g_KeyDataEdit), (std::vector<int>{-102}));
    EXPECT_EQ(platform::ReadWholeFile(File("KeyData.u")), finished);
    EXPECT_EQ(platform::ReadWholeFile(File("KeyDataEdit.u")), unfinished);
    EXPECT_NE(test::ReadText(File("log.bin")).find("Saving KeyDataEdit.u failed: not replacing"),
              std::string::npos);
}

TEST_F(KeyFiles, UnreadableFileIsNeverSavedOver) {
    // A folder in the file's place opens but cannot be read, as a damaged file would; a FIFO
    // must not even block the load.
    for (bool fifo : {false, true}) {
        if (fifo) {
            ASSERT_EQ(::mkfifo(File("KeyData.u").c_str(), 0600), 0);
        } else {
            std::filesystem::create_directory(File("KeyData.u"));
        }
        EXPECT_EQ(LoadKeyData(), 0);
        UpsertKeyData(MakeRecord(-101, "A"));
        EXPECT_EQ(std::filesystem::is_fifo(File("KeyData.u")), fifo);
        EXPECT_EQ(std::filesystem::is_directory(File("KeyData.u")), !fifo);
        std::filesystem::remove(File("KeyData.u"));
    }

    WriteRecords("KeyData.u", {MakeRecord(-102, "B")});
    EXPECT_EQ(LoadKeyData(), 1);
    UpsertKeyData(MakeRecord(-103, "C"));
    EXPECT_EQ(Ids(ReadRecords("KeyData.u")), (std::vector<int>{-102, -103}));
}

TEST_F(KeyFiles, AFileLargerThanItsIdsCanNumberIsNeitherReadNorSavedOver) {
    constexpr uintmax_t kMost = 65536 * sizeof(KeyDataRecord);  // a record for each 16-bit id
    // This program writes none.
    EXPECT_FALSE(SaveKeyData(KeyDataList(65537, MakeRecord(-101, "A"))));
    struct Case {
        const char* file;
        uintmax_t bytes;
    };
    for (const Case c : {Case{"KeyData.u", kMost}, Case{"KeyData.u", kMost + 1},
                         Case{"KeyDataEdit.u", uintmax_t{2} << 40}}) {
        SCOPED_TRACE(std::string(c.file) + " of " + std::to_string(c.bytes) + " bytes");
        WriteRecords(c.file, {MakeRecord(-101, "A")});
        std::filesystem::resize_file(File(c.file), c.bytes);
        LoadKeyLists();
        const bool finished = std::string(c.file) == "KeyData.u";
        EXPECT_EQ((finished ? g_KeyData : g_KeyDataEdit).size(), c.bytes == kMost ? 65536u : 0u);
        if (c.bytes != kMost) {
            EXPECT_NE(test::ReadText(File("log.bin"))
                          .find(std::string(c.file) + " is larger than any key file can be"),
                      std::string::npos);
            EXPECT_FALSE(finished ? UpsertKeyData(MakeRecord(-102, "B"))
                                  : UpsertKeyDataEdit(MakeRecord(-102, "B")));
            EXPECT_EQ(std::filesystem::file_size(File(c.file)), c.bytes);
        }
    }
}

TEST_F(KeyFiles, FinishingAnUnfinishedKeyIsAllOrNothing) {
    struct Case {
        const char* what;
        const char* directoryInPlaceOf;
        int16_t finishedId;
    };
    const Case cases[] = {
        {"the unfinished file cannot be written", "KeyDataEdit.u", -102},
        // Only a start that could give the unfinished key no new id leaves it so.
        {"a finished key has the id", nullptr, -101},
    };
    // Status 0, as the wizard saves an unfinished key: no pending edit of a finished one.
    const KeyDataRecord draft = MakeRecord(-101, "A", 100, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteRecords("KeyData.u", {MakeRecord(c.finishedId, "B")});
        WriteRecords("KeyDataEdit.u", {draft});
        LoadKeyLists();
        g_KeyDataEdit = {draft};
        if (c.directoryInPlaceOf != nullptr) {
            std::filesystem::remove(File(c.directoryInPlaceOf));
            std::filesystem::create_directory(File(c.directoryInPlaceOf));
        }
        // The key stays unfinished, and only there.
        EXPECT_FALSE(FinishKeyEdit(MakeRecord(-101, "A")));
        EXPECT_EQ(Ids(g_KeyData), (std::vector<int>{c.finishedId}));
        EXPECT_EQ(Ids(ReadRecords("KeyData.u")), (std::vector<int>{c.finishedId}));
        EXPECT_STREQ(ReadRecords("KeyData.u")[0].keyName, "B");
        EXPECT_EQ(Ids(g_KeyDataEdit), (std::vector<int>{-101}));
        EXPECT_FALSE(std::filesystem::is_regular_file(File("KeyFinish.journal")));
        if (c.directoryInPlaceOf != nullptr) {
            std::filesystem::remove(File(c.directoryInPlaceOf));
        }
    }
}

TEST_F(KeyFiles, LoadRecoversAFinishedBackupWhenTheFileIsGone) {
    WriteRecords("KeyData_Bak.u", {MakeRecord(-101, "A"), MakeRecord(-102, "B")});
    EXPECT_EQ(LoadKeyData(), 1);
    EXPECT_EQ(Ids(g_KeyData), (std::vector<int>{-101, -102}));
    EXPECT_TRUE(std::filesystem::exists(File("KeyData.u")));
    EXPECT_FALSE(std::filesystem::exists(File("KeyData_Bak.u")));

    // A backup cut short is no list: leave it for the user to look at.
    std::filesystem::remove(File("KeyData.u"));
    WriteFile("KeyData_Bak.u", std::vector<uint8_t>(900, 0));
    EXPECT_EQ(LoadKeyData(), 0);
    EXPECT_TRUE(std::filesystem::exists(File("KeyData_Bak.u")));
}

class UserKeyIds : public test::ModelTest {
  protected:
    void SetCounter(const std::wstring& text) const {
        platform::WriteProfileString(Config(), L"key", L"ID", text);
    }
    int Counter() const { return platform::ReadProfileInt(Config(), L"key", L"ID", 0); }
};

TEST_F(UserKeyIds, CountDownFromAMissingCounter) {
    EXPECT_EQ(AllocateUserKeyId(), -101);
    EXPECT_EQ(platform::ReadProfileString(Config(), L"key", L"ID", L""), L"-101");
    EXPECT_EQ(AllocateUserKeyId(), -102);
    EXPECT_EQ(Counter(), -102);
}

TEST_F(UserKeyIds, GarbageOrStaleCounterNeverGivesAnIdInUse) {
    SetCounter(L"garbage");
    EXPECT_EQ(AllocateUserKeyId(), -101);

    SetCounter(L"-103");
    g_KeyData = {MakeRecord(-120, "A")};
    g_KeyDataEdit = {MakeRecord(-125, "B")};
    EXPECT_EQ(AllocateUserKeyId(), -126);
    EXPECT_EQ(Counter(), -126);

    SetCounter(L"-200");
    EXPECT_EQ(AllocateUserKeyId(), -201);
}

TEST_F(UserKeyIds, NoIdWhileTheCounterCannotBeStored) {
    SetCounter(L"-105");
    {
        test::ScopedFileSizeLimit limit(4);
        EXPECT_EQ(AllocateUserKeyId(), std::nullopt);
    }
    // A config made read-only by its owner is not replaced either.
    const std::filesystem::path config = current_ / "config.ini";
    const auto bytes = platform::ReadWholeFile(config);
    std::filesystem::permissions(config, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_EQ(AllocateUserKeyId(), std::nullopt);
    EXPECT_EQ(platform::ReadWholeFile(config), bytes);
    std::filesystem::permissions(config, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(AllocateUserKeyId(), -106);
}

TEST_F(UserKeyIds, StoringTheCounterLeavesEveryOtherByteOfTheFile) {
    auto config = [](const std::string& id) {
        std::string text = "; Fj\xE4llmo\r\n[key]\r\nID=" + id + "\r\n; \xB1\xA6\xC2\xED\n";
        return std::vector<uint8_t>(text.begin(), text.end());
    };
    test::WriteBytes(current_ / "config.ini", config("-101"));
    EXPECT_EQ(AllocateUserKeyId(), -102);
    EXPECT_EQ(platform::ReadWholeFile(current_ / "config.ini"), config("-102"));
}

TEST_F(UserKeyIds, AtTheBottomOfSixteenBitsEveryIdNoKeyHoldsIsStillGiven) {
    struct Case {
        const char* what;
        const wchar_t* counter;
        std::vector<int16_t> held;
        std::vector<int> given;
    };
    const Case cases[] = {
        {"a damaged key holds -32768: the first free id below the counter",
         L"-105",
         {-32768, -106},
         {-107, -108}},
        {"none is free below the counter: the nearest above it",
         L"-32768",
         {-32768, -32767, -32765},
         {-32766, -32764}},
        {"a counter beyond 16 bits", L"-40000", {}, {-32768, -32767}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetCounter(c.counter);
        g_KeyData.clear();
        for (int16_t id : c.held) {
            g_KeyData.push_back(MakeRecord(id, "A"));
        }
        for (int id : c.given) {
            EXPECT_EQ(AllocateUserKeyId(), id);
            EXPECT_EQ(Counter(), id);
        }
    }
}

TEST_F(UserKeyIds, RunOutCleanlyAtTheEndOfSixteenBits) {
    SetCounter(L"-32767");
    EXPECT_EQ(AllocateUserKeyId(), -32768);
    // The free ids above the counter are given back; none is left once keys hold every one.
    g_KeyDataEdit = test::EveryUserIdBut(-32768);
    EXPECT_EQ(AllocateUserKeyId(), std::nullopt);
    EXPECT_EQ(Counter(), -32768);
}

}  // namespace
