#pragma once
// Key files as a start finds them: unfinished and finished records as the wizard saves them, the
// files with a finish's journal, what every start must leave, and a finish to cut short.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "model/key_files.h"
#include "model/model_fixture.h"
#include "model/pending_edit.h"
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
    // no id twice but a finished key's with its pending edit, and no journal.
    void ExpectSoundStart(const KeyDataList& finished) const {
        EXPECT_TRUE(
            std::ranges::equal(RecordBytes(ReadRecords("KeyData.u")), RecordBytes(finished)));
        EXPECT_EQ(Ids(ReadRecords("KeyDataEdit.u")), Ids(g_KeyDataEdit));
        std::set<int> taken;
        for (const KeyDataRecord& record : g_KeyDataEdit) {
            const auto owner = std::ranges::find(g_KeyData, record.keyId, &KeyDataRecord::keyId);
            EXPECT_TRUE(taken.insert(record.keyId).second &&
                        (owner == g_KeyData.end() || IsPendingEditOf(record, *owner)))
                << record.keyId << " taken twice";
        }
        EXPECT_FALSE(std::filesystem::exists(File("KeyFinish.journal")));
    }
};

// The files of a finish beside the user's other keys, the finish's lists loaded: by default of
// unfinished key -104.
class FinishCutShort : public KeyStart {
  protected:
    void SetUp() override {
        KeyStart::SetUp();
        Reset();
    }

    void Reset() {
        Write(others, {Unfinished(-103, "D_U"), draft});
        LoadKeyLists();
    }

    // The next start shows the key once, finished in place of the finished key of its id when
    // its finished copy was saved, and every other key as it was.
    void ExpectTheKeyOnceAtTheNextStart(bool finished) {
        LoadKeyLists();
        ExpectSoundStart(ReadRecords("KeyData.u"));
        KeyDataList shown = others;
        if (finished) {
            std::erase_if(shown, [&](const KeyDataRecord& r) { return r.keyId == done.keyId; });
            shown.push_back(done);
        }
        EXPECT_EQ(NamesOf(g_KeyData), NamesOf(shown));
        EXPECT_EQ(NamesOf(g_KeyDataEdit), finished ? Names{"D_U"} : Names({"D_U", draft.keyName}));
    }

    // The files of the finish cut short after its finished file was saved; the finished list.
    KeyDataList CutShort() const {
        KeyDataList finished = others;
        finished.push_back(done);
        Write(finished, {Unfinished(-103, "D_U"), draft}, {done, draft});
        return finished;
    }

    const KeyDataList others = {MakeRecord(-101, "P"), MakeRecord(-102, "Q")};
    KeyDataRecord draft = Unfinished(-104, "E_U");
    KeyDataRecord done = Finished(draft);
};

}  // namespace test
