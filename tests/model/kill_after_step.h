#pragma once
// Kills this process with SIGKILL right after a step of a save is on disk: the n-th rename onto
// a file of the given name, or the n-th unlink of one, that succeeded. For a child that a test
// forks, so that a save can be cut short exactly between two of its steps.

#include <functional>
#include <string>

namespace test {

enum class FileStep { kRenameOnto, kUnlink };

void KillAfter(FileStep step, const std::string& fileName, int occurrence = 1);

// Runs action once right after such a step instead, so that a test can change what the next
// steps find (a disk that fills up between two saves).
void RunAfter(FileStep step, const std::string& fileName, std::function<void()> action,
              int occurrence = 1);

}  // namespace test
