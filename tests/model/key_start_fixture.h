#pragma once
// Key files as a start finds them: unfinished and finished records as the wizard saves them, the
// files with a finish's journal, and what every start must leave.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "model/key_files.h"
#include "model/kill_after_step.h"
#include "model/model_fixture.h"
#include "model/record_builder.h"

namespace test {

using Names = std::multiset<std::string>;

// As the wizard saves an unfinished key: no status, no owned blank entries.
inline KeyDataRecord Unfinished(int16_t id, const std::string& name, uint32_t maker = 2) {
    KeyDataRecord record = MakeRecord(id, name);
    record.params.status = 0;
    record.makerId = maker;
    for (KeyBlankEntry& blank : record.blanks) {
        blank = {};
    }
    return record;
}

// As the wizard finishes it.
inline KeyDataRecord Finished(const KeyDataRecord& unfinished) {
    KeyDataRecord record = MakeRecord(unfinished.keyId, unfinished.keyName);
    record.makerId = unfinished.makerId;
    return record;
}

inline Names NamesOf(const KeyDataList& records) {
    Names names;
    for (const KeyDataRecord& record : records) {
        names.insert(record.keyName);
    }
    return names;
}

// The steps of a finish of an unfinished key, as they reach the disk, and whether the key is
// finished once a kill cuts the finish short right after the step.
struct FinishStep {
    const char* after;
    FileStep step;
    const char* file;
    bool finished;
};
inline constexpr FinishStep kFinishSteps[] = {
    {"the journal is written", FileStep::kRenameOnto, "KeyFinish.journal", false},
    {"the finished file is saved", FileStep::kRenameOnto, "KeyData.u", true},
    {"the unfinished file is saved", FileStep::kRenameOnto, "KeyDataEdit.u", true},
    {"the journal is deleted", FileStep::kUnlink, "KeyFinish.journal", true},
};

class KeyStart : public ModelTest {
  protected:
    // The journal: the finished record and the unfinished one it replaces, or none.
    void Write(const KeyDataList& finished, const KeyDataList& unfinished,
               const KeyDataList& journal = {}) const {
        WriteRecords("KeyData.u", finished);
        WriteRecords("KeyDataEdit.u", unfinished);
        std::filesystem::remove(File("KeyFinish.journal"));
        if (!journal.empty()) {
            WriteRecords("KeyFinish.journal", journal);
        }
    }

    std::string Log() const { return test::ReadText(File("log.bin")); }

    // What every start must leave: the finished file untouched, the unfinished file as its list,
    // no id twice in or across the lists, and no journal.
    void ExpectSoundStart(const KeyDataList& finished) const {
        EXPECT_TRUE(
            std::ranges::equal(RecordBytes(ReadRecords("KeyData.u")), RecordBytes(finished)));
        EXPECT_EQ(Ids(ReadRecords("KeyDataEdit.u")), Ids(g_KeyDataEdit));
        std::set<int> taken;
        for (const KeyDataRecord& record : g_KeyData) {
            taken.insert(record.keyId);
        }
        for (const KeyDataRecord& record : g_KeyDataEdit) {
            EXPECT_TRUE(taken.insert(record.keyId).second) << record.keyId << " taken twice";
        }
        EXPECT_FALSE(std::filesystem::exists(File("KeyFinish.journal")));
    }
};

}  // namespace test
