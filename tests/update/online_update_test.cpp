// The online update, the program-only update and the repair, end to end against the loopback
// server and the simulated machine.

#include <algorithm>

#include "platform/text/text.h"
#include "update/update_fixture.h"
#include "update/update_session.h"

namespace test {
namespace {

constexpr size_t kMiB = 1048576;

class OnlineUpdate : public UpdateFixture, public ::testing::WithParamInterface<size_t> {};

TEST_P(OnlineUpdate, WritesFirmwareVersionAndTheWholeImage) {
    Records parts = ServeFirmware({1024, 1024, 300});
    std::vector<uint8_t> image = Pattern(GetParam(), 7);
    std::vector<uint8_t> archive = ServeImage(image);
    if (GetParam() > kMiB) {
        // Sized so that the archive is exactly three chunks long.
        image = Pattern(GetParam() + 3 * kMiB - archive.size(), 7);
        archive = ServeImage(image);
        ASSERT_EQ(archive.size(), 3 * kMiB);
    }
    MachineMode modeAtSuccess = MachineMode::Boot;
    report_.onStatus = [&](const std::wstring& text) {
        if (text.starts_with(L"Update success.")) {
            modeAtSuccess = machine_.Mode();
        }
    };
    UpdateOnline(Job());

    auto written = Sent(0xA4);
    ASSERT_EQ(written.size(), parts.size());
    for (size_t i = 0; i < parts.size(); ++i) {
        EXPECT_EQ(std::vector<uint8_t>(written[i].begin() + 1, written[i].end()), parts[i]);
    }
    EXPECT_EQ(machine_.Parameters()[6].bytes, (std::vector<uint8_t>{'1', '.', '2', '.', '7'}));
    std::vector<uint8_t> onMachine = machine_.DataImage();
    ASSERT_EQ(onMachine.size(), (image.size() + 511) / 512 * 512);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), onMachine.begin()));
    EXPECT_EQ(static_cast<size_t>(server_.RequestCount(kOperationImageChunk)),
              (archive.size() + kMiB - 1) / kMiB);
    // The machine shows 100 as 99.
    auto percents = machine_.ProgressShown();
    percents.erase(std::remove(percents.begin(), percents.end(), 99), percents.end());
    EXPECT_EQ(std::adjacent_find(percents.begin(), percents.end()), percents.end());
    EXPECT_EQ(std::count(percents.begin(), percents.end(), 0), 0);
    EXPECT_TRUE(report_.Status().starts_with(L"Update success."));
    EXPECT_EQ(modeAtSuccess, MachineMode::Normal);  // left before success is told
    ASSERT_EQ(Beeps().size(), 2u);
    EXPECT_EQ(Beeps()[1].frequency, 600u);
    EXPECT_EQ(Beeps()[1].milliseconds, 200u);
    EXPECT_TRUE(LeftAndClosed());
}

INSTANTIATE_TEST_SUITE_P(ImageSizes, OnlineUpdate, ::testing::Values(4100, 1000, 2 * kMiB));

class UpdateFailure;

struct FailureCase {
    const char* name;
    std::function<void(UpdateFailure&, UpdateJob&)> setUp;
    void (*command)(const UpdateJob&);
    const wchar_t* message;
    uint8_t failedCommand;           // CodesAfter this code ...
    std::vector<uint8_t> following;  // ... are these
    bool endsInBootMode = false;
};

class UpdateFailure : public UpdateFixture, public ::testing::WithParamInterface<FailureCase> {
  public:
    using UpdateFixture::machine_;
    using UpdateFixture::ServeFirmware;

    void Inject(uint8_t code, int occurrence) {
        machine_.InjectFault(code, occurrence, MachineFault::Status(1));
    }
    void Always(uint8_t code) { machine_.InjectFaultAlways(code, MachineFault::Status(1)); }
    void Reply(uint8_t operation, Records records) {
        server_.SetOperationReply(operation, 1, std::move(records));
    }
    void FailBootModeFrom(int position) {
        report_.onProgress = [this, position](int p) {
            if (p == position) {
                machine_.FailDriverCall(DriverCall::Reset, platform::FT_IO_ERROR, -1);
            }
        };
    }
};

