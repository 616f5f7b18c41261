// Copying the saved key database onto the simulated machine's drive.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "link/key_transfer.h"
#include "link/link_fixture.h"
#include "model/key_files.h"

namespace test {
namespace {

using namespace std::chrono_literals;

KeyDataRecord Record(int16_t id, const char* maker, const char* model, bool live = true,
                     uint8_t blankCount = 0) {
    KeyDataRecord record{};
    std::snprintf(record.keyName, sizeof(record.keyName), "K%d_U", id);
    record.keyId = id;
    record.params.status = live ? KeyStatusLive : KeyStatusDeleted;
    std::memcpy(record.params.keyName, record.keyName, sizeof(record.keyName));
    record.params.keyLength = 3000 + id;
    // A name may fill its whole field, with no NUL.
    std::memcpy(record.makerName, maker, std::min(std::strlen(maker), sizeof(record.makerName)));
    std::memcpy(record.modelName, model, std::min(std::strlen(model), sizeof(record.modelName)));
    record.blankCount = blankCount;
    for (int b = 0; b < 2; ++b) {
        record.blanks[b].keyId = static_cast<uint32_t>(id);
        record.blanks[b].side = static_cast<uint16_t>(b + 1);
        record.blanks[b].finished = 1;
        record.blanks[b].offsetA = static_cast<int16_t>(10 * b + id);
    }
    return record;
}

template <typename T>
std::vector<uint8_t> BytesOf(const T& value) {
    const auto* begin = reinterpret_cast<const uint8_t*>(&value);
    return {begin, begin + sizeof(T)};
}

std::vector<uint8_t> HeadEntry(const char* name, int16_t id) {
    std::vector<uint8_t> entry(36, 0);
    std::strncpy(reinterpret_cast<char*>(entry.data()), name, 16);
    std::memcpy(entry.data() + 16, &id, 2);
    return entry;
}

class KeySyncTest : public LinkTest {
  protected:
    void SaveRecords(const KeyDataList& records, size_t extraBytes = 0) {
        std::vector<uint8_t> bytes(RecordBytes(records).begin(), RecordBytes(records).end());
        bytes.resize(bytes.size() + extraBytes, 0xEE);
        WriteBytes(folder_ / "KeyData.u", bytes);
    }

    bool Synchronise() {
        CKeyTransfer transfer;
        if (!transfer.Connect()) {
            return false;
        }
        return transfer.WriteKeyDataToMachine();
    }

    // The machine is back in normal mode and the link let go of it.
    void ExpectLeftAndClosed() {
        EXPECT_EQ(machine_.Mode(), MachineMode::Normal);
        EXPECT_EQ(machine_.PinMasks(), (std::vector<uint8_t>{0xF5, 0xF4}));
        EXPECT_FALSE(machine_.IsOpen());
    }

