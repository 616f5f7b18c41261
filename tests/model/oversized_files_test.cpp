// Key files and a journal larger than this program ever writes are judged by their size before
// any of them is read: a start never reads gigabytes, nor dies taking memory for them.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "model/key_start_fixture.h"

namespace {

using test::Finished;
using test::Ids;
using test::MakeRecord;
using test::Unfinished;

class OversizedFiles : public test::KeyStart {
  protected:
    // The records first, the file then stretched to bytes without taking room on the disk.
    void WriteStretched(const std::string& name, const KeyDataList& records, uintmax_t bytes) {
        WriteRecords(name, records);
        std::filesystem::resize_file(File(name), bytes);
    }
};

constexpr uintmax_t kRecord = sizeof(KeyDataRecord);
constexpr uintmax_t kMaxKeyFile = 65536 * kRecord;  // a record for each 16-bit id
constexpr uintmax_t kHuge = uintmax_t{2} << 40;

TEST_F(OversizedFiles, AJournalOfAnyOtherSizeThanItsTwoRecordsNamesNothing) {
    const KeyDataRecord draft = Unfinished(-102, "E_U");
    const KeyDataRecord done = Finished(draft);
    // A finish cut short after its finished file was saved; every journal begins with its records.
    for (uintmax_t bytes : {2 * kRecord, 2 * kRecord - 1, 2 * kRecord + 1, kHuge}) {
        SCOPED_TRACE(bytes);
        Write({MakeRecord(-101, "P"), done}, {draft});
        WriteStretched("KeyFinish.journal", {done, draft}, bytes);
        std::filesystem::remove(current_ / "config.ini");
        LoadKeyLists();
        ExpectSoundStart({MakeRecord(-101, "P"), done});
        EXPECT_EQ(Ids(g_KeyDataEdit),
                  bytes == 2 * kRecord ? std::vector<int>{} : std::vector<int>{-103});
    }
}

TEST_F(OversizedFiles, AKeyFileLargerThanItsIdsCanNumberIsNeitherLoadedNorSavedOver) {
    struct Case {
        const char* file;
        uintmax_t bytes;
        bool loaded;
    };
    const Case cases[] = {
        {"KeyData.u", kMaxKeyFile, true},
        {"KeyData.u", kMaxKeyFile + 1, false},
        {"KeyDataEdit.u", kHuge, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " of " + std::to_string(c.bytes) + " bytes");
        std::filesystem::remove(File("log.bin"));
        Write({MakeRecord(-101, "P")}, {Unfinished(-102, "E_U")});
        WriteStretched(c.file, {MakeRecord(-110, "X")}, c.bytes);
        LoadKeyLists();
        const bool finished = std::string(c.file) == "KeyData.u";
        const KeyDataList& stretched = finished ? g_KeyData : g_KeyDataEdit;
        EXPECT_EQ(stretched.size(), c.loaded ? c.bytes / kRecord : 0);
        EXPECT_EQ((finished ? g_KeyDataEdit : g_KeyData).size(), 1u);  // the other one loads
        if (c.loaded) {
            continue;
        }
        EXPECT_NE(Log().find(std::string(c.file) + " is larger than any key file can be"),
                  std::string::npos);
        EXPECT_FALSE(finished ? UpsertKeyData(MakeRecord(-111, "Y"))
                              : UpsertKeyDataEdit(Unfinished(-111, "Y")));
        EXPECT_EQ(std::filesystem::file_size(File(c.file)), c.bytes);
    }
    // Nor does this program write one.
    EXPECT_FALSE(SaveKeyData(KeyDataList(65537, MakeRecord(-101, "P"))));
}

}  // namespace
