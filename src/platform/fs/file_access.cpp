#include "platform/fs/file_access.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <span>

namespace platform {
namespace {

constexpr char kAccessListName[] = "system.posix_acl_access";

// The stored access list: a u32 version, then entries of {u16 tag, u16 perm, u32 id}.
constexpr uint32_t kAccessListVersion = 2;
constexpr size_t kHeaderSize = 4;
constexpr size_t kEntrySize = 8;
constexpr size_t kPermOffset = 2;
constexpr uint32_t kUserObj = 0x01;
constexpr uint32_t kGroupObj = 0x04;
constexpr uint32_t kOther = 0x20;
constexpr uint32_t kLastTag = 0x20;  // USER 0x02, GROUP 0x08 and MASK 0x10 lie between
constexpr uint32_t kPermWrite = 0x02;

std::optional<uint32_t> ReadLittleEndian(std::span<const uint8_t> bytes, size_t at, size_t width) {
    if (at > bytes.size() || bytes.size() - at < width) {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (size_t i = width; i-- > 0;) {
        value = value << 8 | bytes[at + i];
    }
    return value;
}

void WriteU16LittleEndian(std::span<uint8_t> bytes, size_t at, uint32_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

// Where the perms of the entries for the owner, the owning group and others lie, and what the
// others may do.
struct OwnerEntries {
    size_t userObj = 0;
    size_t groupObj = 0;
    uint32_t otherPerm = 0;
};

std::optional<OwnerEntries> FindOwnerEntries(std::span<const uint8_t> list) {
    if (ReadLittleEndian(list, 0, 4) != kAccessListVersion ||
        (list.size() - kHeaderSize) % kEntrySize != 0) {
        return std::nullopt;
    }
    std::optional<size_t> userObj, groupObj, other;
    for (size_t at = kHeaderSize; at < list.size(); at += kEntrySize) {
        auto tag = ReadLittleEndian(list, at, 2);
        auto perm = ReadLittleEndian(list, at + kPermOffset, 2);
        if (!tag || !perm || *perm > 7 || *tag == 0 || *tag > kLastTag ||
            (*tag & (*tag - 1)) != 0) {
            return std::nullopt;
        }
        std::optional<size_t>* found = *tag == kUserObj    ? &userObj
                                       : *tag == kGroupObj ? &groupObj
                                       : *tag == kOther    ? &other
                                                           : nullptr;
        if (found != nullptr) {
            if (found->has_value()) {
                return std::nullopt;
            }
            *found = at + kPermOffset;
        }
    }
    if (!userObj || !groupObj || !other) {
        return std::nullopt;
    }
    return OwnerEntries{*userObj, *groupObj, *ReadLittleEndian(list, *other, 2)};
}

// The old list with the mode rules applied to it, or nullopt for a malformed one.
std::optional<std::vector<uint8_t>> AdjustedAccessList(std::vector<uint8_t> list, bool groupKept) {
    auto entries = FindOwnerEntries(list);
    if (!entries) {
        return std::nullopt;
    }
    WriteU16LittleEndian(list, entries->userObj,
                         *ReadLittleEndian(list, entries->userObj, 2) | kPermWrite);
    if (!groupKept) {
        WriteU16LittleEndian(list, entries->groupObj, entries->otherPerm);
    }
    return list;
}

// Whether the new file, described by now, gives no one but its saver rights that the old file
// did not. With an access list the group bits are its mask, and the list's own entries were
// adjusted as they were set.
bool GivesNoNewRights(const FileAccess& old, const struct stat& now) {
    const mode_t bits = now.st_mode & 07777;
    const bool oldOwner = old.regular && now.st_uid == old.owner;
    if (now.st_uid != ::geteuid() && !(oldOwner && (bits & S_IRWXU & ~(old.mode | S_IWUSR)) == 0)) {
        return false;
    }
    const mode_t groupMay =
        old.regular && now.st_gid == old.group ? old.mode & S_IRWXG : (old.mode & S_IRWXO) << 3;
    const bool groupWider = old.accessList.empty() && (bits & S_IRWXG & ~groupMay) != 0;
    return (bits & ~0777) == 0 && !groupWider && (bits & S_IRWXO & ~old.mode) == 0;
}

}  // namespace

std::optional<FileAccess> ReadFileAccess(const std::filesystem::path& path,
                                         const struct stat& followed) {
    FileAccess access;
    access.mode = followed.st_mode & 0777;
    struct stat own {};
    if (::lstat(path.c_str(), &own) != 0 || !S_ISREG(own.st_mode)) {
        return access;
    }
    access.regular = true;
    access.mode = own.st_mode & 0777;
    access.owner = own.st_uid;
    access.group = own.st_gid;
    ssize_t size = ::lgetxattr(path.c_str(), kAccessListName, nullptr, 0);
    if (size < 0 && (errno == ENODATA || errno == ENOTSUP)) {
        return access;
    }
    if (size > 0) {
        access.accessList.resize(static_cast<size_t>(size));
        size = ::lgetxattr(path.c_str(), kAccessListName, access.accessList.data(),
                           access.accessList.size());
    }
    if (size < 0) {
        return std::nullopt;
    }
    access.accessList.resize(static_cast<size_t>(size));
    return access;
}

bool ApplyFileAccess(int fd, const FileAccess& access) {
    // On a file system that keeps no owners or modes (FAT; exFAT and NTFS mounted for every
    // user) these calls fail or change nothing, and every file has what the mount gives it, as
    // the old one had: what the new file has after them decides, not their errors.
    int refusal = 0;
    auto attempt = [&](int result) {
        if (result != 0 && refusal == 0) {
            refusal = errno;
        }
    };
    // Root may give the file away; another user may give it only a group he is in.
    if (access.regular) {
        attempt(::geteuid() == 0 ? ::fchown(fd, access.owner, access.group)
                                 : ::fchown(fd, static_cast<uid_t>(-1), access.group));
    }
    struct stat now {};
    if (::fstat(fd, &now) != 0) {
        return false;
    }
    const bool groupKept = access.regular && now.st_gid == access.group;
    // The group the file falls to gets what its members could do before: the others' share.
    mode_t mode = access.mode | S_IWUSR;
    if (!groupKept) {
        mode = (mode & ~S_IRWXG) | ((mode & S_IRWXO) << 3);
    }
    attempt(::fchmod(fd, mode));
    if (!access.accessList.empty()) {
        // Setting the list sets the permission bits too, so it comes last.
        auto list = AdjustedAccessList(access.accessList, groupKept);
        if (!list) {
            errno = EINVAL;
            return false;
        }
        if (::fsetxattr(fd, kAccessListName, list->data(), list->size(), 0) != 0) {
            return false;
        }
    }
    if (::fstat(fd, &now) != 0) {
        return false;
    }
    if (GivesNoNewRights(access, now)) {
        return true;
    }
    errno = refusal != 0 ? refusal : EPERM;
    return false;
}

}  // namespace platform
