// The client against a server that breaks off, falls silent or answers wrongly: resuming,
// the attempt cap, and malformed replies that leave the last reply untouched.

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "log/log.h"
#include "platform/text/text.h"
#include "server_fixture.h"

namespace test {
namespace {

// A firmware reply of exactly 300 bytes: 16 bytes of head and table, 10 + 274 of records.
Records ThreeHundredByteFirmware(LoopbackUpdateServer& server) {
    Records parts{std::vector<uint8_t>(274)};
    for (size_t i = 0; i < parts[0].size(); ++i) {
        parts[0][i] = static_cast<uint8_t>(i);
    }
    std::vector<uint8_t> head(10, 0x55);
    server.SetFirmware(head, parts);
    EXPECT_EQ(ReplyBlockBytes({head, parts[0]}).size(), 300u);
    return {head, parts[0]};
}

Records ReplyOf(const CServerComm& comm) {
    Records records;
    for (int i = 0; i < comm.ReplyCount(); ++i) {
        records.emplace_back(comm.ReplyRecord(i).begin(), comm.ReplyRecord(i).end());
    }
    return records;
}

std::string Hex(const ReplyKey& key) {
    return platform::WideToUtf8(BytesToHex(key.data(), key.size(), 0));
}

using ServerFaults = ServerFixture;

TEST_F(ServerFaults, ResetReplyIsResumedBehindTheBytesReceivedWithANewKey) {
    Records expected = ThreeHundredByteFirmware(server_);
    server_.QueueFault(ServerFault::kResetAfter, 100);
    CServerComm comm(0);
    AddHead(comm, kOperationFirmware);
    comm.Transact();
    EXPECT_EQ(ReplyOf(comm), expected);
    auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].resumeOffset, 0u);
    EXPECT_EQ(requests[1].resumeOffset, 100u);
    EXPECT_NE(requests[0].key, requests[1].key);
    EXPECT_TRUE(LogHas("re 1"));
    EXPECT_TRUE(LogHas("xor data : " + Hex(requests[1].key)));
}

TEST_F(ServerFaults, ALargeReplyResetPartWayResumesExactlyWhereItWasCut) {
    // A mebibyte of firmware in records of 1 KiB.
    Records parts(1024, std::vector<uint8_t>(1024, 0x3C));
    std::vector<uint8_t> head(10, 0x55);
    server_.SetFirmware(head, parts);
    server_.QueueFault(ServerFault::kResetAfter, 500000);
    CServerComm comm(0);
    AddHead(comm, kOperationFirmware);
    comm.Transact();
    parts.insert(parts.begin(), head);
    EXPECT_EQ(ReplyOf(comm), parts);
    auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].resumeOffset, 500000u);
}

TEST_F(ServerFaults, ThirtyAttemptsAtMost) {
    ThreeHundredByteFirmware(server_);
    for (int i = 0; i < 29; ++i) {
        server_.QueueFault(ServerFault::kResetAfter, 10);
    }
    CServerComm comm(0);
    AddHead(comm, kOperationFirmware);
    comm.Transact();
    EXPECT_EQ(comm.ReplyCount(), 2) << "the 30th attempt still counts";
    EXPECT_EQ(server_.Requests().back().resumeOffset, 290u);

    for (int i = 0; i < 30; ++i) {
        server_.QueueFault(ServerFault::kResetAfter, 0);
    }
    ServerReplyBlock reply;
    std::vector<std::vector<uint8_t>> items{{4, 1, 1}};
    EXPECT_EQ(comm.Exchange(items, reply), kExchangeIncomplete);
    EXPECT_EQ(server_.Requests().size(), 60u);
    EXPECT_TRUE(LogHas("re 29"));
    EXPECT_FALSE(LogHas("re 30"));
    EXPECT_EQ(reply.Count(), 0u);
}

TEST_F(ServerFaults, RefusedConnectionsAreRetriedAndReported) {
    ServerEndpoint closed = server_.Endpoint();
    {
        LoopbackUpdateServer gone;
        closed.port = gone.port();
    }
    ScopedServerEndpoint endpoint(closed);
    CServerComm comm(0);
    ServerReplyBlock reply;
    std::vector<std::vector<uint8_t>> items{{4, 1, 5}};
    EXPECT_EQ(comm.Exchange(items, reply), kExchangeIncomplete);
    EXPECT_TRUE(LogHas(platform::WideToUtf8(
        platform::Format(L"Socket connect failed with error: %d", ECONNREFUSED))));
    EXPECT_TRUE(LogHas("re 29"));
}

