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
    std::wstring error_;
};

TEST_F(WorkFolder, IsMadeForTheUserAloneAndKeptWithItsFiles) {
    mode_t umask = ::umask(0);  // a folder made without the mask's help must still be closed
    std::wstring path = GetTempWorkDir(&error_);
    ::umask(umask);
    EXPECT_EQ(path, platform::Utf8ToWide(Expected().string()));
    EXPECT_EQ(Mode(), 0700u);
    std::ofstream(Expected() / "temp.7z") << "kept";
    EXPECT_EQ(GetTempWorkDir(&error_), path);
    EXPECT_TRUE(std::filesystem::exists(Expected() / "temp.7z"));
    EXPECT_TRUE(error_.empty());
}

TEST_F(WorkFolder, RefusesALinkAFileOrAFolderOthersMayEnter) {
    TempFolder elsewhere;
    std::filesystem::create_directory_symlink(elsewhere.path(), Expected());
    EXPECT_EQ(GetTempWorkDir(&error_), L"");
    EXPECT_NE(error_.find(L"symbolic link"), std::wstring::npos);
    std::filesystem::remove(Expected());

    std::ofstream(Expected()) << "a file";
    EXPECT_EQ(GetTempWorkDir(&error_), L"");
    std::filesystem::remove(Expected());

    std::filesystem::create_directory(Expected());
    ::chmod(Expected().c_str(), 0755);
    EXPECT_EQ(GetTempWorkDir(&error_), L"");
    EXPECT_NE(error_.find(L"other users"), std::wstring::npos);
}

TEST_F(WorkFolder, WithoutTmpdirLiesInTheUsersCacheFolder) {
    ScopedVariable noTmpdir("TMPDIR", nullptr);
    {
        ScopedVariable cache("XDG_CACHE_HOME", temp_.path().c_str());
        EXPECT_EQ(GetTempWorkDir(&error_), platform::Utf8ToWide(Expected().string()));
    }
    ScopedVariable noCache("XDG_CACHE_HOME", nullptr);
    ScopedVariable home("HOME", temp_.path().c_str());
    EXPECT_EQ(GetTempWorkDir(&error_), platform::Utf8ToWide((temp_ / ".cache/tarvan").string()));
}

}  // namespace
}  // namespace test
