// Start-up to the first shown main window, beside a minimal Qt Widgets program started the
// same way: a new process each time, on the offscreen platform, ending once its window is up.

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/benchmark_ratios.h"

extern char** environ;

namespace {

// Runs the program to its end; false when it could not be run or failed.
bool RunToEnd(const std::string& program) {
    std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "VELLOMARDSTINE_EXIT_WHEN_SHOWN=1",
                                    "ASAN_OPTIONS=detect_leaks=0"};
    for (char** e = environ; *e != nullptr; ++e) {
        std::string entry = *e;
        if (!entry.starts_with("QT_QPA_PLATFORM=") && !entry.starts_with("ASAN_OPTIONS=")) {
            env.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (std::string& entry : env) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::string path = program;
    char* argv[] = {path.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
        return false;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Measure(benchmark::State& state, const std::string& program) {
    for (auto _ : state) {
        if (!RunToEnd(program)) {
            state.SkipWithError(("cannot run " + program).c_str());
            break;
        }
    }
}

void BM_StartupToShownMainWindow(benchmark::State& state) {
    Measure(state, VM_PROGRAM);
}

void BM_StartupMinimalQtWidgets(benchmark::State& state) {
    Measure(state, VM_MINIMAL_PROGRAM);
}

BENCHMARK(BM_StartupToShownMainWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_StartupMinimalQtWidgets)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return test::RunWithRatios(argc, argv,
                               {{"BM_StartupToShownMainWindow/min_time:2.000/real_time",
                                 "BM_StartupMinimalQtWidgets/min_time:2.000/real_time", 1.5}});
}