    size_t CountOf(uint8_t code) const {
        auto codes = machine_.RequestCodes();
        return static_cast<size_t>(std::count(codes.begin(), codes.end(), code));
    }
};

TEST_F(KeySyncTest, EveryFileLandsOnTheDriveAsLaidDown) {
    KeyDataList records{Record(-101, "Audi", "A4", true, 1), Record(-102, "BMW", "A4", true, 2),
                        Record(-103, "Audi", "A4", false, 0), Record(7, "Audi", "Q5", true, 3)};
    SaveRecords(records, 180);  // a trailing partial record is ignored

    EXPECT_TRUE(Synchronise());

    std::map<std::string, std::vector<uint8_t>> expected{
        {"2:\\KeyDataU\\-0101", BytesOf(records[0].params)},
        {"2:\\KeyDataU\\-0102", BytesOf(records[1].params)},
        {"2:\\KeyDataU\\-0103", BytesOf(records[2].params)},
        {"2:\\KeyDataU\\00007", BytesOf(records[3].params)},
        {"2:\\headU.bin",
         Concat(BytesOf(records[0].blanks[0]),
                Concat(BytesOf(records[1].blanks[0]), BytesOf(records[1].blanks[1])))},
        {"2:\\CarManufactor2U\\Audi\\A4.ini", Bytes("[*]\r\n-1=-101;\r\n-3=;\r\n")},
        {"2:\\CarManufactor2U\\BMW\\A4.ini", Bytes("[*]\r\n-2=-102;\r\n")},
        {"2:\\CarManufactor2U\\Audi\\Q5.ini", Bytes("[*]\r\n-4=7;\r\n")},
        {"2:\\KeyBlankDataU.bin",
         Concat(std::vector<uint8_t>(36, 0),
                Concat(Concat(HeadEntry("K-101_U", -101), HeadEntry("K-102_U", -102)),
                       Concat(HeadEntry("", -103), HeadEntry("K7_U", 7))))},
    };
    EXPECT_EQ(machine_.Files(), expected);

    // Each file: open, begin, its writes, close; all in boot mode.
    EXPECT_EQ(CountOf(0xA7), expected.size());
    EXPECT_EQ(CountOf(0xA5), expected.size());
    EXPECT_EQ(CountOf(0xA6), expected.size());
    EXPECT_EQ(CountOf(0xA4), 4u + 3u + 3u + 5u);
    for (const MachineRequest& request : machine_.Requests()) {
        EXPECT_EQ(request.mode, MachineMode::Boot);
    }
    ASSERT_FALSE(machine_.Requests().empty());
    EXPECT_EQ(machine_.Requests().front().payload, Concat({0xA7}, Bytes("2:\\KeyDataU\\-0101")));
    ExpectLeftAndClosed();
}

TEST_F(KeySyncTest, NoBlankEntryMeansNoBlankFile) {
    SaveRecords({Record(-101, "Audi", "A4", true, 0), Record(-102, "Audi", "A4", true, 5)});
    EXPECT_TRUE(Synchronise());
    EXPECT_FALSE(machine_.HasFile("2:\\headU.bin"));
    EXPECT_EQ(machine_.File("2:\\KeyBlankDataU.bin").size(), 36u * 3);
}

TEST_F(KeySyncTest, WithoutASavedDatabaseOnlyTheBootModeIsLeft) {
    EXPECT_TRUE(Synchronise());
    EXPECT_TRUE(machine_.Requests().empty());
    ExpectLeftAndClosed();

    SaveRecords({}, 819);
    EXPECT_TRUE(Synchronise());
    EXPECT_TRUE(machine_.Requests().empty());
}

TEST_F(KeySyncTest, ADatabaseLargerThanAnyKeyFileFailsTheRunUnread) {
    SaveRecords({Record(-101, "Audi", "A4", true, 1)});
    std::filesystem::resize_file(folder_ / "KeyData.u", uintmax_t{2} << 40);
    EXPECT_FALSE(Synchronise());
    EXPECT_TRUE(machine_.Files().empty());
}

TEST_F(KeySyncTest, ConnectFailsWithoutAMachineOrWhenTheBootModeCannotBeEntered) {
    machine_.SetDescription("");
    CKeyTransfer transfer;
    EXPECT_FALSE(transfer.Connect());
    EXPECT_FALSE(transfer.WriteKeyDataToMachine());  // no link to write through

    machine_.SetDescription("Dux");
    machine_.FailDriverCall(DriverCall::Reset, platform::FT_IO_ERROR);
    EXPECT_FALSE(transfer.Connect());
    EXPECT_FALSE(machine_.IsOpen());  // released, so the next attempt finds the machine
    EXPECT_TRUE(transfer.Connect());
    EXPECT_TRUE(transfer.WriteKeyDataToMachine());
}

TEST_F(KeySyncTest, SilentMachineStopsTheRunAtOnce) {
    SaveRecords({Record(-101, "Audi", "A4"), Record(-102, "Audi", "A4")});
    machine_.InjectFaultAlways(0xA4, MachineFault::NoReply());
    EXPECT_FALSE(Synchronise());
    EXPECT_EQ(CountOf(0xA4), 1u);
    EXPECT_EQ(machine_.Requests().size(), 3u);  // open, begin, the unanswered write
    EXPECT_LT(Elapsed(), 30s);
    ExpectLeftAndClosed();
}

TEST_F(KeySyncTest, RefusedFileIsSkippedAndTheRunFails) {
    SaveRecords({Record(-101, "Audi", "A4"), Record(-102, "Audi", "A4")});
    machine_.InjectFault(0xA7, 1, MachineFault::Status(2));
    machine_.InjectFault(0xA4, 2, MachineFault::Status(2));  // the model list's
    EXPECT_FALSE(Synchronise());
    EXPECT_FALSE(machine_.HasFile("2:\\KeyDataU\\-0101"));
    EXPECT_TRUE(machine_.HasFile("2:\\KeyDataU\\-0102"));
    EXPECT_EQ(machine_.Files().size(), 3u);
    // Nothing but the open for the file refused there; a file whose write is refused is still
    // closed, or the machine would keep it open.
    EXPECT_EQ(machine_.RequestCodes(),
              (std::vector<uint8_t>{0xA7,                                   // -0101
                                    0xA7, 0xA5, 0xA4, 0xA6,                 // -0102
                                    0xA7, 0xA5, 0xA4, 0xA6,                 // the model list
                                    0xA7, 0xA5, 0xA4, 0xA4, 0xA4, 0xA6}));  // the head entries
    ExpectLeftAndClosed();
}

TEST_F(KeySyncTest, PathBeyondTheOpenLimitSkipsItsFile) {
    SaveRecords({Record(-101, "ManufacturerNameXYZ", "ModelNameLongerXYZW")});
    EXPECT_FALSE(Synchronise());
    EXPECT_EQ(machine_.Files().size(), 2u);  // the key's parameters and the head entries
    EXPECT_EQ(CountOf(0xA7), 2u);
    EXPECT_EQ(CountOf(0xA5), 2u);
    ExpectLeftAndClosed();
}

TEST_F(KeySyncTest, BeyondTwoThousandKeysEveryOneIsSentAndLongListsInPieces) {
    KeyDataList records;
    std::string list = "[*]\r\n";
    for (int i = 0; i < 2100; ++i) {
        records.push_back(Record(static_cast<int16_t>(-101 - i), "Audi", "A4"));
        list += std::to_string(-1 - i) + "=" + std::to_string(-101 - i) + ";\r\n";
    }
    SaveRecords(records);
    EXPECT_TRUE(Synchronise());
    EXPECT_EQ(machine_.Files().size(), 2100u + 2u);
    EXPECT_TRUE(machine_.HasFile("2:\\KeyDataU\\-2200"));
    EXPECT_EQ(machine_.File("2:\\KeyBlankDataU.bin").size(), 36u * 2101);
    EXPECT_EQ(machine_.File("2:\\CarManufactor2U\\Audi\\A4.ini"), Bytes(list));
    EXPECT_GT(list.size(), 5 * 4994u);
}

TEST_F(KeySyncTest, NamesThatWouldLeaveTheirFolderKeepTheirListBack) {
    KeyDataRecord unterminated = Record(-106, "", "A4");
    std::memset(unterminated.makerName, 'M', sizeof(unterminated.makerName));
    SaveRecords({Record(-101, "..\\..", "A4"), Record(-102, "Audi", "../x"), Record(-103, "", "A4"),
                 Record(-104, "Audi", "A\x01"), Record(-105, "Au?di", "A4"), unterminated,
                 Record(-107, "..", "A4"), Record(-108, ".", "A4")});
    EXPECT_TRUE(Synchronise());
    std::vector<std::string> lists;
    for (const auto& [path, bytes] : machine_.Files()) {
        if (path.starts_with("2:\\CarManufactor2U\\")) {
            lists.push_back(path);
        }
    }
    EXPECT_EQ(lists, std::vector<std::string>{"2:\\CarManufactor2U\\MMMMMMMMMMMMMMMMMMMM\\A4.ini"});
    EXPECT_TRUE(LogHas("Model list not sent, unusable name: Au?di / A4"));
    EXPECT_EQ(machine_.Files().size(), 8u + 1u + 1u);
}

}  // namespace
}  // namespace test
