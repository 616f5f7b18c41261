#pragma once
// Fresh folders for tests, scopes that point the program folder or the current folder at one,
// and whole files read and written.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace test {

// A new empty folder on a memory file system where one has room (else under the temporary
// folder), removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the system's wide text, with a trailing '/'.
    std::wstring wide() const;
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// The program folder ("beside the program") is folder while the object lives.
class ScopedProgramFolder {
  public:
    explicit ScopedProgramFolder(const TempFolder& folder);
    ~ScopedProgramFolder();
};

// The process's current folder is folder while the object lives.
class ScopedCurrentFolder {
  public:
    explicit ScopedCurrentFolder(const TempFolder& folder);
    ~ScopedCurrentFolder();

  private:
    std::filesystem::path previous_;
};

// The whole file as text, "" when it cannot be read.
std::string ReadText(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes);
// Sets or (nullptr) unsets an environment variable while the object lives.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* name_;
    std::optional<std::string> previous_;
};

// $TMPDIR, the user's temporary place (where the update tool makes its work folder), is folder
// while the object lives.
class ScopedTemporaryFolder {
  public:
    explicit ScopedTemporaryFolder(const TempFolder& folder)
        : variable_("TMPDIR", folder.path().c_str()) {}

  private:
    ScopedVariable variable_;
};

}  // namespace test
