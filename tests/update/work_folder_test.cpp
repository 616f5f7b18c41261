#include "update/work_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/text/text.h"
#include "support/temp_folder.h"

namespace test {
namespace {

class WorkFolder : public ::testing::Test {
  protected:
    std::filesystem::path Expected() const { return temp_ / "tarvan"; }
    mode_t Mode() const {
        struct stat status {};
        ::lstat(Expected().c_str(), &status);
        return status.st_mode & 07777;
    }

    TempFolder temp_;
    ScopedTemporaryFolder tmpdir_{temp_};
    WorkFolderRefusal refusal_;
};

TEST_F(WorkFolder, IsMadeForTheUserAloneAndKeptWithItsFiles) {
    mode_t umask = ::umask(0);  // a folder made without the mask's help must still be closed
    std::wstring path = GetTempWorkDir(&refusal_);
    ::umask(umask);
    EXPECT_EQ(path, platform::Utf8ToWide(Expected().string()));
    EXPECT_EQ(Mode(), 0700u);
    std::ofstream(Expected() / "temp.7z") << "kept";
    EXPECT_EQ(GetTempWorkDir(&refusal_), path);
    EXPECT_TRUE(std::filesystem::exists(Expected() / "temp.7z"));
    EXPECT_TRUE(refusal_.folder.empty());
}

// The dialog says our own reasons in the user's language and the system's error as it stands.
TEST_F(WorkFolder, RefusesALinkAFileOrAFolderOthersMayEnterAndSaysWhy) {
    auto refused = [this](WorkFolderProblem problem, std::filesystem::path folder = {}) {
        EXPECT_EQ(GetTempWorkDir(&refusal_), L"");
        folder = folder.empty() ? Expected() : folder;
        EXPECT_EQ(refusal_.folder, platform::Utf8ToWide(folder.string()));
        EXPECT_EQ(refusal_.problem, problem);
        EXPECT_EQ(refusal_.systemError.empty(), problem != WorkFolderProblem::kSystemError);
    };
    TempFolder elsewhere;
    std::filesystem::create_directory_symlink(elsewhere.path(), Expected());
    refused(WorkFolderProblem::kSymbolicLink);
    std::filesystem::remove(Expected());

    std::ofstream(Expected()) << "a file";
    refused(WorkFolderProblem::kNotAFolder);
    std::filesystem::remove(Expected());

    std::filesystem::create_directory(Expected());
    ::chmod(Expected().c_str(), 0755);
    refused(WorkFolderProblem::kOpenToOtherUsers);
    ::chmod(Expected().c_str(), 0700);
    if (::chown(Expected().c_str(), ::geteuid() + 1, ::getegid()) == 0) {  // as root only
        refused(WorkFolderProblem::kOwnedByAnotherUser);
    }
    std::filesystem::remove(Expected());

    std::filesystem::path file = temp_ / "a file";
    std::ofstream(file) << "in the way";
    ScopedVariable fileAsTmpdir("TMPDIR", file.c_str());
    refused(WorkFolderProblem::kSystemError, file / "tarvan");
}

TEST_F(WorkFolder, WithoutTmpdirLiesInTheUsersCacheFolder) {
    ScopedVariable noTmpdir("TMPDIR", nullptr);
    {
        ScopedVariable cache("XDG_CACHE_HOME", temp_.path().c_str());
        EXPECT_EQ(GetTempWorkDir(&refusal_), platform::Utf8ToWide(Expected().string()));
    }
    ScopedVariable noCache("XDG_CACHE_HOME", nullptr);
    ScopedVariable home("HOME", temp_.path().c_str());
    EXPECT_EQ(GetTempWorkDir(&refusal_), platform::Utf8ToWide((temp_ / ".cache/tarvan").string()));
}

}  // namespace
}  // namespace test
