// Finishing a key in the wizard (the step checks, the record, the save of a 2048-record list
// with its fsync) beside a plain write+fsync of the same file. The figure to watch is the
// ratio: within 1.5x. The finish of an unfinished key is shown beside it.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "model/key_files.h"
#include "support/benchmark_ratios.h"
#include "support/temp_folder.h"
#include "wizard/key_record.h"
#include "wizard/wizard_kit.h"

namespace {

constexpr size_t kRecords = 2048;

struct Fixture {
    Fixture() {
        g_KeyData.resize(kRecords);
        for (size_t i = 0; i < kRecords; ++i) {
            g_KeyData[i].keyId = static_cast<int16_t>(-101 - static_cast<int>(i));
            std::snprintf(g_KeyData[i].keyName, sizeof g_KeyData[i].keyName, "KEY%zu_U", i);
        }
        // The key is edited again and again, so that the list keeps its size.
        pages.editMode = true;
        pages.editRecord = g_KeyData.front();
    }
    test::TempFolder folder;
    test::ScopedProgramFolder programFolder{folder};
    WizardInputs pages = test::DefinedPages(7, 0, 1, true);
    std::string plainPath = (folder / "plain.u").string();
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_FinishKey(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        const KeyParams key = test::PassAllSteps(f.pages, {});
        const StepResult finish = CheckFinish(f.pages, key, g_KeyData);
        benchmark::DoNotOptimize(finish.messageId);
        benchmark::DoNotOptimize(UpsertKeyData(BuildFinishedRecord(f.pages, key, 0)));
    }
}

// The same finish of a key that was unfinished: the unfinished list is saved too, and the
// finish's journal is written before both saves and deleted after them.
void BM_FinishUnfinishedKey(benchmark::State& state) {
    Fixture& f = Shared();
    const KeyParams key = test::PassAllSteps(f.pages, {});
    KeyDataRecord record = BuildFinishedRecord(f.pages, key, 0);
    record.keyId = -5000;
    for (auto _ : state) {
        state.PauseTiming();
        g_KeyDataEdit = {record};
        state.ResumeTiming();
        benchmark::DoNotOptimize(FinishKeyEdit(record));
        state.PauseTiming();
        g_KeyData.pop_back();
        state.ResumeTiming();
    }
}

void BM_PlainWriteFsync(benchmark::State& state) {
    Fixture& f = Shared();
    const std::span<const uint8_t> bytes = RecordBytes(g_KeyData);
    for (auto _ : state) {
        int fd = ::open(f.plainPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
        ::fsync(fd);
        ::close(fd);
    }
}

BENCHMARK(BM_FinishKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FinishUnfinishedKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainWriteFsync)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return test::RunWithRatios(argc, argv, {{"BM_FinishKey", "BM_PlainWriteFsync", 1.5}});
}
