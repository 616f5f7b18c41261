#include "support/temp_folder.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/fs/fs.h"
#include "platform/text/text.h"

namespace test {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vm-test-XXXXXX").string();
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
