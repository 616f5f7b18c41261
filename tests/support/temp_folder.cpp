#include "support/temp_folder.h"

#include <linux/magic.h>
#include <stdlib.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/fs/fs.h"
#include "platform/text/text.h"

namespace test {

namespace {

// Tests save key files thousands of times; on a memory file system an fsync does not wait for a
// busy disk, and nothing a test shows (a kill, a refused write, a mode) depends on the disk.
// Where there is none with room to spare, the tests fall back to the temporary folder.
std::filesystem::path TestFolderParent() {
    constexpr unsigned long long kRoomNeeded = 1ull << 30;
    struct statfs memory {};
    if (::statfs("/dev/shm", &memory) == 0 && memory.f_type == TMPFS_MAGIC &&
        static_cast<unsigned long long>(memory.f_bavail) * memory.f_bsize >= kRoomNeeded &&
        ::access("/dev/shm", W_OK) == 0) {
        return "/dev/shm";
    }
    return std::filesystem::temp_directory_path();
}

}  // namespace

TempFolder::TempFolder() {
    static const std::filesystem::path parent = TestFolderParent();
    std::string pattern = (parent / "vm-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::wstring TempFolder::wide() const {
    return platform::Utf8ToWide(path_.string()) + L"/";
}

ScopedProgramFolder::ScopedProgramFolder(const TempFolder& folder) {
    platform::OverrideProgramFolder(folder.wide());
}

ScopedProgramFolder::~ScopedProgramFolder() {
    platform::OverrideProgramFolder(L"");
}

ScopedCurrentFolder::ScopedCurrentFolder(const TempFolder& folder)
    : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder.path());
}

ScopedCurrentFolder::~ScopedCurrentFolder() {
    std::filesystem::current_path(previous_);
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

ScopedVariable::ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* previous = std::getenv(name)) {
        previous_ = previous;
    }
    if (value != nullptr) {
        ::setenv(name, value, 1);
    } else {
        ::unsetenv(name);
    }
}

ScopedVariable::~ScopedVariable() {
    if (previous_) {
        ::setenv(name_, previous_->c_str(), 1);
    } else {
        ::unsetenv(name_);
    }
}

}  // namespace test
