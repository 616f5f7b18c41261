// Loading and saving 2048 records beside a plain read and a plain write+fsync of the same
// bytes. The figure to watch is the ratio: save within 1.5x of the plain write, load within
// 2x of the plain read. The plain read's buffer lies where the heap puts it; the lists' storage
// is placed on a cache line, without which the load measures many times the read here.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>

#include "model/key_files.h"
#include "platform/fs/fs.h"
#include "support/benchmark_ratios.h"
#include "support/temp_folder.h"

namespace {

constexpr size_t kRecords = 2048;

KeyDataList SampleRecords() {
    KeyDataList records(kRecords);
    for (size_t i = 0; i < kRecords; ++i) {
        records[i].keyId = static_cast<int16_t>(-101 - static_cast<int>(i));
        std::snprintf(records[i].keyName, sizeof records[i].keyName, "KEY%zu_U", i);
        records[i].params.status = KeyStatusLive;
    }
    return records;
}

struct Fixture {
    test::TempFolder folder;
    test::ScopedProgramFolder programFolder{folder};
    KeyDataList records = SampleRecords();
    std::span<const uint8_t> bytes = RecordBytes(records);
    std::string path = (folder / "KeyData.u").string();
    std::string plainPath = (folder / "plain.u").string();
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_SaveKeyData(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        SaveKeyData(f.records);
    }
}

void BM_PlainWriteFsync(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        int fd = ::open(f.plainPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, f.bytes.data(), f.bytes.size()));
        ::fsync(fd);
        ::close(fd);
    }
}

void BM_LoadKeyData(benchmark::State& state) {
    Fixture& f = Shared();
    SaveKeyData(f.records);
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadKeyData());
    }
    g_KeyData.clear();
}

void BM_PlainRead(benchmark::State& state) {
    Fixture& f = Shared();
    SaveKeyData(f.records);
    std::vector<uint8_t> buffer(f.bytes.size());
    for (auto _ : state) {
        int fd = ::open(f.path.c_str(), O_RDONLY);
        benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
        ::close(fd);
    }
}

BENCHMARK(BM_SaveKeyData)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainWriteFsync)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadKeyData)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return test::RunWithRatios(
        argc, argv,
        {{"BM_SaveKeyData", "BM_PlainWriteFsync", 1.5}, {"BM_LoadKeyData", "BM_PlainRead", 2.0}});
}
