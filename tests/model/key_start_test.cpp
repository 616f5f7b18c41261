// The start's loading of both key lists beside the finish of an unfinished key: a finish cut
// short anywhere, another installation's or a damaged finished file, and ids shared by keys.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <thread>

#include "model/key_files.h"
#include "model/key_start_fixture.h"
#include "model/kill_after_step.h"
#include "model/record_builder.h"

namespace {

using test::FileStep;
using test::FinishCutShort;
using test::Finished;
using test::Ids;
using test::KeyStart;
using test::MakeRecord;
using test::Names;
using test::NamesOf;
using test::PutName;
using test::Unfinished;

KeyDataList Random(size_t bytes, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> noise(bytes);
    std::generate(noise.begin(), noise.end(), [&] { return static_cast<uint8_t>(random()); });
    return ParseRecords(noise);
}

TEST_F(KeyStart, MendsOnlyTheFinishItsJournalNamesAndGivesSharedIdsNewIds) {
    const KeyDataRecord draft = Unfinished(-101, "A_U");
    const KeyDataRecord done = Finished(draft);
    KeyDataRecord otherShop = MakeRecord(-104, "M1003_U");  // same maker and type as ours
    otherShop.makerId = 2;
    const KeyDataList otherInstallation = {MakeRecord(-101, "P"), MakeRecord(-102, "Q"),
                                           MakeRecord(-103, "R"), otherShop};
    KeyDataList damaged = Random(8 * sizeof(KeyDataRecord), 29);
    damaged.back().keyId = -101;

    struct Case {
        const char* what;
        KeyDataList finished;
        KeyDataList unfinished;
        KeyDataList journal;
        bool mended;
        std::vector<int> unfinishedAfter;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"a finish cut short, a key deleted after it",
         {MakeRecord(-102, "B"), done, MakeRecord(-103, "C", 100, KeyStatusDeleted)},
         {Unfinished(-104, "D"), draft},
         {done, draft},
         true,
         {-104},
         {"Key -101 was in both key files; it is kept as finished"}},
        {"a finish cut short beside another id in both",
         {MakeRecord(-102, "B"), done},
         {Unfinished(-102, "D"), draft},
         {done, draft},
         true,
         {-103},
         {"Key -101 was in both key files",
          "Unfinished key -102 shared its id with another key; "
          "it is now -103"}},
        {"another installation's key of the same id, maker and type",
         otherInstallation,
         {Unfinished(-104, "M5000_U")},
         {},
         false,
         {-105},
         {"Unfinished key -104 shared its id with another key; it is now -105"}},
        {"another installation's keys, ours finished by a journal that is not theirs",
         otherInstallation,
         {Unfinished(-103, "D"), Unfinished(-104, "E")},
         {Finished(Unfinished(-104, "E")), Unfinished(-104, "E")},
         false,
         {-105, -106},
         {"KeyFinish.journal names no finish cut short",
          "-103 shared its id with another key; "
          "it is now -105",
          "-104 shared its id with another key; it is now -106"}},
        {"one id twice among the unfinished keys",
         {MakeRecord(-101, "P")},
         {Unfinished(-102, "D"), Unfinished(-102, "E")},
         {},
         false,
         {-102, -103},
         {"-102 shared its id with another key; it is now -103"}},
        {"a damaged finished file", damaged, {draft}, {}, false, {}, {"-101 shared its id"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(File("log.bin"));
        std::filesystem::remove(current_ / "config.ini");
        Write(c.finished, c.unfinished, c.journal);
        LoadKeyLists();
        ExpectSoundStart(c.finished);
        if (!c.unfinishedAfter.empty()) {
            EXPECT_EQ(Ids(g_KeyDataEdit), c.unfinishedAfter);
        }
        // Only the finish's own unfinished copy goes; every other key stays, name and all.
        Names kept = NamesOf(c.unfinished);
        if (c.mended) {
            kept.erase(kept.find(draft.keyName));
        }
        EXPECT_EQ(NamesOf(g_KeyDataEdit), kept);
        for (const std::string& line : c.log) {
            EXPECT_NE(Log().find(line), std::string::npos) << line;
        }
    }
}

TEST_F(KeyStart, AStartThatCannotSaveKeepsItsChangesInMemoryAndTheJournalForTheNextStart) {
    const KeyDataRecord draft = Unfinished(-101, "A_U");
    const KeyDataRecord done = Finished(draft);
    Write({MakeRecord(-102, "B"), done}, {Unfinished(-102, "D"), draft}, {done, draft});
    std::filesystem::permissions(File("KeyDataEdit.u"), std::filesystem::perms::owner_read);
    LoadKeyLists();
    // Nothing in this run can reach finished key -102 through the unfinished one.
    EXPECT_EQ(Ids(g_KeyDataEdit), (std::vector<int>{-103}));
    EXPECT_EQ(Ids(ReadRecords("KeyDataEdit.u")), (std::vector<int>{-102, -101}));
    EXPECT_TRUE(std::filesystem::exists(File("KeyFinish.journal")));

    std::filesystem::permissions(File("KeyDataEdit.u"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    LoadKeyLists();
    ExpectSoundStart({MakeRecord(-102, "B"), done});
    EXPECT_EQ(NamesOf(g_KeyDataEdit), Names{"D"});
}

TEST_F(KeyStart, OnlyAFinishedKeysPendingEditKeepsItsId) {
    // Another program saves a finished key while it is edited as unfinished under its id, with
    // its maker and status word.
    KeyDataRecord key = MakeRecord(-102, "A");
    key.makerId = 7;
    PutName(key.makerName, "Fjallmo");
    auto edit = [&](auto change) {
        KeyDataRecord record = key;
        change(record);
        return record;
    };
    KeyDataRecord deleted = key;
    deleted.params.status = KeyStatusDeleted;
    struct Case {
        const char* what;
        KeyDataRecord finished;
        KeyDataList unfinished;
        std::vector<int> unfinishedAfter;
    };
    const Case cases[] = {
        {"the pending edit of a live finished key", key, {key}, {-102}},
        {"another maker id", key, {edit([](KeyDataRecord& r) { r.makerId = 8; })}, {-103}},
        {"another maker name",
         key,
         {edit([](KeyDataRecord& r) { PutName(r.makerName, "Fjallmo2"); })},
         {-103}},
        {"its finished key deleted", deleted, {key}, {-103}},
        {"two pending edits of one key", key, {key, key}, {-102, -103}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(current_ / "config.ini");
        Write({MakeRecord(-101, "P"), c.finished}, c.unfinished);
        LoadKeyLists();
        ExpectSoundStart({MakeRecord(-101, "P"), c.finished});
        EXPECT_EQ(Ids(g_KeyDataEdit), c.unfinishedAfter);
    }
}

TEST_F(FinishCutShort, AfterAnyOfItsStepsLeavesTheKeyOnceAtTheNextStart) {
    struct Kill {
        const char* after;
        FileStep step;
        const char* file;
        bool finished;
    };
    const Kill kills[] = {
        {"the journal is written", FileStep::kRenameOnto, "KeyFinish.journal", false},
        {"the finished file is saved", FileStep::kRenameOnto, "KeyData.u", true},
        {"the unfinished file is saved", FileStep::kRenameOnto, "KeyDataEdit.u", true},
        {"the journal is deleted", FileStep::kUnlink, "KeyFinish.journal", true},
    };
    // A new key's finish, and that of the pending edit of finished key -102, which replaces it.
    for (const KeyDataRecord& edited : {draft, MakeRecord(-102, "Q_U", 200)}) {
        draft = edited;
        done = Finished(edited);
        for (const Kill& kill : kills) {
            SCOPED_TRACE(std::string(draft.keyName) + " killed after " + kill.after);
            Reset();
            EXPECT_EXIT(
                {
                    test::KillAfter(kill.step, kill.file);
                    FinishKeyEdit(done);
                    std::exit(0);
                },
                ::testing::KilledBySignal(SIGKILL), "");
            ExpectTheKeyOnceAtTheNextStart(kill.finished);
        }
    }
}

TEST_F(FinishCutShort, AJournalThisUserMayNotWriteDoesNotStopTheFinish) {
    WriteRecords("KeyFinish.journal", {MakeRecord(-101, "P")});
    std::filesystem::permissions(File("KeyFinish.journal"), std::filesystem::perms::owner_read);
    EXPECT_TRUE(FinishKeyEdit(done));
    ExpectTheKeyOnceAtTheNextStart(true);
}

TEST_F(FinishCutShort, AStartKilledWhileItMendsLeavesTheKeyOnceAtTheNextStart) {
    // The finish killed between its saves; then starts killed at each step of their own.
    const char* const mendSteps[] = {"KeyDataEdit.u", "KeyFinish.journal"};
    for (const char* file : mendSteps) {
        SCOPED_TRACE(file);
        Reset();
        EXPECT_EXIT(
            {
                test::KillAfter(FileStep::kRenameOnto, "KeyData.u");
                FinishKeyEdit(done);
            },
            ::testing::KilledBySignal(SIGKILL), "");
        EXPECT_EXIT(
            {
                test::KillAfter(std::string(file) == "KeyDataEdit.u" ? FileStep::kRenameOnto
                                                                     : FileStep::kUnlink,
                                file);
                LoadKeyLists();
            },
            ::testing::KilledBySignal(SIGKILL), "");
        ExpectTheKeyOnceAtTheNextStart(true);
    }
}

TEST_F(FinishCutShort, KillsAtRandomMomentsOfFinishesLoseNoKey) {
    // A child starts and finishes the key, the parent kills it after a random delay within the
    // length of a whole run; the outcomes are counted by what the next start finds. For more
    // kills than a test run should take, repeat it (--gtest_repeat).
    auto runChild = [&](std::optional<std::chrono::microseconds> killAfter) {
        const pid_t child = ::fork();
        if (child == 0) {
            LoadKeyLists();
            ::_exit(FinishKeyEdit(done) ? 0 : 1);
        }
        if (killAfter) {
            std::this_thread::sleep_for(*killAfter);
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return status;
    };
    std::chrono::microseconds whole = std::chrono::hours(1);
    for (int run = 0; run < 3; ++run) {
        Reset();
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(runChild(std::nullopt), 0);
        whole = std::min(whole, std::chrono::duration_cast<std::chrono::microseconds>(
                                    std::chrono::steady_clock::now() - start));
    }
    std::mt19937 random(34);
    std::uniform_int_distribution<int64_t> delay(0, whole.count() * 3 / 4);
    std::map<std::string, int> outcomes;
    for (int kills = 0, run = 0; kills < 40 && run < 200; ++run) {
        Reset();
        const int status = runChild(std::chrono::microseconds(delay(random)));
        kills += WIFSIGNALED(status) ? 1 : 0;
        const bool journal = std::filesystem::exists(File("KeyFinish.journal"));
        const bool finished = std::ranges::any_of(
            ReadRecords("KeyData.u"), [](const KeyDataRecord& r) { return r.keyId == -104; });
        outcomes[std::string(WIFSIGNALED(status) ? "killed" : "done") +
                 (finished ? ", finished" : ", unfinished") + (journal ? ", journal left" : "")]++;
        SCOPED_TRACE(run);
        ExpectTheKeyOnceAtTheNextStart(finished);
    }
    for (const auto& [outcome, count] : outcomes) {
        std::cout << count << " runs " << outcome << "\n";
    }
}

TEST_F(KeyStart, EveryKeyOfAnotherInstallationsOrADamagedFileSurvivesAStartAndItsFinishes) {
    KeyDataList unfinished;
    for (int i = 0; i < 300; ++i) {
        unfinished.push_back(Unfinished(static_cast<int16_t>(-101 - i), "U" + std::to_string(i)));
    }
    KeyDataList otherInstallation;
    for (int i = 0; i < 200; ++i) {
        otherInstallation.push_back(
            MakeRecord(static_cast<int16_t>(-101 - i), "O" + std::to_string(i)));
    }
    for (const KeyDataList& finished : {otherInstallation, Random(1 << 20, 34)}) {
        std::filesystem::remove(current_ / "config.ini");
        Write(finished, unfinished);
        LoadKeyLists();
        ExpectSoundStart(finished);
        EXPECT_EQ(NamesOf(g_KeyDataEdit), NamesOf(unfinished));

        // Every finish rewrites both files whole, so a few dozen, the first, the last and a
        // renumbered one among them, show what finishing all of them would.
        const KeyDataList started = g_KeyDataEdit;
        const std::vector<int> ids = Ids(started);
        const auto renumbered = std::ranges::mismatch(ids, Ids(unfinished)).in1 - ids.begin();
        ASSERT_LT(renumbered, std::ssize(ids));
        KeyDataList expected = finished;
        Names waiting;
        for (std::ptrdiff_t i = 0; i < std::ssize(started); ++i) {
            if (i % 12 == 0 || i == renumbered || i + 1 == std::ssize(started)) {
                ASSERT_TRUE(FinishKeyEdit(Finished(started[i])));
                expected.push_back(Finished(started[i]));
            } else {
                waiting.insert(started[i].keyName);
            }
        }
        // The finished file is the other file, untouched, with ours behind it; the rest of ours
        // wait unfinished.
        EXPECT_TRUE(
            std::ranges::equal(RecordBytes(ReadRecords("KeyData.u")), RecordBytes(expected)));
        EXPECT_EQ(NamesOf(ReadRecords("KeyDataEdit.u")), waiting);
    }
}

}  // namespace
