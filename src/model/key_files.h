#pragma once
// The record files beside the program: loading, safe saving, and the user-key id counter.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/key_lists.h"

inline constexpr const wchar_t* kKeyDataFile = L"KeyData.u";
inline constexpr const wchar_t* kKeyDataBackupFile = L"KeyData_Bak.u";
inline constexpr const wchar_t* kKeyDataEditFile = L"KeyDataEdit.u";
inline constexpr const wchar_t* kKeyDataEditBackupFile = L"KeyDataEdit_Bak.u";

// A file that lies beside the program.
std::filesystem::path BesideProgram(const wchar_t* name);

// The whole records of a record file image, in order; a trailing partial record is ignored.
KeyDataList ParseRecords(std::span<const uint8_t> bytes);
// The list's file image, a view of its storage: records lie in files as they lie in memory.
std::span<const uint8_t> RecordBytes(const KeyDataList& records);

// Fill the list from its file beside the program; 1 when records were loaded, else 0.
int LoadKeyData();
int LoadKeyDataEdit();
// Both lists, as a start loads them. The key of a finish cut short between its two saves stays
// finished only. Any other unfinished key that shares its id with a finished key or an earlier
// unfinished one takes a new id. The unfinished file is saved when it changed.
void LoadKeyLists();

// Replace the file beside the program with the list; false when it could not be written,
// which keeps the old file whole and is logged.
bool SaveKeyData(const KeyDataList& records);
bool SaveKeyDataEdit(const KeyDataList& records);

// The next user-key id from the counter in "config.ini" of the current folder, or nullopt
// when the ids are used up (a key id is 16 bits) or the counter cannot be written.
std::optional<int> AllocateUserKeyId();