TEST_F(ServerFaults, ConnectGivesUpAfterItsTimeOut) {
    // A listener whose queue is full drops further connection requests unanswered.
    int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), size), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size), 0);
    int filler = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_EQ(::connect(filler, reinterpret_cast<sockaddr*>(&address), size), 0);

    ServerEndpoint stuck = server_.Endpoint();
    stuck.port = ntohs(address.sin_port);
    stuck.connectTimeout = std::chrono::milliseconds(200);
    ScopedServerEndpoint endpoint(stuck);
    CServerComm comm(0);
    std::vector<uint8_t> block(29);
    std::vector<uint8_t> receive(64);
    size_t received = 0;
    auto start = std::chrono::steady_clock::now();
    int result = comm.SendFrame(block, receive, received);
    auto waited = std::chrono::steady_clock::now() - start;
    ::close(filler);
    ::close(listener);
    EXPECT_EQ(result, kExchangeIncomplete);
    EXPECT_LT(waited, std::chrono::seconds(5));
    EXPECT_TRUE(LogHas(platform::WideToUtf8(
        platform::Format(L"Socket connect failed with error: %d", ETIMEDOUT))));
}

class SilentServer : public ServerFixture {
  protected:
    SilentServer() : ServerFixture(std::chrono::milliseconds(100)) {}
};

TEST_F(SilentServer, SilenceBeyondTheReceiveTimeOutIsRetried) {
    Records expected = ThreeHundredByteFirmware(server_);
    server_.QueueFault(ServerFault::kSilence);
    CServerComm comm(0);
    AddHead(comm, kOperationFirmware);
    comm.Transact();
    EXPECT_EQ(ReplyOf(comm), expected);
    EXPECT_EQ(server_.Requests().size(), 2u);
    EXPECT_TRUE(
        LogHas(platform::WideToUtf8(platform::Format(L"Recv failed (-1) with error: %d", EAGAIN))));
}

// Each malformed reply follows a good one, which must survive it.
class MalformedReply : public ServerFixture {
  protected:
    void SetUp() override {
        good_ = ThreeHundredByteFirmware(server_);
        AddHead(comm_, kOperationFirmware);
        comm_.Transact();
        ASSERT_EQ(ReplyOf(comm_), good_);
    }
    void ExpectRefused() {
        ServerReplyBlock reply;
        EXPECT_EQ(comm_.Exchange(std::vector<std::vector<uint8_t>>{{4, 1, 1}}, reply),
                  kReplyMalformed);
        comm_.Transact();
        EXPECT_EQ(ReplyOf(comm_), good_);
    }

    Records good_;
    CServerComm comm_{0};
};

TEST_F(MalformedReply, ShortReply) {
    server_.SetRawReply(std::vector<uint8_t>(12, 0));
    ExpectRefused();
    EXPECT_TRUE(LogHas("=SRE001=12"));
}

TEST_F(MalformedReply, DeclaredTotalOtherThanReceived) {
    server_.SetFirmware({}, {std::vector<uint8_t>(480 - 16)});
    server_.QueueFault(ServerFault::kWrongTotal, 20);
    server_.QueueFault(ServerFault::kWrongTotal, 20);
    ExpectRefused();
    EXPECT_TRUE(LogHas("=SRE002=500,480"));
}

TEST_F(MalformedReply, CleanCloseMidReplyIsNotRetried) {
    server_.QueueFault(ServerFault::kCloseAfter, 100);
    server_.QueueFault(ServerFault::kCloseAfter, 100);
    ExpectRefused();
    EXPECT_TRUE(LogHas("=SRE002=300,100"));
    EXPECT_EQ(server_.Requests().size(), 3u);
    EXPECT_FALSE(LogHas("re 1"));
}

TEST_F(MalformedReply, MoreThanTwelveThousandRecords) {
    server_.SetFirmware({}, Records(11999, std::vector<uint8_t>{1}));
    ServerReplyBlock reply;
    ASSERT_EQ(comm_.Exchange(std::vector<std::vector<uint8_t>>{{4, 1, 1}}, reply), 0);
    EXPECT_EQ(reply.Count(), 12000u);
    server_.SetFirmware({}, Records(12000, std::vector<uint8_t>{1}));
    ExpectRefused();
}

TEST_F(MalformedReply, RecordLongerThanItsBuffer) {
    server_.SetFirmware({}, {std::vector<uint8_t>(1100, 1)});
    ServerReplyBlock reply;
    ASSERT_EQ(comm_.Exchange(std::vector<std::vector<uint8_t>>{{4, 1, 1}}, reply), 0);
    server_.SetFirmware({}, {std::vector<uint8_t>(1101, 1)});
    ExpectRefused();
}

TEST_F(MalformedReply, MoreThanTheReplyBufferHolds) {
    std::vector<uint8_t> huge(kReplyCapacity + 1, 0);
    huge[0] = static_cast<uint8_t>(huge.size());
    huge[1] = static_cast<uint8_t>(huge.size() >> 8);
    huge[2] = static_cast<uint8_t>(huge.size() >> 16);
    huge[3] = static_cast<uint8_t>(huge.size() >> 24);
    server_.SetRawReply(std::move(huge));
    ExpectRefused();
    EXPECT_EQ(server_.Requests().size(), 3u) << "an overflow is not retried";
}

}  // namespace
}  // namespace test
