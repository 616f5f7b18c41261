#include "update/work_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/text/text.h"

namespace {

std::filesystem::path TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

std::wstring Refuse(std::wstring* error, const std::filesystem::path& folder,
                    std::wstring_view reason) {
    if (error != nullptr) {
        *error = platform::Utf8ToWide(folder.string()) + L": " + std::wstring(reason);
    }
    return L"";
}

}  // namespace

std::wstring GetTempWorkDir(std::wstring* error) {
    std::filesystem::path folder = TemporaryFolder() / "tarvan";
    if (::mkdir(folder.c_str(), 0700) == 0) {
        // The umask may have taken bits away; the mode must be exactly the owner's.
        ::chmod(folder.c_str(), 0700);
    } else if (errno != EEXIST) {
        return Refuse(error, folder, platform::Utf8ToWide(std::strerror(errno)));
    }
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0) {
        return Refuse(error, folder, platform::Utf8ToWide(std::strerror(errno)));
    }
    if (S_ISLNK(status.st_mode)) {
        return Refuse(error, folder, L"a symbolic link");
    }
    if (!S_ISDIR(status.st_mode)) {
        return Refuse(error, folder, L"not a folder");
    }
    if (status.st_uid != ::geteuid()) {
        return Refuse(error, folder, L"owned by another user");
    }
    if ((status.st_mode & 07777) != 0700) {
        return Refuse(error, folder, L"open to other users");
    }
    return platform::Utf8ToWide(folder.string());
}
