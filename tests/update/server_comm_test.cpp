// The client against the loopback server when nothing goes wrong: the request bytes, the
// descrambled replies, the items and the settings.

#include <unistd.h>

#include <climits>
#include <fstream>

#include "platform/fs/fs.h"
#include "server_fixture.h"

namespace test {
namespace {

std::vector<uint8_t> Utf16Le(const std::string& ascii) {
    std::vector<uint8_t> bytes;
    for (char c : ascii) {
        bytes.push_back(static_cast<uint8_t>(c));
        bytes.push_back(0);
    }
    return bytes;
}

std::string HostName() {
    char host[HOST_NAME_MAX + 1] = {};
    ::gethostname(host, sizeof host - 1);
    return host;
}

void Append(std::vector<uint8_t>& block, uint32_t word) {
    for (int i = 0; i < 4; ++i) {
        block.push_back(static_cast<uint8_t>(word >> (8 * i)));
    }
}

using ServerComm = ServerFixture;

TEST_F(ServerComm, RequestBlockHasTheItemsBehindTheirLengthsAndTheKeyAtTheEnd) {
    CServerComm comm(0);
    AddHead(comm, kOperationVersionList);
    comm.Transact();
    auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);

    auto name = Utf16Le(HostName().substr(0, 15));
    const uint32_t total = 29 + 16 + 3 + static_cast<uint32_t>(name.size()) + 10 + 2;
    std::vector<uint8_t> expected;
    Append(expected, total);
    Append(expected, 0);
    Append(expected, 4);
    for (size_t length : {size_t{3}, name.size(), size_t{10}, size_t{2}}) {
        Append(expected, static_cast<uint32_t>(length));
    }
    for (uint8_t b : {4, 1, 5}) {
        expected.push_back(b);
    }
    expected.insert(expected.end(), name.begin(), name.end());
    auto version = Utf16Le("2.0.2");
    expected.insert(expected.end(), version.begin(), version.end());
    expected.push_back('e');
    expected.push_back('n');
    expected.insert(expected.end(), requests[0].key.begin(), requests[0].key.end());
    expected.push_back(0);
    EXPECT_EQ(requests[0].bytes, expected);
    EXPECT_NE(requests[0].key, ReplyKey{});
}

TEST_F(ServerComm, ScrambledRepliesComeBackAsTheServersRecords) {
    server_.SetVersions({"1.0.7", "1.1.0"});
    CServerComm comm(0);
    AddHead(comm, kOperationVersionList);
    comm.Transact();
    comm.Transact();
    ASSERT_EQ(comm.ReplyCount(), 3);
    EXPECT_EQ(std::string(comm.ReplyRecord(1).begin(), comm.ReplyRecord(1).end()),
              std::string("1.0.7\0", 6));
    EXPECT_EQ(std::string(comm.ReplyRecord(2).begin(), comm.ReplyRecord(2).end()),
              std::string("1.1.0\0", 6));
    auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[0].key, requests[1].key) << "a fresh key for every exchange";
}

TEST_F(ServerComm, ChunkRequestsReuseTheItemsWithNewHeadOffsetAndLength) {
    std::vector<uint8_t> image(3000);
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 7);
    }
    server_.SetDataImage(image, 1000);
    CServerComm comm(0);
    AddHead(comm, kOperationImageSize);
    uint8_t serial[10] = {}, machine[5] = {}, selected[5] = {}, word[4] = {};
    for (std::span<const uint8_t> item :
         {std::span<const uint8_t>(serial), std::span<const uint8_t>(machine),
          std::span<const uint8_t>(selected), std::span<const uint8_t>(word),
          std::span<const uint8_t>(word)}) {
        ASSERT_TRUE(comm.AddParam(item));
    }
    comm.Transact();
    ASSERT_EQ(comm.ReplyCount(), 2);
    EXPECT_EQ(GetU32(comm.ReplyRecord(1).first<4>()), 3000u);

    ServerRequestHead chunk{4, 1, kOperationImageChunk};
    ASSERT_TRUE(comm.SetParam(0, chunk.Bytes()));
    PutU32(word, 1000);
    ASSERT_TRUE(comm.SetParam(7, word));
    PutU32(word, 1500);
    ASSERT_TRUE(comm.SetParam(8, word));
    comm.ClearReply();
    comm.Transact();
    ASSERT_EQ(comm.ReplyCount(), 3);
    std::vector<uint8_t> got;
    for (int i = 1; i < comm.ReplyCount(); ++i) {
        got.insert(got.end(), comm.ReplyRecord(i).begin(), comm.ReplyRecord(i).end());
    }
    EXPECT_EQ(got, std::vector<uint8_t>(image.begin() + 1000, image.begin() + 2500));
}

