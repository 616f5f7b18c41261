#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/fs/fs.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace {

std::span<const uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

std::string Content(const std::filesystem::path& path) {
    auto bytes = platform::ReadWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<unreadable>";
}

TEST(Folders, ProgramFolderIsTheExecutablesWithATrailingSeparator) {
    std::wstring folder = platform::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'/');
    EXPECT_TRUE(std::filesystem::exists(platform::ToPath(folder + L"test_platform")));

    platform::OverrideProgramFolder(L"/somewhere/");
    EXPECT_EQ(platform::ProgramFolder(), L"/somewhere/");
    platform::OverrideProgramFolder(L"");
    EXPECT_EQ(platform::ProgramFolder(), folder);

    EXPECT_EQ(platform::ToPath(platform::CurrentFolder()), std::filesystem::current_path());
}

TEST(ReplaceFile, IsWhollyOldOrWhollyNew) {
    test::TempFolder folder;
    auto target = folder / "data.u";
    auto staging = folder / "data_Bak.u";
    ASSERT_TRUE(platform::ReplaceFile(target, staging, AsBytes("first")));
    ASSERT_TRUE(platform::ReplaceFile(target, staging, AsBytes("second")));
    EXPECT_EQ(Content(target), "second");
    EXPECT_FALSE(std::filesystem::exists(staging));

    std::string error;
    {
        test::ScopedFileSizeLimit limit(3);
        EXPECT_FALSE(platform::ReplaceFile(target, staging, AsBytes("third"), &error));
    }
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(Content(target), "second");
    EXPECT_FALSE(std::filesystem::exists(staging));
    EXPECT_FALSE(std::filesystem::exists(folder / "data_Bak.u.part"));

    EXPECT_FALSE(platform::ReplaceFile(folder / "no" / "x", folder / "no" / "y", AsBytes("x")));
}

TEST(ReplaceFile, StagingLeftLongerByAKilledSaveBringsNothingBack) {
    test::TempFolder folder;
    auto staging = folder / "data_Bak.u";
    std::ofstream(staging) << "old records of an earlier save";
    // The bytes are written under the staging name with ".part" added.
    std::ofstream(folder / "data_Bak.u.part") << "records of a save killed while writing";
    ASSERT_TRUE(platform::ReplaceFile(folder / "data.u", staging, AsBytes("new")));
    EXPECT_EQ(Content(folder / "data.u"), "new");
}

// Root passes every access check, so the cases of a user who may or may not write a file run in
// a child that root's test drops to this user, in this group besides his own.
constexpr uid_t kUser = 65534;
constexpr gid_t kSharedGroup = 65533;

// The exit code of a child that saves target twice (a user saves again what he saved once):
// 0 when both saves are done, 1 when one is refused, 2 when the test cannot act as kUser.
int SaveTwiceInChild(const std::filesystem::path& target, bool asUser) {
    const pid_t child = ::fork();
    if (child == 0) {
        const gid_t groups[] = {kSharedGroup};
        if (asUser && (::setgroups(1, groups) != 0 || ::setgid(kUser) != 0 ||
                       ::setuid(kUser) != 0 || ::access(target.parent_path().c_str(), W_OK) != 0)) {
            ::_exit(2);
        }
        auto staging = target.string() + ".tmp";
        bool saved = platform::ReplaceFile(target, staging, AsBytes("new")) &&
                     platform::ReplaceFile(target, staging, AsBytes("new"));
        ::_exit(saved ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ReplaceFile, OnlyAFileThisUserMayWriteIsReplaced) {
    struct Row {
        const char* name;
        mode_t mode;  // 0: no file yet
        bool ownedBySaver;
        gid_t group;
        bool savedByRoot;
        bool replaced;
    };
    const Row rows[] = {
        {"another user's file the saver's group may write", 0464, false, kSharedGroup, false, true},
        {"the saver's own file without any write bit", 0444, true, kUser, false, false},
        {"another user's file in a folder the saver may write", 0644, false, 0, false, false},
        {"no file yet", 0, true, kUser, false, true},
        {"root's own file with the owner's write bit clear", 0464, true, 0, true, false},
    };
    const bool root = ::geteuid() == 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (!root && (!row.ownedBySaver || row.savedByRoot)) {
            continue;  // only root can build this case
        }
        test::TempFolder folder;
        const bool asUser = root && !row.savedByRoot;
        if (asUser) {
            ASSERT_EQ(::chown(folder.path().c_str(), kUser, kUser), 0);
            ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
        }
        const auto target = folder / "data.u";
        struct stat before {};
        if (row.mode != 0) {
            std::ofstream(target) << "old";
            if (root) {
                ASSERT_EQ(
                    ::chown(target.c_str(), row.ownedBySaver && asUser ? kUser : 0, row.group), 0);
            }
            ASSERT_EQ(::chmod(target.c_str(), row.mode), 0);
            ASSERT_EQ(::stat(target.c_str(), &before), 0);
        }
        const int saved = SaveTwiceInChild(target, asUser);
        ASSERT_NE(saved, 2) << "cannot act as user " << kUser << " in " << folder.path();
        EXPECT_EQ(saved, row.replaced ? 0 : 1);
        EXPECT_EQ(Content(target), row.replaced ? "new" : "old");
        struct stat after {};
        if (row.mode != 0 && ::stat(target.c_str(), &after) == 0) {
            EXPECT_EQ(after.st_gid, before.st_gid);  // still shared with the same group
            if (!row.replaced) {
                EXPECT_EQ(after.st_uid, before.st_uid);  // not taken over
            }
        }
    }
}

TEST(ReadWholeFile, ReadsEverythingOrNothing) {
    test::TempFolder folder;
    std::string big(200000, 'k');
    ASSERT_TRUE(platform::ReplaceFile(folder / "big", folder / "big.tmp", AsBytes(big)));
    EXPECT_EQ(Content(folder / "big"), big);
    EXPECT_FALSE(platform::ReadWholeFile(folder / "missing"));
    EXPECT_FALSE(platform::ReadWholeFile(folder.path()));
}

}  // namespace
