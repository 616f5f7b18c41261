#pragma once
// Files and folders in place of the Win32 file functions.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

// The folder of the running executable with a trailing '/', or "" when it cannot be told.
std::wstring ProgramFolder();
// Tests put the program's files in a folder of their own.
void OverrideProgramFolder(const std::wstring& folder);

// The process's current folder, without a trailing separator.
std::wstring CurrentFolder();

std::filesystem::path ToPath(const std::wstring& path);

// The whole content of a regular file opened for reading only; nullopt when it cannot be read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path);

// Replaces target with bytes so that target is either wholly old or wholly new: the bytes go
// to staging (created afresh), which is flushed to disk and renamed over target, and the
// folder is synced. On failure staging is removed, target is untouched, and the reason is
// returned in error.
bool ReplaceFile(const std::filesystem::path& target, const std::filesystem::path& staging,
                 std::span<const uint8_t> bytes, std::string* error = nullptr);

}  // namespace platform
