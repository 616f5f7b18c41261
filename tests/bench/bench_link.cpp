// Round trips against the simulated machine with no latency: the link's own CPU time per
// command (and, for the key synchronisation, per key), printed beside the time the same
// requests and replies take on the wire at the link's 115200 baud (10 bits a byte). The aim
// is below 1% of the wire time.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "link/key_transfer.h"
#include "link/usb_comm.h"
#include "model/key_files.h"
#include "support/fake_clock.h"
#include "support/simulated_machine.h"
#include "support/temp_folder.h"

namespace {

constexpr double kBitsPerSecond = 115200;
constexpr double kBitsPerByte = 10;
constexpr size_t kFrameOverhead = 5;
constexpr size_t kReplyFrame = 7;

double WireMicroseconds(size_t payload) {
    return (payload + kFrameOverhead + kReplyFrame) * kBitsPerByte / kBitsPerSecond * 1e6;
}

struct Machine {
    test::TempFolder folder;
    test::ScopedProgramFolder programFolder{folder};  // the log goes there
    test::SimulatedMachine machine;
    platform::ScopedD2xxBackend backend{&machine};
    CUsbComm link;
    Machine() {
        machine.SetPollStep(std::chrono::milliseconds(0));  // no latency at all
        link.OpenByDescription();
    }
};

// Key parameters go to the machine one 688-byte file write each, every frame logged.
void BM_WriteFileData688(benchmark::State& state) {
    Machine m;
    m.link.OpenMachineFile("2:\\KeyDataU\\-0101", 17);
    m.link.BeginFileWrite();
    std::vector<uint8_t> params(688, 0x5A);
    for (auto _ : state) {
        if (m.link.WriteFileData(params.data(), params.size()) != kLinkOk) {
            state.SkipWithError("command failed");
            break;
        }
    }
    state.counters["wire_us"] = WireMicroseconds(1 + params.size());
}
BENCHMARK(BM_WriteFileData688)->Iterations(10000)->Unit(benchmark::kMicrosecond);

// The data image goes by 2048-byte blocks, kept out of the log.
void BM_WriteSdBlock2048(benchmark::State& state) {
    Machine m;
    m.link.BeginSdWrite();
    std::vector<uint8_t> block(2048, 0xA5);
    uint32_t offset = 0;
    for (auto _ : state) {
        // Rewrite the same 8 MiB so that the image stays small.
        if (m.link.WriteSdBlock(block.data(), offset, block.size()) != kLinkOk) {
            state.SkipWithError("command failed");
            break;
        }
        offset = (offset + 2048) % (8 << 20);
    }
    state.counters["wire_us"] = WireMicroseconds(9 + block.size());
}
BENCHMARK(BM_WriteSdBlock2048)->Iterations(10000)->Unit(benchmark::kMicrosecond);

// The saved database of 2048 keys, under 20 makers of 10 models each, goes to the machine:
// per key its parameters, its blank entry, its model-list line and its head entry.
void BM_SynchroniseKeysPerKey(benchmark::State& state) {
    constexpr size_t kKeys = 2048;
    test::FakeClock clock;  // the boot-mode switches pause; no need to wait for them
    platform::ScopedClock clockScope(&clock);
    Machine m;
    m.link.Close();  // the synchronisation opens its own
    KeyDataList records(kKeys);
    for (size_t i = 0; i < kKeys; ++i) {
        KeyDataRecord& record = records[i];
        record.keyId = static_cast<int16_t>(-101 - static_cast<int>(i));
        std::snprintf(record.keyName, sizeof(record.keyName), "KEY%zu_U", i);
        record.params.status = KeyStatusLive;
        std::snprintf(record.makerName, sizeof(record.makerName), "Maker%zu", i % 20);
        std::snprintf(record.modelName, sizeof(record.modelName), "Model%zu", i % 200);
        record.blankCount = 1;
    }
    SaveKeyData(records);
    for (auto _ : state) {
        CKeyTransfer transfer;
        if (!transfer.Connect() || !transfer.WriteKeyDataToMachine()) {
            state.SkipWithError("synchronisation failed");
            break;
        }
    }
    size_t wireBytes = 0;
    for (const std::vector<uint8_t>& write : m.machine.Writes()) {
        wireBytes += write.size() + kReplyFrame;
    }
    double runs = static_cast<double>(state.iterations());
    state.counters["wire_us"] =
        wireBytes * kBitsPerByte / kBitsPerSecond * 1e6 / runs / static_cast<double>(kKeys);
    state.counters["per_iteration"] = kKeys;
}
BENCHMARK(BM_SynchroniseKeysPerKey)->Iterations(5)->Unit(benchmark::kMicrosecond);

class WireShareReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            double cpuUs = run.GetAdjustedCPUTime();  // in the run's unit: microseconds
            auto wire = run.counters.find("wire_us");
            auto per = run.counters.find("per_iteration");
            if (per != run.counters.end()) {
                cpuUs /= per->second.value;
            }
            if (wire != run.counters.end()) {
                lines_.push_back({run.benchmark_name(), cpuUs, wire->second.value});
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Print() const {
        for (const Line& line : lines_) {
            double share = 100.0 * line.cpuUs / line.wireUs;
            std::printf("%-40s CPU %8.1f us, wire %9.1f us: %6.3f%% (aim < 1%%) %s\n",
                        line.name.c_str(), line.cpuUs, line.wireUs, share,
                        share < 1.0 ? "ok" : "OVER");
        }
    }

  private:
    struct Line {
        std::string name;
        double cpuUs;
        double wireUs;
    };
    std::vector<Line> lines_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    WireShareReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.Print();
    benchmark::Shutdown();
    return 0;
}
