// Saves on the file systems of USB sticks, which keep no owner or mode per file: FAT through
// fusefat, exFAT through exfat-fuse and NTFS through ntfs-3g, each made on a small image here and
// mounted so that every user may write. Every file there has what the mount gives it, and a
// save by root or by any user replaces it.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "platform/fs_users.h"
#include "support/temp_folder.h"

namespace {

struct Stick {
    const char* name;
    const char* tools;
    // Shell commands on the image $IMG and the mount folder $DIR.
    const char* make;
    const char* mount;
};

const Stick kSticks[] = {
    {"Fat", "mkfs.vfat fusefat", "mkfs.vfat $IMG", "fusefat -o rw+,allow_other $IMG $DIR"},
    // exfat-fuse, run by root, mounts only a block device: the image's loop device, which goes
    // as soon as the file system lets it go.
    {"ExFat", "mkfs.exfat mount.exfat-fuse losetup", "mkfs.exfat -b 4096 $IMG",
     "D=$(losetup --find --show $IMG) && mount.exfat-fuse -o allow_other,umask=0 $D $DIR; "
     "R=$?; losetup -d $D; exit $R"},
    {"Ntfs", "mkntfs ntfs-3g", "mkntfs -F -f -q $IMG", "ntfs-3g -o allow_other,umask=0 $IMG $DIR"},
};

void PrintTo(const Stick& stick, std::ostream* out) {
    *out << stick.name;
}

// Runs a shell command in folder, on its stick.img and stick/; its output, when it fails.
std::optional<std::string> RunShell(const std::filesystem::path& folder,
                                    const std::string& command) {
    const std::string line =
        "cd " + folder.string() +
        " && export PATH=$PATH:/usr/sbin:/sbin IMG=" + (folder / "stick.img").string() +
        " DIR=" + (folder / "stick").string() + " && (" + command + ") >log 2>&1";
    if (std::system(line.c_str()) == 0) {
        return std::nullopt;
    }
    return command + ": " + test::ReadText(folder / "log");
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
    if (RunShell(folder,
                 std::string("for t in ") + stick.tools + "; do command -v $t || exit 1; done")) {
        GTEST_SKIP() << stick.tools << " are needed (scripts/install-deps.sh installs them)";
    }
    const auto made =
        RunShell(folder, std::string("truncate -s 2M $IMG && mkdir $DIR && ") + stick.make);
    ASSERT_FALSE(made) << *made;
    if (const auto failed = RunShell(folder, stick.mount)) {
        GTEST_SKIP() << "cannot mount the stick: " << *failed;
    }

    // Root's saves and the user's, each over the other's. Every write is a save: fusefat spins
    // for good on a rename over a file that was rewritten in place.
    const auto target = folder / "stick" / "KeyData.u";
    int saves = 0;
    for (uid_t saver : {test::kRoot, test::kRoot, test::kUser, test::kUser, test::kRoot}) {
        const std::string bytes = "save " + std::to_string(++saves);
        SCOPED_TRACE(bytes + " by user " + std::to_string(saver));
        auto save = [&] {
            return platform::ReplaceFile(target, folder / "stick" / "KeyData_Bak.u",
                                         test::AsBytes(bytes));
        };
        EXPECT_EQ(test::InChild(saver, saver, {}, target, save), 0);
        EXPECT_EQ(test::Content(target), bytes);
    }
    ::umount2((folder / "stick").c_str(), MNT_DETACH);
}

INSTANTIATE_TEST_SUITE_P(UsbSticks, RemovableStick, ::testing::ValuesIn(kSticks),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
