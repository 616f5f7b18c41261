#pragma once
// The update tool's work folder "tarvan" in the user's own temporary place ($TMPDIR, else the
// user's cache folder), which holds the downloaded archive and the unpacked data image.

#include <string>

// Why the folder was refused: the system's error, or a folder that is unsafe to use.
enum class WorkFolderProblem {
    kSystemError,
    kSymbolicLink,
    kNotAFolder,
    kOwnedByAnotherUser,
    kOpenToOtherUsers,
};

struct WorkFolderRefusal {
    std::wstring folder;
    WorkFolderProblem problem = WorkFolderProblem::kSystemError;
    // The system's own text, for kSystemError only.
    std::wstring systemError;
};

// The folder's path, created when missing. The folder is used only when it is a real folder
// (no symbolic link) of the user's own that no one else may enter (mode 0700); otherwise the
// result is empty and *refusal, when given, says why.
std::wstring GetTempWorkDir(WorkFolderRefusal* refusal = nullptr);
