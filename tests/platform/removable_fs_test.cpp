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
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "platform/fs_users.h"
#include "support/temp_folder.h"

namespace {

using test::AsBytes;
using test::Content;
using test::InChild;
using test::kRoot;
using test::kUser;

struct Stick {
    const char* name;
    const char* makeTool;
    const char* makeOptions;
    uintmax_t bytes;
    const char* mountTool;
    const char* mountOptions;
    // exfat-fuse, run by root, mounts only a block device: the image's loop device.
    bool onLoopDevice;
};

const Stick kSticks[] = {
    {"Fat", "mkfs.vfat", "", 1 << 20, "fusefat", "rw+,allow_other", false},
    {"ExFat", "mkfs.exfat", "-b 4096", 1 << 20, "mount.exfat-fuse", "allow_other,umask=0", true},
    {"Ntfs", "mkntfs", "-F -f -q", 2 << 20, "ntfs-3g", "allow_other,umask=0", false},
};

void PrintTo(const Stick& stick, std::ostream* out) {
    *out << stick.name;
}

std::optional<std::string> FindProgram(const std::string& name) {
    std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    std::istringstream folders(path + ":/usr/sbin:/sbin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string candidate = folder + "/" + name;
        if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

// Runs a shell command; its output, when it fails.
std::optional<std::string> RunCommand(const std::string& command,
                                      const std::filesystem::path& log) {
    if (std::system((command + " >" + log.string() + " 2>&1").c_str()) == 0) {
        return std::nullopt;
    }
    return command + ": " + test::ReadText(log);
}

// The stick is unmounted at the end, before its folder is removed.
class Mount {
  public:
    explicit Mount(std::filesystem::path folder) : folder_(std::move(folder)) {}
    ~Mount() {
        if (::umount2(folder_.c_str(), 0) != 0) {
            ::umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;

  private:
    std::filesystem::path folder_;
};

class RemovableStick : public ::testing::TestWithParam<Stick> {};

TEST_P(RemovableStick, EveryUserSavesAgainWhatHeOrAnotherSaved) {
    const Stick& stick = GetParam();
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can mount a stick for every user";
    }
    if (::access("/dev/fuse", R_OK | W_OK) != 0) {
        GTEST_SKIP() << "no /dev/fuse";
    }
    const auto make = FindProgram(stick.makeTool);
    const auto mount = FindProgram(stick.mountTool);
    const auto loop = FindProgram("losetup");
    if (!make || !mount || (stick.onLoopDevice && !loop)) {
        GTEST_SKIP() << stick.makeTool << ", " << stick.mountTool
                     << (stick.onLoopDevice ? " and losetup" : "")
                     << " are needed (scripts/install-deps.sh installs them)";
    }
    test::TempFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    const auto image = folder / "stick.img";
    const auto log = folder / "log";
    const auto mounted = folder / "stick";
    std::filesystem::create_directory(mounted);
    std::ofstream(image).close();
    std::filesystem::resize_file(image, stick.bytes);
    const auto made = RunCommand(*make + " " + stick.makeOptions + " " + image.string(), log);
    ASSERT_FALSE(made) << *made;
    std::string device = image.string();
    if (stick.onLoopDevice) {
        const auto attached = RunCommand(*loop + " --find --show " + image.string(), log);
        if (attached) {
            GTEST_SKIP() << "no loop device for the image: " << *attached;
        }
        device = test::ReadText(log);
        device.erase(device.find_last_not_of('\n') + 1);
    }
    const auto failed = RunCommand(
        *mount + " -o " + stick.mountOptions + " " + device + " " + mounted.string(), log);
    if (stick.onLoopDevice) {
        // Detached as soon as the file system lets it go.
        RunCommand(*loop + " -d " + device, log);
    }
    if (failed) {
        GTEST_SKIP() << "cannot mount the stick: " << *failed;
    }
    Mount unmountAtTheEnd(mounted);

    // Root's saves and the user's, each over the other's. Every write is a save: fusefat spins
    // for good on a rename over a file that was rewritten in place.
    const auto target = mounted / "KeyData.u";
    int saves = 0;
    for (uid_t saver : {kRoot, kRoot, kUser, kUser, kRoot}) {
        const std::string bytes = "save " + std::to_string(++saves);
        SCOPED_TRACE(bytes + " by user " + std::to_string(saver));
        EXPECT_EQ(InChild(saver, saver, {}, target,
                          [&] {
                              return platform::ReplaceFile(target, mounted / "KeyData_Bak.u",
                                                           AsBytes(bytes));
                          }),
                  0);
        EXPECT_EQ(Content(target), bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(UsbSticks, RemovableStick, ::testing::ValuesIn(kSticks),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
