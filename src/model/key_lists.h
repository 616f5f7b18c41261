#pragma once
// The two process-wide key lists and the operations that find and change their records.
// Every change saves the whole list to its file at once.

#include <cstddef>
#include <span>
#include <string>

#include "model/key_records.h"
#include "model/record_file.h"

extern KeyDataList g_KeyData;      // finished keys, "KeyData.u"
extern KeyDataList g_KeyDataEdit;  // unfinished keys, "KeyDataEdit.u"

// Copies records into buffer one by one until the id matches; without a match the buffer
// holds the last record, and on an empty list it is left alone. Returns buffer.
KeyDataRecord* FindKeyById(KeyDataRecord* buffer, int id);
KeyDataRecord* FindEditKeyById(KeyDataRecord* buffer, int id);

// Removes the first record with the same id, appends the given one, saves. False when the
// file could not be written: the list is then as it was before the call.
bool UpsertKeyData(KeyDataRecord record);
bool UpsertKeyDataEdit(KeyDataRecord record);

// An unfinished key finished: the record goes into g_KeyData and its id out of g_KeyDataEdit,
// both saved, with the finish's journal around the two saves. The pending edit of a finished
// key replaces that key; any other finished key of the id refuses the finish. False when a file
// could not be written or the finish is refused: both lists are then as they were.
bool FinishKeyEdit(KeyDataRecord record);

// Marks the first record with the id deleted (status 0); saves in any case.
void MarkKeyDeleted(int id);
// Removes the first unfinished record with the id; saves in any case. False when the file
// could not be written: the list is then as it was before the call.
bool RemoveKeyEdit(int id);

// Stores text in a fixed single-byte field in the ANSI code page, cut at a character
// boundary so that the NUL always fits; the bytes behind the NUL are left as they were.
void WideToAnsi(const std::wstring& text, std::span<char> field);
template <size_t N>
void WideToAnsi(const std::wstring& text, char (&field)[N]) {
    WideToAnsi(text, std::span<char>(field, N));
}

// A fixed single-byte field as wide text, read up to its NUL and never past its end.
std::wstring AnsiToWide(std::span<const char> field);
template <size_t N>
std::wstring AnsiToWide(const char (&field)[N]) {
    return AnsiToWide(std::span<const char>(field, N));
}

// The program's folder with its trailing separator.
std::wstring GetAppDirectory();
