// Extracting a 20 MB LZMA2 archive beside `7zz x` of the same archive (aim within 1.15x),
// downloading a 20 MB data image in 1 MiB chunk requests from the loopback server beside a
// plain loopback TCP transfer of the same bytes (aim at least half its throughput), the
// update tool's download and extraction beside a plain transfer and `7zz x` (aim within 1.5x),
// and a whole online update of that image against the simulated machine with no latency,
// whose CPU time is set against the time its bytes take on the wire at 115200 baud (aim
// below 1%).

#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <thread>

#include "platform/fs/fs.h"
#include "platform/net/tcp_socket.h"
#include "platform/sound/sound.h"
#include "platform/text/text.h"
#include "support/benchmark_ratios.h"
#include "support/fake_clock.h"
#include "support/loopback_server.h"
#include "support/recording_report.h"
#include "support/simulated_machine.h"
#include "support/temp_folder.h"
#include "update/archive_extract.h"
#include "update/image_download.h"
#include "update/server_comm.h"
#include "update/update_procedures.h"

namespace {

constexpr size_t kImageSize = 20 * 1000 * 1000;
constexpr uint32_t kChunk = 1 << 20;

// Something like a disk image: runs of zeros, repeated structures and noise.
std::vector<uint8_t> ImageBytes() {
    std::mt19937 random(7);
    std::vector<uint8_t> bytes(kImageSize);
    for (size_t i = 0; i < bytes.size(); i += 4096) {
        size_t end = std::min(bytes.size(), i + 4096);
        switch (random() % 3) {
            case 0:
                break;
            case 1:
                for (size_t j = i; j < end; ++j) {
                    bytes[j] = static_cast<uint8_t>((j % 61) + (i / 4096 % 7));
                }
                break;
            default:
                for (size_t j = i; j < end; ++j) {
                    bytes[j] = static_cast<uint8_t>(random());
                }
        }
    }
    return bytes;
}

struct Fixture {
    Fixture() {
        test::WriteBytes(folder / "sdcard.bin", image);
        std::string command = "cd '" + folder.path().string() +
                              "' && 7zz a -bd -bso0 -bsp0 -m0=LZMA2 temp.7z sdcard.bin";
        if (std::system(command.c_str()) != 0) {
            std::abort();
        }
    }
    test::TempFolder folder;
    test::ScopedProgramFolder programFolder{folder};
    std::vector<uint8_t> image = ImageBytes();
    std::filesystem::path archive = folder / "temp.7z";
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_Extract7z(benchmark::State& state) {
    Fixture& f = Shared();
    Extract7zArguments arguments{"", "x", f.archive.string(),
                                 platform::Utf8ToWide((f.folder / "out.bin").string())};
    for (auto _ : state) {
        std::wstring error;
        if (Extract7z(arguments, error) != 0) {
            state.SkipWithError("extraction failed");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kImageSize));
}

// `7zz x` of the shared archive; false when it fails.
bool Run7zz() {
    Fixture& f = Shared();
    std::string command = "7zz x -y -bd -bso0 -bsp0 -o'" + (f.folder / "7zz").string() + "' '" +
                          f.archive.string() + "'";
    return std::system(command.c_str()) == 0;
}

void BM_7zzExtract(benchmark::State& state) {
    for (auto _ : state) {
        if (!Run7zz()) {
            state.SkipWithError("7zz failed");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kImageSize));
}

void BM_DownloadImageInChunks(benchmark::State& state) {
    Fixture& f = Shared();
    test::LoopbackUpdateServer server;
    server.SetDataImage(f.image, 1024);
    ScopedServerEndpoint endpoint(server.Endpoint());
    std::vector<uint8_t> received;
    received.reserve(f.image.size());
    for (auto _ : state) {
        received.clear();
        CServerComm comm(0);
        ServerRequestHead head{4, 1, kOperationImageChunk};
        comm.AddParam(head.Bytes());
        uint8_t language[2], serial[10] = {}, version[5] = {}, word[4] = {};
        CServerComm::LanguageCode(1, language);
        for (std::span<const uint8_t> item :
             {std::span<const uint8_t>(language), std::span<const uint8_t>(serial),
              std::span<const uint8_t>(version), std::span<const uint8_t>(version),
              std::span<const uint8_t>(word), std::span<const uint8_t>(word)}) {
            comm.AddParam(item);
        }
        for (uint32_t offset = 0; offset < f.image.size(); offset += kChunk) {
            PutU32(word, offset);
            comm.SetParam(7, word);
            PutU32(word,
                   std::min<uint32_t>(kChunk, static_cast<uint32_t>(f.image.size()) - offset));
            comm.SetParam(8, word);
            comm.ClearReply();
            comm.Transact();
            for (int i = 1; i < comm.ReplyCount(); ++i) {
                auto record = comm.ReplyRecord(i);
                received.insert(received.end(), record.begin(), record.end());
            }
        }
        if (received.size() != f.image.size()) {
            state.SkipWithError("download incomplete");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kImageSize));
}

// One plain TCP transfer of bytes over loopback into buffer; the bytes received.
size_t LoopbackTransfer(const std::vector<uint8_t>& bytes, std::vector<uint8_t>& buffer) {
    int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(listener, reinterpret_cast<sockaddr*>(&address), size);
    ::listen(listener, 1);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    std::thread sender([&] {
        platform::TcpSocket peer(::accept(listener, nullptr, nullptr));
        peer.SendAll(bytes, nullptr);
    });
    auto socket = platform::TcpSocket::Create(nullptr);
    socket->Connect(*platform::ParseIPv4("127.0.0.1"), ntohs(address.sin_port),
                    std::chrono::seconds(5), nullptr);
    buffer.resize(bytes.size());
    size_t got = 0;
    for (ssize_t n; (n = socket->Receive(std::span(buffer).subspan(got), nullptr)) > 0;) {
        got += static_cast<size_t>(n);
    }
    sender.join();
    ::close(listener);
    return got;
}

void BM_PlainLoopbackTransfer(benchmark::State& state) {
    Fixture& f = Shared();
    std::vector<uint8_t> buffer;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoopbackTransfer(f.image, buffer));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kImageSize));
}

