#pragma once
// The diagnostic log "log.bin" beside the program: one time-stamped line per call, on disk as
// soon as the call returns.

#include <cstddef>
#include <cstdint>
#include <string>

void WriteLog(std::wstring text);

// "2026-01-01 08:05:03:007": local time, milliseconds after a colon.
std::wstring LocalTimeStamp();
std::wstring IntToString(int32_t n);
// data[start] .. data[start + count - 1] as "06 00 D1".
std::wstring BytesToHex(const uint8_t* data, size_t count, size_t start);
