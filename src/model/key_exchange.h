#pragma once
// Key files exchanged between installations: export of the finished keys and import of a key
// file into them.

#include <string>

struct ImportOutcome {
    int imported = 0;
    // The user-key ids ran out before every accepted record had one.
    bool outOfIds = false;
};

// Writes every record of g_KeyData to path; false when "KeyData.u" is missing or the file could
// not be written, which leaves an existing file as it was.
bool ExportFinishedKeys(const std::wstring& path);

// Appends the acceptable records of the key file at path to g_KeyData with new ids, and saves
// "KeyData.u" whenever the file existed.
ImportOutcome ImportFinishedKeys(const std::wstring& path);