UpdateJob BenchJob(test::RecordingReport& report, const test::TempFolder& work) {
    UpdateJob job;
    job.report = &report;
    job.workFolder = platform::Utf8ToWide(work.path().string());
    job.selectedVersion = L"1.3.0";
    return job;
}

std::vector<uint8_t> ArchiveBytes() {
    return platform::ReadWholeFile(Shared().archive).value_or(std::vector<uint8_t>{});
}

double ThreadCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_DownloadAndExtractImage(benchmark::State& state) {
    test::LoopbackUpdateServer server;
    server.SetDataImage(ArchiveBytes());
    ScopedServerEndpoint endpoint(server.Endpoint());
    test::TempFolder work;
    test::RecordingReport report;
    for (auto _ : state) {
        UpdateSession session(BenchJob(report, work));
        CServerComm comm(0);
        if (DownloadSdData(
                session, comm,
                {std::vector<uint8_t>(10), std::vector<uint8_t>(5), std::vector<uint8_t>(5)})) {
            state.SkipWithError("download failed");
        }
    }
}

void BM_TransferAnd7zzExtract(benchmark::State& state) {
    Fixture& f = Shared();
    std::vector<uint8_t> archive = ArchiveBytes();
    std::vector<uint8_t> received;
    for (auto _ : state) {
        size_t got = LoopbackTransfer(archive, received);
        test::WriteBytes(f.folder / "received.7z", std::span(received).first(got));
        if (!Run7zz()) {
            state.SkipWithError("7zz failed");
        }
    }
}

void BM_OnlineUpdateCpuAgainstWire(benchmark::State& state) {
    test::LoopbackUpdateServer server;
    server.SetDataImage(ArchiveBytes());
    server.SetFirmware({0x11, '1', '.', '3', '.', '0'},
                       test::Records(200, std::vector<uint8_t>(1024, 7)));
    ScopedServerEndpoint endpoint(server.Endpoint());
    test::TempFolder work;
    test::RecordingReport report;
    platform::ScopedBeepRecorder beeps;
    double cpu = 0;
    double wire = 0;
    for (auto _ : state) {
        test::FakeClock clock;
        platform::ScopedClock clockScope(&clock);
        test::SimulatedMachine machine;
        machine.SetDeviceString(1, "TQ20260042");
        machine.SetDeviceString(6, "1.2.3");
        platform::ScopedD2xxBackend backend(&machine);
        double start = ThreadCpuSeconds();
        UpdateOnline(BenchJob(report, work));
        cpu += ThreadCpuSeconds() - start;
        size_t bytes = 0;
        for (const auto& write : machine.Writes()) {
            bytes += write.size();
        }
        wire += static_cast<double>(bytes) * 10 / 115200;
        if (machine.DataImage().size() < kImageSize) {
            state.SkipWithError("image not written");
        }
    }
    state.counters["cpu_pct_of_wire"] = 100 * cpu / wire;
}

BENCHMARK(BM_Extract7z)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_7zzExtract)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DownloadImageInChunks)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainLoopbackTransfer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DownloadAndExtractImage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TransferAnd7zzExtract)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OnlineUpdateCpuAgainstWire)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return test::RunWithRatios(
        argc, argv,
        {{"BM_Extract7z/real_time", "BM_7zzExtract/real_time", 1.15},
         {"BM_DownloadImageInChunks/real_time", "BM_PlainLoopbackTransfer/real_time", 2.0},
         {"BM_DownloadAndExtractImage/real_time", "BM_TransferAnd7zzExtract/real_time", 1.5}});
}
