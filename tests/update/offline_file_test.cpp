// Offline update files: created from the server, applied to the machine, and refused before
// the machine is asked to take anything.

#include <sys/stat.h>

#include <iterator>

#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "update/offline_file.h"
#include "update/update_fixture.h"
#include "update/update_session.h"

namespace test {
namespace {

std::vector<uint8_t> OfflineFile(const char* serial, uint32_t firmwareLength, size_t content,
                                 char secondMagic = '3') {
    OfflineHeader header;
    std::copy_n("1.3.0", 5, header.version.begin());
    std::copy_n(serial, 10, header.serial.begin());
    header.firmwareLength = firmwareLength;
    auto head = BuildOfflineHeader(header);
    head[1] = static_cast<uint8_t>(secondMagic);
    std::vector<uint8_t> file(head.begin(), head.end());
    auto body = Pattern(content, 9);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

class OfflineUpdate : public UpdateFixture {
  protected:
    std::wstring Put(const std::vector<uint8_t>& bytes) {
        WriteBytes(path_, bytes);
        return platform::Utf8ToWide(path_.string());
    }

    TempFolder files_;
    std::filesystem::path path_ = files_ / "machine.tqf";
};

TEST_F(OfflineUpdate, FileCreatedFromTheServerRebuildsTheMachine) {
    Records parts = ServeFirmware({1024, 1024});
    std::vector<uint8_t> image = Pattern(5000, 4);
    ServeImage(image);
    UpdateJob job = Job();
    job.serial = L"ABCDEFGHIJK";
    report_.saveAnswer = platform::Utf8ToWide(path_.string());
    CreateOfflineUpdateFile(job);

    EXPECT_EQ(report_.saveAsked, L"ABCDEFGHIJK_1.3.0");
    EXPECT_TRUE(report_.Status().starts_with(L"生成成功"))
        << platform::WideToUtf8(report_.Status());
    auto file = platform::ReadWholeFile(path_).value_or(std::vector<uint8_t>{});
    std::vector<uint8_t> header{'2', '3', '1', '.', '3', '.', '0', 'A', 'B',
                                'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J'};
    header.resize(32, 0xFF);
    header.insert(header.end(), {0x00, 0x40, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00});
    header.resize(64, 0);
    ASSERT_EQ(file.size(), 64 + 2048 + image.size());
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 64), header);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), file.end() - 5000));
    EXPECT_FALSE(std::filesystem::exists(work_ / "temp.7z"));
    EXPECT_FALSE(std::filesystem::exists(work_ / "sdcard.bin"));
    EXPECT_EQ(Beeps().size(), 2u);
    EXPECT_TRUE(machine_.Requests().empty());

    // Another machine whose serial differs only after its fourth byte takes the file.
    machine_.SetDeviceString(1, "ABCDZZZZZZ");
    report_.openAnswer = report_.saveAnswer;
    ApplyOfflineUpdateFile(Job());
    auto sent = Sent(0xA4);
    ASSERT_EQ(sent.size(), 3u);  // the empty last part is sent too
    EXPECT_EQ(sent[2].size(), 1u);
    EXPECT_EQ(machine_.Firmware().size(), 2048u);
    EXPECT_EQ(machine_.Firmware()[1024], parts[1][0]);
    EXPECT_EQ(machine_.Parameters()[6].bytes, (std::vector<uint8_t>{'1', '.', '3', '.', '0'}));
    EXPECT_TRUE(std::equal(image.begin(), image.end(), machine_.DataImage().begin()));
    EXPECT_TRUE(report_.Status().starts_with(L"Update success."));
    EXPECT_TRUE(LeftAndClosed());
}

TEST_F(OfflineUpdate, FileWithoutImageStillOpensAndClosesTheImageWrite) {
    report_.openAnswer = Put(OfflineFile("TQ20260042", 100, 100));
    ApplyOfflineUpdateFile(Job());
    EXPECT_EQ(CodesAfter(0xD7), (std::vector<uint8_t>{0xDD, 0xDB}));  // no block between
    EXPECT_TRUE(report_.Status().starts_with(L"Update success."));
}

// Each row makes a file whose shape tries one step of the making: the firmware parts appended
// and counted in the header, the image copied in pieces to the end, the work files cleared.
struct CreatedFile {
    const char* name;
    std::vector<size_t> firmware;
    size_t image;
};

class OfflineCreated : public OfflineUpdate, public ::testing::WithParamInterface<CreatedFile> {};

TEST_P(OfflineCreated, HoldsTheFirmwareThenTheImage) {
    std::vector<uint8_t> firmware = Joined(ServeFirmware(GetParam().firmware));
    std::vector<uint8_t> image = Pattern(GetParam().image, 8);
    ServeImage(image);
    UpdateJob job = Job();
    job.serial = L"TQ20260042";
    report_.saveAnswer = platform::Utf8ToWide(path_.string());
    CreateOfflineUpdateFile(job);

    UniqueFile file(std::fopen(path_.c_str(), "rb"));
    ASSERT_NE(file, nullptr);
    OfflineFileReader reader(file.get());
    ASSERT_EQ(reader.Open(), OfflineFileCheck::kValid);
    EXPECT_EQ(reader.header().firmwareLength, firmware.size());
    std::vector<uint8_t> read(firmware.size());
    EXPECT_TRUE(reader.Read(read) && read == firmware) << "firmware";
    EXPECT_EQ(reader.ImageLength(), image.size());
    read.resize(image.size());
    EXPECT_TRUE(reader.Read(read) && read == image) << "image";
    EXPECT_FALSE(std::filesystem::exists(work_ / "temp.7z"));
    EXPECT_FALSE(std::filesystem::exists(work_ / "sdcard.bin"));
}

