#pragma once
// Records for tests, built field by field.

#include <cstring>
#include <string>

#include "model/key_records.h"

namespace test {

inline KeyDataRecord MakeRecord(int16_t id, const std::string& name, int32_t firstDepth = 100,
                                int32_t status = KeyStatusLive) {
    KeyDataRecord record{};
    std::strncpy(record.keyName, name.c_str(), sizeof record.keyName - 1);
    std::strncpy(record.params.keyName, name.c_str(), sizeof record.params.keyName - 1);
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

}  // namespace test
