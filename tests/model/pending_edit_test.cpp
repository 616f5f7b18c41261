// A finished key with an unfinished copy under its id, saved while it was edited by a program
// that keeps the loaded record's id, maker and status word: the copy keeps its id, and its finish
// replaces the key, also when the finish is cut short.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <vector>

#include "model/key_start_fixture.h"
#include "model/kill_after_step.h"

namespace {

using test::Ids;
using test::MakeRecord;
using test::Names;
using test::NamesOf;
using test::PutName;

class PendingEdit : public test::KeyStart {
  protected:
    static KeyDataRecord Key() {
        KeyDataRecord key = MakeRecord(-102, "A_U");
        key.makerId = 7;
        PutName(key.makerName, "Fjallmo");
        return key;
    }
    // The key as it was saved unfinished while edited: its blank entries as an unfinished key
    // has them, its length changed.
    static KeyDataRecord Edit() {
        KeyDataRecord edit = Key();
        edit.params.keyLength = 4100;
        for (KeyBlankEntry& blank : edit.blanks) {
            blank.keyId = 0;
            blank.finished = 0;
        }
        return edit;
    }
    // As the wizard finishes the edit.
    static KeyDataRecord Done() {
        KeyDataRecord done = Key();
        done.params.keyLength = 4100;
        return done;
    }

    const KeyDataRecord before = MakeRecord(-101, "P");
    const KeyDataRecord after = MakeRecord(-103, "Q");
};

TEST_F(PendingEdit, KeepsItsIdAtTheStartWhereNoOtherUnfinishedKeyDoes) {
    auto edit = [](auto change) {
        KeyDataRecord record = Edit();
        change(record);
        return record;
    };
    KeyDataRecord deleted = Key();
    deleted.params.status = KeyStatusDeleted;
    struct Case {
        const char* what;
        KeyDataRecord finished;
        KeyDataList unfinished;
        std::vector<int> unfinishedAfter;
    };
    const Case cases[] = {
        {"the pending edit of a live finished key", Key(), {Edit()}, {-102}},
        {"a new unfinished key: status 0",
         Key(),
         {edit([](KeyDataRecord& r) { r.params.status = 0; })},
         {-104}},
        {"another maker id", Key(), {edit([](KeyDataRecord& r) { r.makerId = 8; })}, {-104}},
        {"another maker name",
         Key(),
         {edit([](KeyDataRecord& r) { PutName(r.makerName, "Fjallmo2"); })},
         {-104}},
        {"its finished key deleted", deleted, {Edit()}, {-104}},
        {"two pending edits of one key", Key(), {Edit(), Edit()}, {-102, -104}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(current_ / "config.ini");
        const KeyDataList finished = {before, c.finished, after};
        Write(finished, c.unfinished);
        LoadKeyLists();
        EXPECT_EQ(Ids(g_KeyDataEdit), c.unfinishedAfter);
        EXPECT_EQ(Ids(ReadRecords("KeyDataEdit.u")), c.unfinishedAfter);
        EXPECT_TRUE(
            std::ranges::equal(RecordBytes(ReadRecords("KeyData.u")), RecordBytes(finished)));
    }
}

TEST_F(PendingEdit, ItsFinishReplacesTheFinishedKey) {
    Write({before, Key(), after}, {MakeRecord(-104, "B_U", 100, 0), Edit()});
    LoadKeyLists();
    EXPECT_TRUE(FinishKeyEdit(Done()));
    const KeyDataList finished = ReadRecords("KeyData.u");
    EXPECT_EQ(Ids(finished), (std::vector<int>{-101, -103, -102}));
    const KeyDataRecord done = Done();
    EXPECT_EQ(std::memcmp(&finished.back(), &done, sizeof done), 0);
    EXPECT_EQ(Ids(ReadRecords("KeyDataEdit.u")), std::vector<int>{-104});
    EXPECT_FALSE(std::filesystem::exists(File("KeyFinish.journal")));
}

TEST_F(PendingEdit, ItsFinishCutShortAfterAnyStepLeavesTheKeyOnceAtTheNextStart) {
    for (const test::FinishStep& kill : test::kFinishSteps) {
        SCOPED_TRACE(kill.after);
        Write({before, Key(), after}, {Edit()});
        LoadKeyLists();
        EXPECT_EXIT(
            {
                test::KillAfter(kill.step, kill.file);
                FinishKeyEdit(Done());
                std::exit(0);
            },
            ::testing::KilledBySignal(SIGKILL), "");
        LoadKeyLists();
        EXPECT_FALSE(std::filesystem::exists(File("KeyFinish.journal")));
        EXPECT_EQ(Ids(ReadRecords("KeyDataEdit.u")), Ids(g_KeyDataEdit));
        // The old version or the new one, never both; the edit waits only beside the old one.
        EXPECT_EQ(Ids(g_KeyData), (kill.finished ? std::vector<int>{-101, -103, -102}
                                                 : std::vector<int>{-101, -102, -103}));
        const auto key = std::ranges::find(g_KeyData, -102, &KeyDataRecord::keyId);
        ASSERT_NE(key, g_KeyData.end());
        EXPECT_EQ(key->params.keyLength, kill.finished ? 4100 : 0);
        EXPECT_EQ(NamesOf(g_KeyDataEdit), kill.finished ? Names{} : Names{"A_U"});
        EXPECT_EQ(Ids(g_KeyDataEdit), kill.finished ? std::vector<int>{} : std::vector<int>{-102});
    }
}

}  // namespace
