#pragma once
// Key files written by another program can hold a finished key and, under its id, an unfinished
// copy saved while the key was edited: the same maker, and the status word the finished key had
// (-1; a new unfinished key has 0). That copy is the key's pending edit: it keeps the id, and its
// finish replaces the key.

#include <cstring>

#include "model/key_records.h"

inline bool IsPendingEditOf(const KeyDataRecord& unfinished, const KeyDataRecord& finished) {
    return unfinished.keyId == finished.keyId && unfinished.makerId == finished.makerId &&
           std::strncmp(unfinished.makerName, finished.makerName, sizeof finished.makerName) == 0 &&
           unfinished.params.status == KeyStatusLive && finished.params.status == KeyStatusLive;
}