const std::vector<uint8_t> kSdMessages{0xDD, 0xDC};
// clang-format off
const FailureCase kFailures[] = {
    {"NoMachine", [](auto& f, auto&) { f.machine_.SetDescription(""); }, UpdateProgramOnly, L"Device not found.(1)", 0xA1, {}},
    {"NoBootMode", [](auto& f, auto&) { f.machine_.FailDriverCall(DriverCall::Reset, platform::FT_IO_ERROR); }, UpdateProgramOnly, L"Enter BIOS failed.(2)", 0xA1, {}},
    {"NoSerial", [](auto& f, auto&) { f.Inject(0xA1, 1); }, UpdateProgramOnly, L"Getting device info failed.(3)", 0xA1, {}},
    {"NoVersion", [](auto& f, auto&) { f.Inject(0xA1, 2); }, UpdateProgramOnly, L"Getting device info failed.(4)", 0xA1, {}},
    {"NoFirmwareRecord", [](auto& f, auto&) { f.Reply(1, {}); }, UpdateProgramOnly, L"Communication with server failed.(5)", 0xA1, {}},
    {"OneFirmwareRecord", [](auto& f, auto&) { f.Reply(1, {{1}}); }, UpdateProgramOnly, L"Communication with server failed.(6)", 0xA1, {}},
    {"FirmwarePartTooLong", [](auto& f, auto&) { f.ServeFirmware({1024, 1025}); }, UpdateProgramOnly, L"Communication with server failed.(6)", 0xA1, {}},
    {"BeginRefused", [](auto& f, auto&) { f.Inject(0xA5, 1); }, UpdateProgramOnly, L"Update failed.(7)", 0xA5, {}},
    {"StartRefused", [](auto& f, auto&) { f.Inject(0xAB, 1); }, UpdateProgramOnly, L"Update failed.(8)", 0xAB, {}},
    {"PartRefused", [](auto& f, auto&) { f.Always(0xA4); }, UpdateProgramOnly, L"Update failed.(9)", 0xA4, {0xA6}},
    {"EndRefused", [](auto& f, auto&) { f.Inject(0xA6, 1); }, UpdateProgramOnly, L"Update failed.(10)", 0xA6, {}},
    {"OnlineFirmwareHalf", [](auto& f, auto&) { f.Reply(1, {{1}}); }, UpdateOnline, L"Communication with server failed.(6)", 0xA1, {}},
    {"BootModeNotLeft", [](auto& f, auto&) { f.FailBootModeFrom(66); }, UpdateProgramOnly, L"Update failed.(26)", 0xA0, {}, true},
    {"NoSizeRecord", [](auto& f, auto&) { f.Reply(7, {}); }, RepairData, L"Communication with server failed.(11)", 0xA1, kSdMessages},
    {"OneSizeRecord", [](auto& f, auto&) { f.Reply(7, {{7}}); }, RepairData, L"Communication with server failed.(12)", 0xA1, kSdMessages},
    {"SizeZero", [](auto& f, auto&) { f.Reply(7, {{7}, {0, 0, 0, 0}}); }, RepairData, L"Communication with server failed.(13)", 0xA1, kSdMessages},
    {"SizeRecordShort", [](auto& f, auto&) { f.Reply(7, {{7}, {9, 9}}); }, RepairData, L"Communication with server failed.(13)", 0xA1, kSdMessages},
    {"NoWorkFolder", [](auto&, auto& job) { job.workFolder += L"/missing"; }, RepairData, L"Update failed.(27)", 0xA1, kSdMessages},
    {"EmptyWorkFolder", [](auto&, auto& job) { job.workFolder.clear(); }, RepairData, L"Update failed.(27)", 0xA1, kSdMessages},
    {"SdBeginRefused", [](auto& f, auto&) { f.Inject(0xD7, 1); }, RepairData, L"Update failed.(21)", 0xD7, {}},
    {"NoChunkRecord", [](auto& f, auto&) { f.Reply(6, {}); }, RepairData, L"Communication with server failed.(22)", 0xA1, kSdMessages},
    {"OneChunkRecord", [](auto& f, auto&) { f.Reply(6, {{6}}); }, RepairData, L"Communication with server failed.(23)", 0xA1, kSdMessages},
    {"ChunkShort", [](auto& f, auto&) { f.Reply(6, {{6}, {1, 2}}); }, RepairData, L"Communication with server failed.(23)", 0xA1, kSdMessages},
    {"BlockRefused", [](auto& f, auto&) { f.Always(0xD8); }, RepairData, L"Update failed.(24)", 0xD8, {0xDB}},
    {"SdEndRefused", [](auto& f, auto&) { f.Inject(0xDB, 1); }, RepairData, L"Update failed.(25)", 0xDB, {}},
};
// clang-format on