constexpr size_t kImagePiece = 104857;

INSTANTIATE_TEST_SUITE_P(
    Shapes, OfflineCreated,
    ::testing::Values(CreatedFile{"OnePartAndASmallImage", {300}, 5000},
                      CreatedFile{"ImageOfWholePieces", {1024, 1024}, 2 * kImagePiece},
                      CreatedFile{"ImageWithARest", {1024, 7}, 2 * kImagePiece + 10}),
    [](const auto& info) { return std::string(info.param.name); });

// Each row applies a file whose shape tries one step of the applying: the firmware cut into
// parts, and the serial bytes compared. Every row checks the firmware, the version and the image
// that reach the machine.
struct AppliedFile {
    const char* name;
    const char* machineSerial;
    uint32_t firmwareLength;
    std::vector<size_t> partsSent;
};

class OfflineApplied : public OfflineUpdate, public ::testing::WithParamInterface<AppliedFile> {};

TEST_P(OfflineApplied, GivesTheMachineEachPartOfTheFile) {
    const AppliedFile& row = GetParam();
    machine_.SetDeviceString(1, row.machineSerial);
    std::vector<uint8_t> file =
        OfflineFile("TQ20260042", row.firmwareLength, row.firmwareLength + 3000);
    report_.openAnswer = Put(file);
    ApplyOfflineUpdateFile(Job());

    std::vector<size_t> sent;
    for (const auto& frame : Sent(0xA4)) {
        sent.push_back(frame.size() - 1);
    }
    EXPECT_EQ(sent, row.partsSent);
    auto body = file.begin() + kOfflineHeaderSize;
    auto image = body + row.firmwareLength;
    EXPECT_EQ(machine_.Firmware(), std::vector<uint8_t>(body, image));
    EXPECT_EQ(machine_.Parameters()[6].bytes, (std::vector<uint8_t>{'1', '.', '3', '.', '0'}));
    std::vector<uint8_t> onMachine = machine_.DataImage();
    EXPECT_TRUE(onMachine.size() >= 3000 && std::equal(image, file.end(), onMachine.begin()))
        << "image";
    EXPECT_TRUE(report_.Status().starts_with(L"Update success."));
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, OfflineApplied,
    ::testing::Values(
        AppliedFile{"WholePartsEndWithAnEmptyOne", "TQ20260042", 2048, {1024, 1024, 0}},
        AppliedFile{"ALastShortPart", "TQ20260042", 1500, {1024, 476}},
        AppliedFile{"ASerialDifferentAfterItsFourthByte", "TQ20ZZZZZZ", 100, {100}}),
    [](const auto& info) { return std::string(info.param.name); });

struct Refusal {
    const char* name;
    std::vector<uint8_t> file;
    bool cancelled;
    const wchar_t* message;
    bool fifo = false;  // a FIFO in the file's place, which no writer ever opens
};

class OfflineRefusal : public OfflineUpdate, public ::testing::WithParamInterface<Refusal> {};

TEST_P(OfflineRefusal, SendsNothingAfterTheSerialIsRead) {
    std::wstring path = Put(GetParam().file);
    if (GetParam().fifo) {
        std::filesystem::remove(path_);
        ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    }
    report_.openAnswer = GetParam().cancelled ? std::nullopt : std::optional(path);
    ApplyOfflineUpdateFile(Job());
    EXPECT_TRUE(CodesAfter(0xA1).empty());
    EXPECT_EQ(report_.Status(), GetParam().message);
    EXPECT_TRUE(LeftAndClosed());
    EXPECT_TRUE(Beeps().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, OfflineRefusal,
    ::testing::Values(
        Refusal{"WrongMagic", OfflineFile("TQ20260042", 10, 100, '4'), false, L""},
        Refusal{"OtherMachine", OfflineFile("TQ30260042", 10, 100), false, L"Update failed.(10)"},
        Refusal{"Truncated", std::vector<uint8_t>{'2', '3', 0, 0}, false, L"Update failed.(28)"},
        Refusal{"FirmwareBeyondTheEnd", OfflineFile("TQ20260042", 1000, 10), false,
                L"Update failed.(28)"},
        Refusal{"Cancelled", OfflineFile("TQ20260042", 10, 100), true, L""},
        Refusal{"Fifo", {}, false, L"", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OfflineUpdate, FailedCreationLeavesTheEarlierFileAlone) {
    ServeFirmware({1024});
    server_.SetOperationReply(kOperationImageSize, 1, {});
    Put({'o', 'l', 'd'});
    UpdateJob job = Job();
    job.serial = L"TQ20260042";
    report_.saveAnswer = platform::Utf8ToWide(path_.string());
    CreateOfflineUpdateFile(job);

    EXPECT_EQ(report_.Status(), L"Communication with server failed.(11)");
    EXPECT_EQ(platform::ReadWholeFile(path_), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(files_.path()), {}), 1);
}

}  // namespace
}  // namespace test
