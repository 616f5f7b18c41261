// The finish's journal: it names exactly the unfinished record its finish started from, only at
// its own size, a finish goes on without it, and a start that cannot judge a finish keeps it.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>

#include "model/key_start_fixture.h"
#include "model/kill_after_step.h"
#include "support/file_size_limit.h"

namespace {

using test::FinishCutShort;
using test::Names;
using test::NamesOf;

TEST_F(FinishCutShort, NoneIsMendedOnceItsKeyIsSavedUnfinishedAgain) {
    // The finished file is saved, then the disk fills up: neither the unfinished file nor the
    // finished one put back can be written, and the journal stays.
    std::optional<test::ScopedFileSizeLimit> full;
    test::RunAfter(test::FileStep::kRenameOnto, "KeyData.u", [&] { full.emplace(100); });
    EXPECT_FALSE(FinishKeyEdit(done));
    full.reset();
    EXPECT_TRUE(std::filesystem::exists(File("KeyFinish.journal")));
    // The user works on the key, and saves it unfinished again.
    KeyDataRecord later = draft;
    later.params.keyLength = 3425;
    ASSERT_TRUE(UpsertKeyDataEdit(later));

    LoadKeyLists();
    ExpectSoundStart({others[0], others[1], done});
    EXPECT_EQ(NamesOf(g_KeyDataEdit), (Names{"D_U", "E_U"}));
    EXPECT_EQ(g_KeyDataEdit.back().params.keyLength, 3425);
}

TEST_F(FinishCutShort, ItsJournalOfAnyOtherSizeThanItsTwoRecordsNamesNothing) {
    constexpr uintmax_t kJournal = 2 * sizeof(KeyDataRecord);
    for (uintmax_t bytes : {kJournal, kJournal - 1, kJournal + 1, uintmax_t{2} << 40}) {
        SCOPED_TRACE(bytes);
        const KeyDataList finished = CutShort();  // the journal's records come first
        std::filesystem::resize_file(File("KeyFinish.journal"), bytes);
        LoadKeyLists();
        ExpectSoundStart(finished);
        EXPECT_EQ(NamesOf(g_KeyDataEdit), bytes == kJournal ? Names{"D_U"} : Names({"D_U", "E_U"}));
    }
}

TEST_F(FinishCutShort, AJournalThatCannotBeWrittenDoesNotStopTheFinish) {
    // An empty folder at its name is removed; one with something in it stays as it is.
    for (const bool empty : {true, false}) {
        SCOPED_TRACE(empty ? "an empty folder" : "a folder with a folder in it");
        Reset();
        std::filesystem::create_directories(File("KeyFinish.journal") / (empty ? "" : "x"));
        EXPECT_TRUE(FinishKeyEdit(done));
        EXPECT_EQ(std::filesystem::exists(File("KeyFinish.journal")), !empty);
        EXPECT_EQ(Log().find("Writing KeyFinish.journal failed") == std::string::npos, empty);
        std::filesystem::remove_all(File("KeyFinish.journal"));
        ExpectTheKeyOnceAtTheNextStart(true);
    }
}

TEST_F(FinishCutShort, ItsJournalWaitsForAStartThatCanReadBothKeyFiles) {
    CutShort();
    std::filesystem::rename(File("KeyDataEdit.u"), File("aside"));
    std::filesystem::create_directory(File("KeyDataEdit.u"));  // it cannot be read
    LoadKeyLists();
    EXPECT_TRUE(std::filesystem::exists(File("KeyFinish.journal")));

    std::filesystem::remove(File("KeyDataEdit.u"));
    std::filesystem::rename(File("aside"), File("KeyDataEdit.u"));
    ExpectTheKeyOnceAtTheNextStart(true);
}

}  // namespace
