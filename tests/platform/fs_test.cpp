#include <grp.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>

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

TEST(ReplaceFile, NeverOpensWhatStandsAtItsPartialName) {
    // Someone else's link to his victim's file, a second name of it or a FIFO is removed; a
    // folder with a file in it cannot be, and the save is refused with its reason.
    enum Plant { kSymbolicLink, kHardLink, kFifo, kFullFolder };
    for (Plant plant : {kSymbolicLink, kHardLink, kFifo, kFullFolder}) {
        SCOPED_TRACE(plant);
        test::TempFolder folder;
        const auto partial = folder / "data_Bak.u.part";
        const auto victim = folder / "victim";
        std::ofstream(folder / "data.u") << "old";
        std::ofstream(victim) << "private";
        ASSERT_EQ(::chmod(victim.c_str(), 0600), 0);
        if (plant == kSymbolicLink) {
            std::filesystem::create_symlink(victim, partial);
        } else if (plant == kHardLink) {
            std::filesystem::create_hard_link(victim, partial);
        } else if (plant == kFifo) {
            ASSERT_EQ(::mkfifo(partial.c_str(), 0666), 0);
        } else {
            std::filesystem::create_directories(partial / "x");
        }
        std::string error;
        const bool saved =
            platform::ReplaceFile(folder / "data.u", folder / "data_Bak.u", AsBytes("new"), &error);
        EXPECT_EQ(saved, plant != kFullFolder);
        EXPECT_EQ(error, saved ? "" : "cannot create " + partial.string() + ": File exists");
        EXPECT_EQ(Content(folder / "data.u"), saved ? "new" : "old");
        EXPECT_EQ(Content(victim), "private");
        EXPECT_EQ(std::filesystem::status(victim).permissions(),
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }
}

// Root passes every access check, so the cases of a user who may or may not write a file run in
// a child that root's test drops to this user, in this group besides his own.
constexpr uid_t kUser = 65534;
constexpr gid_t kSharedGroup = 65533;
// Another user, in no group but his own.
constexpr uid_t kOtherUser = 65533;
constexpr uid_t kRoot = 0;

// The exit code of a child that does act as user (root stays root): 0 when act succeeds, 1 when
// it fails, 2 when the test cannot act as user in target's folder.
int InChild(uid_t user, gid_t group, std::span<const gid_t> groups,
            const std::filesystem::path& target, const std::function<bool()>& act) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (user != kRoot &&
            (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(group) != 0 ||
             ::setuid(user) != 0 || ::access(target.parent_path().c_str(), W_OK) != 0)) {
            ::_exit(2);
        }
        ::_exit(act() ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The same for a child that saves target twice (a user saves again what he saved once), as
// root or as one of the test's users: kUser is also in kSharedGroup.
int SaveTwiceInChild(const std::filesystem::path& target, uid_t user) {
    const gid_t sharedGroup[] = {kSharedGroup};
    return InChild(user, user, user == kUser ? sharedGroup : std::span<const gid_t>(), target, [&] {
        auto staging = target.string() + ".tmp";
        return platform::ReplaceFile(target, staging, AsBytes("new")) &&
               platform::ReplaceFile(target, staging, AsBytes("new"));
    });
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
        const int saved = SaveTwiceInChild(target, asUser ? kUser : kRoot);
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

// A stored access list ("system.posix_acl_access") naming both test users, as root:root 0444
// with setfacl -m u:65534:rw,u:65533:rw would have it: ls shows the mask rw as group bits.
std::vector<uint8_t> SharedWithBothUsers() {
    const uint32_t any = 0xffffffff;
    const uint32_t entries[][3] = {{0x01, 04, any}, {0x02, 06, kOtherUser}, {0x02, 06, kUser},
                                   {0x04, 04, any}, {0x10, 06, any},        {0x20, 04, any}};
    std::vector<uint8_t> list = {2, 0, 0, 0};
    for (const auto& [tag, perm, id] : entries) {
        for (uint32_t field : {tag | perm << 16, id}) {
            for (int shift = 0; shift < 32; shift += 8) {
                list.push_back(static_cast<uint8_t>(field >> shift));
            }
        }
    }
    return list;
}

TEST(ReplaceFile, TheNewFileGivesNoOneRightsTheOldDidNot) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can build files of other users";
    }
    struct Access {
        mode_t mode;
        uid_t owner;
        gid_t group;
    };
    enum Old { kPlain, kSharedByList, kLink };  // the list: SharedWithBothUsers()
    struct Row {
        const char* name;
        Old old;
        Access before;
        uid_t saver;
        Access after;
        bool groupMayWriteAfter;  // a member of the group after, named nowhere
        std::vector<uid_t> laterSavers;
    };
    // clang-format off
    const Row rows[] = {
        {"a user's set-user-id file saved by root", kPlain, {04755, kUser, kUser}, kRoot,
         {0755, kUser, kUser}, false, {kUser}},
        {"a set-group-id file saved by root", kPlain, {02775, kUser, kSharedGroup}, kRoot,
         {0775, kUser, kSharedGroup}, true, {}},
        {"a sticky file saved by root", kPlain, {01644, kUser, kUser}, kRoot,
         {0644, kUser, kUser}, false, {}},
        {"a user's file saved by root", kPlain, {0644, kUser, kUser}, kRoot,
         {0644, kUser, kUser}, false, {kUser}},
        {"root's file shared by an access list", kSharedByList, {0444, kRoot, kRoot}, kUser,
         {0664, kUser, kUser}, false, {kOtherUser, kUser}},
        {"root's file others may write, saved outside its group", kPlain, {0646, kRoot, kRoot},
         kUser, {0666, kUser, kUser}, true, {}},
        {"a link to a user's file saved by root", kLink, {0644, kUser, kUser}, kRoot,
         {0644, kRoot, kRoot}, false, {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempFolder folder;
        ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
        const auto file = folder / "file.u";
        std::ofstream(file) << "old";
        ASSERT_EQ(::chown(file.c_str(), row.before.owner, row.before.group), 0);
        ASSERT_EQ(::chmod(file.c_str(), row.before.mode), 0);
        if (row.old == kSharedByList) {
            const auto list = SharedWithBothUsers();
            ASSERT_EQ(
                ::setxattr(file.c_str(), "system.posix_acl_access", list.data(), list.size(), 0), 0)
                << "the temporary folder's file system refuses access lists: "
                << std::strerror(errno);
        }
        const auto target = row.old == kLink ? folder / "link.u" : file;
        if (row.old == kLink) {
            std::filesystem::create_symlink(file, target);
        }

        ASSERT_EQ(SaveTwiceInChild(target, row.saver), 0);
        struct stat after {};
        ASSERT_EQ(::lstat(target.c_str(), &after), 0);
        EXPECT_TRUE(S_ISREG(after.st_mode));
        EXPECT_EQ(after.st_mode & 07777, row.after.mode) << "mode " << std::oct << after.st_mode;
        EXPECT_EQ(after.st_uid, row.after.owner);
        EXPECT_EQ(after.st_gid, row.after.group);
        const uid_t stranger = 65532;
        EXPECT_EQ(InChild(stranger, row.after.group, {}, target,
                          [&] { return ::access(target.c_str(), W_OK) == 0; }),
                  row.groupMayWriteAfter ? 0 : 1)
            << "user " << stranger << " of group " << row.after.group << " writes";
        for (uid_t user : row.laterSavers) {
            EXPECT_EQ(SaveTwiceInChild(target, user), 0) << "user " << user << " saves next";
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

// Saves on the file systems of USB sticks, which keep no owner or mode per file: FAT through
// fusefat, exFAT through exfat-fuse and NTFS through ntfs-3g, each made on a small image here and
// mounted so that every user may write. Every file there has what the mount gives it, and a
// save by root or by any user replaces it.
struct Stick {
    const char* name;
    // Shell commands on the image $IMG and the mount folder $DIR.
    const char* make;
    const char* mount;
};

const Stick kSticks[] = {
    {"Fat", "mkfs.vfat $IMG", "fusefat -o rw+,allow_other $IMG $DIR"},
    // exfat-fuse, run by root, mounts only a block device: the image's loop device, which goes
    // as soon as the file system lets it go.
    {"ExFat", "mkfs.exfat -b 4096 $IMG",
     "D=$(losetup --find --show $IMG) && mount.exfat-fuse -o allow_other,umask=0 $D $DIR; "
     "R=$?; losetup -d $D; exit $R"},
    {"Ntfs", "mkntfs -F -f -q $IMG", "ntfs-3g -o allow_other,umask=0 $IMG $DIR"},
};

void PrintTo(const Stick& stick, std::ostream* out) {
    *out << stick.name;
}

// Runs a shell command in folder, on its stick.img and stick/, its output in folder/log: its
// exit code, 127 when a program it names is missing.
int RunShell(const std::filesystem::path& folder, const std::string& command) {
    const std::string line = "cd " + folder.string() +
                             " && export PATH=$PATH:/usr/sbin:/sbin IMG=$PWD/stick.img "
                             "DIR=$PWD/stick && (" +
                             command + ") >log 2>&1";
    const int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class RemovableStick : public ::testing::TestWithParam<Stick> {};

TEST_P(RemovableStick, EveryUserSavesAgainWhatHeOrAnotherSaved) {
    const Stick& stick = GetParam();
    if (::geteuid() != 0 || ::access("/dev/fuse", R_OK | W_OK) != 0) {
        GTEST_SKIP() << "only root can mount a stick for every user, and only with /dev/fuse";
    }
    test::TempFolder temp;
    const std::filesystem::path& folder = temp.path();
    ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);
    const int made =
        RunShell(folder, std::string("truncate -s 2M $IMG && mkdir $DIR && ") + stick.make);
    if (made == 127) {
        GTEST_SKIP() << test::ReadText(folder / "log") << "(scripts/install-deps.sh installs it)";
    }
    ASSERT_EQ(made, 0) << stick.make << ": " << test::ReadText(folder / "log");
    if (RunShell(folder, stick.mount) != 0) {
        GTEST_SKIP() << "cannot mount the stick: " << test::ReadText(folder / "log");
    }

    // Root's saves and the user's, each over the other's. Every write is a save: fusefat spins
    // for good on a rename over a file that was rewritten in place.
    const auto target = folder / "stick" / "KeyData.u";
    int saves = 0;
    for (uid_t saver : {kRoot, kRoot, kUser, kUser, kRoot}) {
        const std::string bytes = "save " + std::to_string(++saves);
        SCOPED_TRACE(bytes + " by user " + std::to_string(saver));
        auto save = [&] {
            return platform::ReplaceFile(target, folder / "stick" / "KeyData_Bak.u",
                                         AsBytes(bytes));
        };
        EXPECT_EQ(InChild(saver, saver, {}, target, save), 0);
        EXPECT_EQ(Content(target), bytes);
    }
    ::umount2((folder / "stick").c_str(), MNT_DETACH);
}

INSTANTIATE_TEST_SUITE_P(UsbSticks, RemovableStick, ::testing::ValuesIn(kSticks),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
