#include "update/work_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/text/text.h"

namespace {

const char* Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

// The user's own temporary place: in the shared /tmp another user could take the name first.
std::filesystem::path TemporaryFolder() {
    if (const char* folder = Variable("TMPDIR")) {
        return folder;
    }
    if (const char* cache = Variable("XDG_CACHE_HOME")) {
        return cache;
    }
    const char* home = Variable("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / ".cache";
}

std::wstring Refuse(WorkFolderRefusal* refusal, const std::filesystem::path& folder,
                    WorkFolderProblem problem, int error = 0) {
    if (refusal != nullptr) {
        *refusal = {platform::Utf8ToWide(folder.string()), problem,
                    error != 0 ? platform::Utf8ToWide(std::strerror(error)) : L""};
    }
    return L"";
}

}  // namespace

std::wstring GetTempWorkDir(WorkFolderRefusal* refusal) {
    std::filesystem::path base = TemporaryFolder();
    std::error_code ignored;
    std::filesystem::create_directories(base, ignored);
    std::filesystem::path folder = base / "tarvan";
    if (::mkdir(folder.c_str(), 0700) == 0) {
        // The umask may have taken bits away; the mode must be exactly the owner's.
        ::chmod(folder.c_str(), 0700);
    } else if (errno != EEXIST) {
        return Refuse(refusal, folder, WorkFolderProblem::kSystemError, errno);
    }
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0) {
        return Refuse(refusal, folder, WorkFolderProblem::kSystemError, errno);
    }
    if (S_ISLNK(status.st_mode)) {
        return Refuse(refusal, folder, WorkFolderProblem::kSymbolicLink);
    }
    if (!S_ISDIR(status.st_mode)) {
        return Refuse(refusal, folder, WorkFolderProblem::kNotAFolder);
    }
    if (status.st_uid != ::geteuid()) {
        return Refuse(refusal, folder, WorkFolderProblem::kOwnedByAnotherUser);
    }
    if ((status.st_mode & 07777) != 0700) {
        return Refuse(refusal, folder, WorkFolderProblem::kOpenToOtherUsers);
    }
    return platform::Utf8ToWide(folder.string());
}
