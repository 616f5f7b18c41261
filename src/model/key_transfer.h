#pragma once
// The carrier of key files: export of the finished keys and import of a key file.

#include <string>

struct ImportOutcome {
    int imported = 0;
    // The user-key ids ran out before every accepted record had one.
    bool outOfIds = false;
};

class CKeyTransfer {
  public:
    // Writes every record of g_KeyData to path; 1 written, 0 not ("KeyData.u" missing or the
    // file could not be written, which leaves an existing file as it was).
    int ExportKeyData(const std::wstring& path);

    // Appends the acceptable records of the key file at path to g_KeyData with new ids, and
    // saves "KeyData.u" whenever the file existed.
    ImportOutcome ImportKeyFile(const std::wstring& path);
};
