#pragma once
// The mark of a finish in progress. Finishing an unfinished key saves two files, the finished
// list and then the unfinished one; a finish cut short between them leaves the key in both.
// The journal beside them holds, from before the first save until after the second, the finished
// record and the unfinished one it replaces, so that a start mends exactly that finish: never
// another key with the same id, nor the same key saved unfinished again since.

#include <optional>

#include "model/key_records.h"

inline constexpr const wchar_t* kFinishJournalFile = L"KeyFinish.journal";
inline constexpr const wchar_t* kFinishJournalStagingFile = L"KeyFinish_Bak.journal";

struct FinishRecords {
    KeyDataRecord finished;
    KeyDataRecord unfinished;  // as it stood in the unfinished list before the finish
};

// Written safely and on disk, or logged: a finish goes on without its journal, and one cut
// short then only takes a new id for its unfinished copy at the next start.
void WriteFinishJournal(const FinishRecords& records);

struct FinishJournal {
    bool present = false;
    // Only a journal of exactly its two records names a finish.
    std::optional<FinishRecords> records;
};
FinishJournal ReadFinishJournal();

// Deletes the journal, or an empty folder in its place.
void RemoveFinishJournal();
