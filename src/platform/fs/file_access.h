#pragma once
// Who may use a file that replaces another: the old file's owner, group, permission bits and
// access list, as far as they give no one rights he did not have.

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace platform {

struct FileAccess {
    mode_t mode = 0;  // permission bits only: a key file is data, never a set-id program
    // Owner, group and access list come only from a regular file: a link planted in the
    // target's place must not choose to whom root's new file belongs.
    bool regular = false;
    uid_t owner = 0;
    gid_t group = 0;
    std::vector<uint8_t> accessList;  // as stored in "system.posix_acl_access"; empty: none
};

// The access of the file at path, which stat described in followed (through a link).
// nullopt, with errno set, when its access list cannot be read.
std::optional<FileAccess> ReadFileAccess(const std::filesystem::path& path,
                                         const struct stat& followed);

// Gives the file open at fd the old file's access, with write access for this process. Root
// keeps the owner and group; another user keeps the group when he is in it, and otherwise
// gives his own group no more than the old file gave to others. Where the file system keeps
// no owner or mode (it gives every file the same), what the file has is kept. False, with
// errno set, when the file would give anyone but this process rights the old one did not, or
// its access list cannot be set.
bool ApplyFileAccess(int fd, const FileAccess& access);

}  // namespace platform
