#pragma once
// Records for tests, built field by field.

#include <algorithm>
#include <cstring>
#include <string>

#include "model/key_records.h"
#include "model/record_file.h"

namespace test {

// Copies text into a fixed field, cut so that a NUL always follows.
template <size_t N>
void PutName(char (&field)[N], const std::string& text) {
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

inline KeyDataRecord MakeRecord(int16_t id, const std::string& name, int32_t firstDepth = 100,
                                int32_t status = KeyStatusLive) {
    KeyDataRecord record{};
    PutName(record.keyName, name);
    PutName(record.params.keyName, name);
    record.keyId = id;
    record.params.status = status;
    record.params.depths[0] = firstDepth;
    record.params.keyType = KeyTypeStandardSingle;
    record.blankCount = 2;
    for (KeyBlankEntry& blank : record.blanks) {
        blank.keyId = static_cast<uint32_t>(static_cast<int32_t>(id));
        blank.finished = 1;
    }
    return record;
}

// Unfinished keys, as the wizard saves them, that hold every user id (-101 down to -32768) but
// one: the ids run out.
inline KeyDataList EveryUserIdBut(int16_t free) {
    KeyDataList records;
    for (int id = -32768; id <= -101; ++id) {
        if (id != free) {
            records.push_back(MakeRecord(static_cast<int16_t>(id), "HELD_U", 100, 0));
        }
    }
    return records;
}

}  // namespace test
