// Extracting a 20 MB LZMA2 archive beside `7zz x` of the same archive (aim within 1.15x), and
// downloading a 20 MB data image in 1 MiB chunk requests from the loopback server beside a
// plain loopback TCP transfer of the same bytes (aim at least half its throughput).

#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <thread>

#include "platform/net/tcp_socket.h"
#include "platform/text/text.h"
#include "support/benchmark_ratios.h"
#include "support/loopback_server.h"
#include "support/temp_folder.h"
#include "update/archive_extract.h"
#include "update/server_comm.h"

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
        std::ofstream(folder / "sdcard.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data()),
                   static_cast<std::streamsize>(image.size()));
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

void BM_7zzExtract(benchmark::State& state) {
    Fixture& f = Shared();
    std::string command = "7zz x -y -bd -bso0 -bsp0 -o'" + (f.folder / "7zz").string() + "' '" +
                          f.archive.string() + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
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

void BM_PlainLoopbackTransfer(benchmark::State& state) {
    Fixture& f = Shared();
    int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(listener, reinterpret_cast<sockaddr*>(&address), size);
    ::listen(listener, 4);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    auto port = ntohs(address.sin_port);
    std::vector<uint8_t> buffer(f.image.size());
    for (auto _ : state) {
        std::thread sender([&] {
            platform::TcpSocket peer(::accept(listener, nullptr, nullptr));
            peer.SendAll(f.image, nullptr);
        });
        auto socket = platform::TcpSocket::Create(nullptr);
        socket->Connect(*platform::ParseIPv4("127.0.0.1"), port, std::chrono::seconds(5), nullptr);
        size_t got = 0;
        for (ssize_t n; (n = socket->Receive(std::span(buffer).subspan(got), nullptr)) > 0;) {
            got += static_cast<size_t>(n);
        }
        sender.join();
        benchmark::DoNotOptimize(got);
    }
    ::close(listener);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kImageSize));
}

BENCHMARK(BM_Extract7z)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_7zzExtract)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DownloadImageInChunks)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainLoopbackTransfer)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return test::RunWithRatios(
        argc, argv,
        {{"BM_Extract7z/real_time", "BM_7zzExtract/real_time", 1.15},
         {"BM_DownloadImageInChunks/real_time", "BM_PlainLoopbackTransfer/real_time", 2.0}});
}
