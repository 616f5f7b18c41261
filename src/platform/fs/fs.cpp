#include "platform/fs/fs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "platform/fs/file_access.h"
#include "platform/text/text.h"

namespace platform {
namespace {

std::mutex g_overrideMutex;
std::wstring g_programFolderOverride;

std::string ErrorText(const char* what, const std::filesystem::path& path) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(errno);
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// A descriptor of a regular file opened for reading, described in info, or -1. Not blocking:
// opening a FIFO for reading would wait for a writer before the check could turn it away.
int OpenRegular(const std::filesystem::path& path, struct stat& info) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Whether this process may write the file at path, described in info: a rename would replace
// it all the same. Root passes every access check, so for root a file its owner made read-only
// stays read-only.
bool MayWrite(const std::filesystem::path& path, const struct stat& info) {
    if (::geteuid() == 0) {
        return (info.st_mode & S_IWUSR) != 0;
    }
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

std::wstring ProgramFolder() {
    {
        std::lock_guard lock(g_overrideMutex);
        if (!g_programFolderOverride.empty()) {
            return g_programFolderOverride;
        }
    }
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path()) {
        return L"";
    }
    return Utf8ToWide(exe.parent_path().string()) + L"/";
}

void OverrideProgramFolder(const std::wstring& folder) {
    std::lock_guard lock(g_overrideMutex);
    g_programFolderOverride = folder;
}

std::wstring CurrentFolder() {
    std::error_code error;
    std::filesystem::path current = std::filesystem::current_path(error);
    return error ? L"" : Utf8ToWide(current.string());
}

std::filesystem::path ToPath(const std::wstring& path) {
    return std::filesystem::path(WideToUtf8(path));
}

std::FILE* OpenRegularFile(const std::filesystem::path& path) {
    struct stat info {};
    int fd = OpenRegular(path, info);
    if (fd < 0) {
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
    }
    return file;
}

std::optional<size_t> ReadWholeFile(const std::filesystem::path& path,
                                    const std::function<std::span<uint8_t>(size_t)>& place) {
    struct stat info {};
    int fd = OpenRegular(path, info);
    if (fd < 0) {
        return std::nullopt;
    }
    std::span<uint8_t> buffer = place(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < buffer.size()) {
        ssize_t n = ::read(fd, buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;  // the file shrank since it was measured
        }
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    return done;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path) {
    std::vector<uint8_t> bytes;
    auto read = ReadWholeFile(path, [&](size_t size) {
        bytes.resize(size);
        return std::span<uint8_t>(bytes);
    });
    if (!read) {
        return std::nullopt;
    }
    bytes.resize(*read);
    return bytes;
}

bool ReplaceFile(const std::filesystem::path& target, const std::filesystem::path& staging,
                 std::span<const uint8_t> bytes, std::string* error) {
    // The bytes take a name of staging's only once they are on disk: a write cut short by a
    // kill or a power loss leaves a file that nothing takes for a finished one.
    std::filesystem::path partial = staging;
    partial += ".part";
    auto fail = [&](std::string reason) {
        if (error != nullptr) {
            *error = std::move(reason);
        }
        ::unlink(partial.c_str());
        ::unlink(staging.c_str());
        return false;
    };
    struct stat previous {};
    const bool replacing = ::stat(target.c_str(), &previous) == 0;
    if (replacing && !MayWrite(target, previous)) {
        if (error != nullptr) {
            *error = "not replacing read-only " + target.string();
        }
        return false;
    }
    std::optional<FileAccess> access;
    if (replacing) {
        access = ReadFileAccess(target, previous);
        if (!access) {
            if (error != nullptr) {
                *error = ErrorText("cannot read the access list of", target);
            }
            return false;
        }
    }
    // Whatever stands at the partial name (a link, another's file, a FIFO) was put there by
    // someone else or left by a save cut short: it is never opened, only removed, and the file
    // is made new there. A file that replaces another is private until it has the old one's
    // access.
    ::unlink(partial.c_str());
    int fd =
        ::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
               replacing ? 0600 : 0644);
    if (fd < 0) {
        if (error != nullptr) {
            *error = ErrorText("cannot create", partial);
        }
        return false;
    }
    // Dropping who may use the file would be as wrong as widening it: then no save at all.
    if (access && !ApplyFileAccess(fd, *access)) {
        std::string reason = ErrorText("cannot give the access of the old file to", partial);
        ::close(fd);
        return fail(reason);
    }
    if (!WriteAll(fd, bytes)) {
        std::string reason = ErrorText("cannot write", partial);
        ::close(fd);
        return fail(reason);
    }
    if (::fsync(fd) != 0) {
        std::string reason = ErrorText("cannot flush", partial);
        ::close(fd);
        return fail(reason);
    }
    if (::close(fd) != 0) {
        return fail(ErrorText("cannot close", partial));
    }
    if (::rename(partial.c_str(), staging.c_str()) != 0) {
        return fail(ErrorText("cannot rename", partial));
    }
    if (::rename(staging.c_str(), target.c_str()) != 0) {
        return fail(ErrorText("cannot rename over", target));
    }
    // The rename is only durable once the folder is on disk too.
    std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

}  // namespace platform