TEST_F(ServerComm, ItemsBeyondTheBuffersAreRefused) {
    CServerComm comm(0);
    std::vector<uint8_t> tooLong(101, 1);
    EXPECT_FALSE(comm.AddParam(tooLong));
    EXPECT_EQ(comm.ParamCount(), 0);
    std::vector<uint8_t> longest(100, 1);
    EXPECT_TRUE(comm.AddParam(longest));
    EXPECT_EQ(comm.ParamCount(), 3);
    while (comm.AddParam(longest)) {
    }
    EXPECT_EQ(comm.ParamCount(), 10);
    EXPECT_FALSE(comm.SetParam(10, longest));
    EXPECT_FALSE(comm.SetParam(0, tooLong));
    comm.ClearParams();
    EXPECT_EQ(comm.ParamCount(), 0);
}

TEST_F(ServerComm, SecondVariantIntroducesItselfAsTheOlderClientAndTracesReceiving) {
    server_.SetNotes({"notes"});
    CServerComm comm(0);
    ServerRequestHead head{2, 1, kOperationVersionNotes};
    comm.AddParamOld(head.Bytes());
    comm.TransactOld();
    ASSERT_EQ(comm.ReplyCount(), 2);
    auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    ASSERT_EQ(requests[0].items.size(), 3u);
    EXPECT_EQ(requests[0].items[2], Utf16Le("1.4.3"));
    EXPECT_TRUE(LogHas("Recv start"));
    EXPECT_TRUE(LogHas("Bytes received: 0"));
    EXPECT_TRUE(LogHas("Total length: 25"));  // 8 + two lengths + 3 + "notes\0"
    EXPECT_TRUE(LogHas("Connection closed"));
}

TEST_F(ServerComm, DumpLogsTheCountAndEachRecordInHex) {
    server_.SetFirmware({0x0A, 0xFF}, {{1, 2, 3}});
    CServerComm comm(0);
    AddHead(comm, kOperationFirmware);
    comm.Transact();
    comm.DumpReply();
    EXPECT_TRUE(LogHas("R_Count:2"));
    EXPECT_TRUE(LogHas("R(0):0A FF"));
    EXPECT_TRUE(LogHas("R(1):01 02 03"));
}

TEST(ServerComputerName, IsCutToFifteenCharactersAsOnWindows) {
    EXPECT_EQ(ComputerNameItem("workshop-pc"), Utf16Le("workshop-pc"));
    EXPECT_EQ(ComputerNameItem("a-very-long-linux-host-name.example.org"),
              Utf16Le("a-very-long-lin"));
    EXPECT_EQ(ComputerNameItem("\xC3\xA9t\xC3\xA9"),
              (std::vector<uint8_t>{0xE9, 0, 't', 0, 0xE9, 0}));
}

TEST(ServerLanguage, OnlyChineseItalianAndTurkishHaveTheirOwnCode) {
    for (int index = 0; index <= 15; ++index) {
        uint8_t code[2];
        CServerComm::LanguageCode(index, code);
        std::string expected = index == 0 ? "ch" : index == 3 ? "it" : index == 9 ? "tr" : "en";
        EXPECT_EQ(std::string(code, code + 2), expected) << "language " << index;
    }
}

TEST(ServerAddress, ComesFromTheProgramsConfigurationWithLoopbackAsDefault) {
    TempFolder folder;
    ScopedProgramFolder programFolder(folder);
    ServerEndpoint fallback = ConfiguredServerEndpoint();
    EXPECT_EQ(fallback.address, "127.0.0.1");
    EXPECT_EQ(fallback.port, 5001);
    EXPECT_EQ(fallback.connectTimeout, std::chrono::seconds(20));
    EXPECT_EQ(fallback.receiveTimeout, std::chrono::seconds(40));
    std::ofstream(folder / "config.ini")
        << "[LanguageKey]\nLanguage=1\n[Server]\nAddress=10.20.30.40\n";
    EXPECT_EQ(ConfiguredServerEndpoint().address, "10.20.30.40");
}

}  // namespace
}  // namespace test
