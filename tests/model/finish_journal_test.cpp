// The finish's journal: it names exactly the unfinished record its finish started from, a finish
// goes on without it, and a start that cannot judge a finish keeps it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "model/key_start_fixture.h"
#include "model/kill_after_step.h"
#include "support/file_size_limit.h"

namespace {

using test::Finished;
using test::MakeRecord;
using test::Names;
using test::NamesOf;
using test::Unfinished;

// The files of a finish of unfinished key -104 beside another finished and unfinished key.
class FinishJournal : public test::KeyStart {
  protected:
    void Start() {
        Write({other}, {Unfinished(-103, "D_U"), draft});
        LoadKeyLists();
    }

    bool JournalLeft() const { return std::filesystem::exists(File("KeyFinish.journal")); }

    const KeyDataRecord other = MakeRecord(-101, "P");
    const KeyDataRecord draft = Unfinished(-104, "E_U");
    const KeyDataRecord done = Finished(draft);
};

TEST_F(FinishJournal, AStartMendsNoFinishWhoseKeyWasSavedUnfinishedAgainSince) {
    Start();
    // The finished file is saved, then the disk fills up: neither the unfinished file nor the
    // finished one put back can be written, and the journal stays.
    std::optional<test::ScopedFileSizeLimit> full;
    test::RunAfter(test::FileStep::kRenameOnto, "KeyData.u", [&] { full.emplace(100); });
    EXPECT_FALSE(FinishKeyEdit(done));
    full.reset();
    ASSERT_TRUE(JournalLeft());
    // The user works on the key, and saves it unfinished again.
    KeyDataRecord later = draft;
    later.params.keyLength = 3425;
    ASSERT_TRUE(UpsertKeyDataEdit(later));

    LoadKeyLists();
    ExpectSoundStart({other, done});
    ASSERT_EQ(NamesOf(g_KeyDataEdit), (Names{"D_U", "E_U"}));
    const KeyDataRecord& kept = g_KeyDataEdit.back();
    EXPECT_EQ(kept.params.keyLength, 3425);
    later.keyId = kept.keyId;  // it shares no id with the finished copy
    EXPECT_EQ(std::memcmp(&kept, &later, sizeof later), 0);
}

TEST_F(FinishJournal, AJournalThatCannotBeWrittenDoesNotStopTheFinish) {
    struct Case {
        const char* what;
        bool fileInside;
    };
    for (const Case c : {Case{"an empty folder at its name", false},
                         Case{"a folder with a file at its name", true}}) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(File("log.bin"));
        Start();
        std::filesystem::create_directory(File("KeyFinish.journal"));
        if (c.fileInside) {
            std::ofstream(File("KeyFinish.journal") / "note") << "kept";
        }
        EXPECT_TRUE(FinishKeyEdit(done));
        EXPECT_EQ(NamesOf(ReadRecords("KeyData.u")), (Names{"P", "E_U"}));
        EXPECT_EQ(NamesOf(ReadRecords("KeyDataEdit.u")), Names{"D_U"});
        // An empty folder is removed; one with the user's file in it stays as it is.
        EXPECT_EQ(std::filesystem::exists(File("KeyFinish.journal") / "note"), c.fileInside);
        EXPECT_EQ(JournalLeft(), c.fileInside);
        EXPECT_EQ(Log().find("Writing KeyFinish.journal failed") != std::string::npos,
                  c.fileInside);
        std::filesystem::remove_all(File("KeyFinish.journal"));
    }
}

TEST_F(FinishJournal, StaysThroughAStartThatCannotReadAKeyFile) {
    // A finish cut short after its finished file was saved.
    Write({other, done}, {Unfinished(-103, "D_U"), draft}, {done, draft});
    // A start while the unfinished file cannot be read (a folder in its place).
    std::filesystem::rename(File("KeyDataEdit.u"), File("KeyDataEdit.u.aside"));
    std::filesystem::create_directory(File("KeyDataEdit.u"));
    LoadKeyLists();
    EXPECT_TRUE(JournalLeft());

    std::filesystem::remove(File("KeyDataEdit.u"));
    std::filesystem::rename(File("KeyDataEdit.u.aside"), File("KeyDataEdit.u"));
    LoadKeyLists();
    ExpectSoundStart({other, done});
    EXPECT_EQ(NamesOf(g_KeyData), (Names{"P", "E_U"}));
    EXPECT_EQ(NamesOf(g_KeyDataEdit), Names{"D_U"});
}

}  // namespace
