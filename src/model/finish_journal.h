#pragma once
// The mark of a finish in progress. Finishing an unfinished key saves two files, the finished
// list and then the unfinished one; a finish cut short between them leaves the key in both.
// The journal beside them holds the finished record from before the first save until after the
// second, so that a start mends exactly that key and never another one with the same id.

#include <optional>

#include "model/key_records.h"

inline constexpr const wchar_t* kFinishJournalFile = L"KeyFinish.journal";
inline constexpr const wchar_t* kFinishJournalStagingFile = L"KeyFinish_Bak.journal";

// Written safely and on disk when true; false, logged, when it cannot be written.
bool WriteFinishJournal(const KeyDataRecord& finished);

struct FinishJournal {
    bool present = false;
    // The record, when the journal holds exactly one; a journal cut short holds none.
    std::optional<KeyDataRecord> record;
};
FinishJournal ReadFinishJournal();

void RemoveFinishJournal();
