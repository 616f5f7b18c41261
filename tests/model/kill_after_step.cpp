// Defines rename and unlink in the test program, in front of the C library's, so that every
// call of the code under test passes through here.

#include "model/kill_after_step.h"

#include <dlfcn.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <utility>

namespace {

struct Trigger {
    test::FileStep step{};
    std::string fileName;
    int left = 0;
    std::function<void()> action;
};
Trigger g_trigger;

template <typename Function>
Function* Real(const char* name) {
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

int AfterStep(test::FileStep step, const char* path, int result) {
    if (result == 0 && g_trigger.left > 0 && g_trigger.step == step &&
        std::filesystem::path(path).filename() == g_trigger.fileName && --g_trigger.left == 0) {
        std::exchange(g_trigger.action, nullptr)();
    }
    return result;
}

}  // namespace

namespace test {

void KillAfter(FileStep step, const std::string& fileName, int occurrence) {
    RunAfter(
        step, fileName, [] { ::kill(::getpid(), SIGKILL); }, occurrence);
}

void RunAfter(FileStep step, const std::string& fileName, std::function<void()> action,
              int occurrence) {
    g_trigger = {step, fileName, occurrence, std::move(action)};
}

}  // namespace test

extern "C" int rename(const char* from, const char* to) noexcept {
    static auto* real = Real<int(const char*, const char*)>("rename");
    return AfterStep(test::FileStep::kRenameOnto, to, real(from, to));
}

extern "C" int unlink(const char* path) noexcept {
    static auto* real = Real<int(const char*)>("unlink");
    return AfterStep(test::FileStep::kUnlink, path, real(path));
}
