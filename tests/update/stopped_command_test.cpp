// Work that sends nothing to the machine, stopped as its dialog closes: it ends at the wait it is
// in, sits out no later wait, asks the server no more, tells the report nothing more and leaves
// no file behind, its download included.

#include <chrono>
#include <filesystem>
#include <stop_token>
#include <thread>

#include "update/update_fixture.h"

namespace test {
namespace {

struct StopCase {
    const char* name;
    void (*command)(const UpdateJob&);
    // The stop comes while the server keeps this request waiting or, with none, once the bar
    // reaches the position.
    uint8_t silentOperation;
    int stopAtPosition;
    const wchar_t* lastShown;
};

class StoppedCommand : public UpdateFixture, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StoppedCommand, EndsAtItsWaitAndLeavesNothingBehind) {
    const StopCase& c = GetParam();
    ServeFirmware({1024});
    ServeImage(Pattern(5000, 6));
    server_.SetNotes({"notes"});
    server_.SetVersions({"1.3.0"});
    ScopedServerEndpoint patient(server_.Endpoint(std::chrono::seconds(40)));
    TempFolder files;
    report_.saveAnswer = (files / "machine.tqf").wstring();
    UpdateJob job = Job();
    job.serial = L"TQ20260042";
    std::stop_source stop;
    job.stop = stop.get_token();
    std::chrono::steady_clock::time_point stoppedAt;
    auto close = [&] {
        stoppedAt = clock_.Now();
        stop.request_stop();
    };
    std::jthread closer;
    if (c.silentOperation != 0) {
        server_.SetOperationFault(c.silentOperation, 1, ServerFault::kSilence);
        closer = std::jthread([&] {
            while (server_.RequestCount(c.silentOperation) == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            close();
        });
    } else {
        report_.onProgress = [&](int position) {
            if (position >= c.stopAtPosition) {
                close();
            }
        };
    }
    c.command(job);
    if (closer.joinable()) {
        closer.join();
    }

    EXPECT_TRUE(stop.stop_requested());
    auto waitedAfterStop =
        std::chrono::duration_cast<std::chrono::milliseconds>(clock_.Now() - stoppedAt);
    EXPECT_EQ(waitedAfterStop.count(), 0);
    if (c.silentOperation != 0) {
        EXPECT_EQ(server_.RequestCount(c.silentOperation), 1);
    }
    EXPECT_EQ(report_.Status(), c.lastShown);
    EXPECT_TRUE(report_.versions.empty());
    EXPECT_TRUE(std::filesystem::is_empty(files.path()));
    EXPECT_TRUE(std::filesystem::is_empty(work_.path()));
    EXPECT_TRUE(Beeps().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, StoppedCommand,
    ::testing::Values(StopCase{"RefreshWhileTheServerIsSilent", RefreshVersions,
                               kOperationVersionNotes, 0, L"Getting version info..."},
                      StopCase{"CreationWhileTheServerIsSilent", CreateOfflineUpdateFile,
                               kOperationImageChunk, 0, L"Communication with server..."},
                      // The stop comes with the last chunk; nothing looks at it until the
                      // image is unpacked.
                      StopCase{"CreationWhileTheImageIsUnpacked", CreateOfflineUpdateFile, 0, 20,
                               L"Communication with server..."},
                      StopCase{"CreationWhileTheImageIsCopied", CreateOfflineUpdateFile, 0, 60,
                               L"Communication with server..."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace test
