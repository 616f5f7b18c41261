#pragma once
// Files and folders in place of the Win32 file functions.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
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

// A regular file opened for reading, or nullptr; anything else (a FIFO, a device, a folder) is
// refused at once rather than waited on.
std::FILE* OpenRegularFile(const std::filesystem::path& path);

// The whole content of a file opened for reading only; nullopt when it cannot be read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path);

// Reads a file opened for reading only into the buffer that place() returns for the file's
// size, which may be smaller (the rest is not read) and may be reused storage. Returns the
// number of bytes read, or nullopt when the file cannot be read.
std::optional<size_t> ReadWholeFile(const std::filesystem::path& path,
                                    const std::function<std::span<uint8_t>(size_t)>& place);

// Replaces target with bytes so that target is either wholly old or wholly new: the bytes are
// written to a file made new beside staging (whatever stood at its name is removed, never
// opened), flushed to disk, named staging and then renamed over target, and the folder is
// synced; so a file named staging is always complete. The new file gives no one
// rights that target did not, apart from write access for this process: it keeps target's
// permission bits (never a set-id or sticky bit) and access list. Saved by root it keeps
// target's owner and group; saved by another user it is his, in target's group when he is in
// it, else in his own group, which gets only what others could do. A target that is a link is
// replaced by a plain file of this process's own. A target this process may not write (for
// root: one its owner made read-only) is not replaced. A file system that keeps no owners or modes
// gives the new file what it gives every file, as it gave the old one. On failure staging is
// removed, target is untouched, and the reason is returned in error.
bool ReplaceFile(const std::filesystem::path& target, const std::filesystem::path& staging,
                 std::span<const uint8_t> bytes, std::string* error = nullptr);

}  // namespace platform
