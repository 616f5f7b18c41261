#pragma once
// The record files beside the program: loading, safe saving, and the user-key id counter.

#include <optional>

#include "model/key_lists.h"
#include "model/record_file.h"

inline constexpr const wchar_t* kKeyDataFile = L"KeyData.u";
inline constexpr const wchar_t* kKeyDataBackupFile = L"KeyData_Bak.u";
inline constexpr const wchar_t* kKeyDataEditFile = L"KeyDataEdit.u";
inline constexpr const wchar_t* kKeyDataEditBackupFile = L"KeyDataEdit_Bak.u";

// Fill the list from its file beside the program; 1 when records were loaded, else 0. A file
// that cannot be read, or is larger than 65536 records, loads nothing and is never saved over.
int LoadKeyData();
int LoadKeyDataEdit();
// Both lists, as a start loads them. The key of a finish cut short between its two saves stays
// finished only. Any other unfinished key that shares its id with a finished key or an earlier
// unfinished one takes a new id, unless it is the first pending edit of that finished key. The
// unfinished file is saved when it changed.
void LoadKeyLists();

// Replace the file beside the program with the list; false when it could not be written or
// holds more records than there are key ids, which keeps the old file whole and is logged.
bool SaveKeyData(const KeyDataList& records);
bool SaveKeyDataEdit(const KeyDataList& records);

// The next user-key id from the counter in "config.ini" of the current folder: below every id
// in use, else the free id nearest the counter; nullopt when every id from -101 down to -32768
// is held (a key id is 16 bits) or the counter cannot be written.
std::optional<int> AllocateUserKeyId();
