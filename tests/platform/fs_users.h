#pragma once
// Files saved as root and as other users: root's test drops to a user in a child.

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "platform/fs/fs.h"

namespace test {

inline std::span<const uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

inline std::string Content(const std::filesystem::path& path) {
    auto bytes = platform::ReadWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<unreadable>";
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
inline int InChild(uid_t user, gid_t group, std::span<const gid_t> groups,
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
inline int SaveTwiceInChild(const std::filesystem::path& target, uid_t user) {
    const gid_t sharedGroup[] = {kSharedGroup};
    return InChild(user, user, user == kUser ? sharedGroup : std::span<const gid_t>(), target, [&] {
        auto staging = target.string() + ".tmp";
        return platform::ReplaceFile(target, staging, AsBytes("new")) &&
               platform::ReplaceFile(target, staging, AsBytes("new"));
    });
}

}  // namespace test