TEST_P(UpdateFailure, ShowsItsCodeAndLeavesTheMachineAsItShould) {
    ServeFirmware({1024, 500});
    ServeImage(Pattern(3000, 3));
    UpdateJob job = Job();
    GetParam().setUp(*this, job);
    GetParam().command(job);

    EXPECT_NE(std::ranges::find(report_.statuses, GetParam().message), report_.statuses.end())
        << platform::WideToUtf8(report_.Status());
    EXPECT_EQ(CodesAfter(GetParam().failedCommand), GetParam().following);
    EXPECT_FALSE(machine_.IsOpen());
    EXPECT_EQ(machine_.Mode() == MachineMode::Boot, GetParam().endsInBootMode);
    EXPECT_TRUE(Beeps().empty());
    if (GetParam().command == RepairData) {
        EXPECT_TRUE(report_.Status().starts_with(L"Repair failed."));
        EXPECT_EQ(report_.positions.back(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, UpdateFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// A procedure given no work folder must not reach the root for its files.
TEST(WorkFile, AnEmptyWorkFolderNamesNoFile) {
    EXPECT_EQ(WorkFile(UpdateJob{}, L"temp.7z"), L"");
}

TEST_F(UpdateFixture, RetriedPartRecoversAndALongHeadNamesNoVersion) {
    Records parts = ServeFirmware({700, 800}, std::vector<uint8_t>(10, '1'));
    machine_.InjectFault(0xA4, 1, MachineFault::Status(1));
    machine_.InjectFault(0xA4, 2, MachineFault::Status(2));
    UpdateProgramOnly(Job());

    EXPECT_EQ(machine_.Firmware(), Joined(parts));
    EXPECT_TRUE(LogHas("re w f 1"));
    EXPECT_TRUE(LogHas("re w f 2"));
    EXPECT_FALSE(LogHas("re w f 3"));
    EXPECT_EQ(machine_.Parameters().count(6), 0u);
    EXPECT_TRUE(report_.Status().starts_with(L"Update success."));
    EXPECT_TRUE(LeftAndClosed());
}

TEST_F(UpdateFixture, TheVariantWritesSmallBlocksFastAndAsksAsTheOlderClient) {
    std::vector<uint8_t> image = Pattern(3000, 5);
    ServeImage(image);
    RepairData(Job(kVorlantrexMachine));

    auto blocks = Sent(0xD8);
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].size(), 9u + 1024u);
    EXPECT_EQ(machine_.RequestedBaudRate(), 2'000'000u);
    auto requests = server_.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests[0].items[0][0], 0x02);
    EXPECT_EQ(requests[0].items[2], (std::vector<uint8_t>{'1', 0, '.', 0, '4', 0, '.', 0, '3', 0}));
    EXPECT_TRUE(std::equal(image.begin(), image.end(), machine_.DataImage().begin()));
    EXPECT_TRUE(report_.Status().starts_with(L"Repair success."));
}

TEST_F(UpdateFixture, VersionRefreshFillsNotesAndListAndKeepsTheListWhenNotesFail) {
    server_.SetNotes({"new ", "clamps"});
    server_.SetVersions({"1.3.0", "1.2.9"});
    RefreshVersions(Job());
    EXPECT_EQ(report_.notes, L"new clamps");
    EXPECT_EQ(report_.versions, (std::vector<std::wstring>{L"1.3.0", L"1.2.9"}));

    server_.SetOperationReply(kOperationVersionNotes, 2, {{4}});
    RefreshVersions(Job());
    EXPECT_EQ(report_.versions.size(), 2u);
    EXPECT_EQ(report_.Status(), L"");
}

}  // namespace
}  // namespace test
