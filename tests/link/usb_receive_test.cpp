// Reply frames: time-outs, chunks, and every malformed or stray reply.

#include <gtest/gtest.h>

#include <algorithm>

#include "link/link_fixture.h"

namespace test {
namespace {

using namespace std::chrono_literals;

constexpr uint8_t kClose = 0xA6;

class ReceiveTest : public LinkTest {
  protected:
    void SetUp() override { Open(); }

    // Sends a close request and waits for the reply as the commands do.
    LinkResult Receive(std::vector<uint8_t>& payload) {
        const uint8_t request[] = {kClose};
        link_.SendFrame(request, 1, false);
        payload.assign(UsbFrame::kMaxPayload, 0);
        uint32_t length = 12345;
        LinkResult result = link_.ReceiveFrame(payload.data(), &length);
        payload.resize(length);
        return result;
    }

    // What the log lines starting with prefix say after it.
    std::vector<std::string> LinesAfter(const std::string& prefix) const {
        std::vector<std::string> rests;
        for (const std::string& text : LogTexts()) {
            if (text.starts_with(prefix)) {
                rests.push_back(text.substr(prefix.size()));
            }
        }
        return rests;
    }
};

TEST_F(ReceiveTest, SilenceEndsInNineAtTheFirstEmptyPollTwentySecondsOn) {
    machine_.InjectFault(kClose, 1, MachineFault::NoReply());
    std::vector<uint8_t> payload;
    EXPECT_EQ(Receive(payload), kLinkTimeout);
    EXPECT_TRUE(payload.empty());
    // Polls of 5.5 s end at 5.5, 11, 16.5 and 22 s.
    EXPECT_GE(Elapsed(), 22000ms);
    EXPECT_LT(Elapsed(), 22100ms);
    // The command itself reports a missing reply as 7.
    machine_.InjectFault(kClose, 2, MachineFault::NoReply());
    EXPECT_EQ(link_.CloseMachineFile(), kLinkFailed);
}

TEST_F(ReceiveTest, ReplyInChunksIsAssembledWithOneLogLinePerChunk) {
    machine_.InjectFault(kClose, 1, MachineFault::SplitReply(1));
    std::vector<uint8_t> payload;
    EXPECT_EQ(Receive(payload), kLinkOk);
    EXPECT_EQ(payload, (std::vector<uint8_t>{kClose, 0x03}));  // nothing was open to close
    EXPECT_EQ(LinesAfter("< :  "),
              (std::vector<std::string>{"07", "00", "02", "00", "A6", "03", "A0"}));
}

TEST_F(ReceiveTest, LateReplyWithinTheSilenceLimitIsTaken) {
    machine_.InjectFault(kClose, 1, MachineFault::LateReply(19000ms));
    std::vector<uint8_t> payload;
    EXPECT_EQ(Receive(payload), kLinkOk);
    EXPECT_GE(Elapsed(), 19000ms);
}

TEST_F(ReceiveTest, StrayReplyOfATimedOutCommandIsDrainedBeforeTheNextRequest) {
    ASSERT_EQ(link_.OpenMachineFile("2:\\headU.bin", 12), kLinkOk);
    machine_.InjectFault(0xA5, 1, MachineFault::LateReply(30000ms));
    EXPECT_EQ(link_.BeginFileWrite(), kLinkFailed);
    clock_.Advance(10s);  // the late reply arrives meanwhile
    machine_.InjectFault(0xA4, 1, MachineFault::Status(9));
    EXPECT_EQ(link_.WriteFileData(nullptr, 0), kLinkFailed);  // its own reply, not the stray one
    EXPECT_EQ(machine_.PendingReplyBytes(), 0u);
    EXPECT_TRUE(LogHas("< :  07 00 02 00 A5 00 A0"));
}

TEST_F(ReceiveTest, StrayReplyDrainedWhileFrameLoggingIsOffStaysOutOfTheLog) {
    std::vector<uint8_t> block(512, 0x11);
    ASSERT_EQ(link_.BeginSdWrite(), kLinkOk);
    machine_.InjectFault(0xD8, 1, MachineFault::LateReply(30000ms));
    EXPECT_EQ(link_.WriteSdBlock(block.data(), 0, block.size()), kLinkFailed);
    clock_.Advance(10s);
    ClearLog();
    EXPECT_EQ(link_.WriteSdBlock(block.data(), 512, block.size()), kLinkOk);
    EXPECT_EQ(machine_.PendingReplyBytes(), 0u);
    EXPECT_TRUE(LogTexts().empty());
}

TEST_F(ReceiveTest, CheckByteOfAReplyIsNotVerifiedButLogged) {
    std::vector<uint8_t> payload;
    EXPECT_EQ(Receive(payload), kLinkOk);
    EXPECT_FALSE(LogHas("Reply check byte mismatch"));
    machine_.InjectFault(kClose, 2, MachineFault::BadCheckByte());
    EXPECT_EQ(Receive(payload), kLinkOk);
    EXPECT_EQ(payload.size(), 2u);
    EXPECT_TRUE(LogHas("Reply check byte mismatch"));
}

struct MalformedCase {
    const char* name;
    MachineFault fault;
};

class MalformedReplyTest : public ReceiveTest,
                           public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedReplyTest, EndsInSevenWithoutWaitingOrOverrunAndTheLinkGoesOn) {
    machine_.InjectFault(kClose, 1, GetParam().fault);
    std::vector<uint8_t> payload;
    EXPECT_EQ(Receive(payload), kLinkFailed);
    EXPECT_TRUE(payload.empty());
    EXPECT_LT(Elapsed(), 1000ms);
    // Whatever is left of it, once it has all arrived, is drained; the next command gets
    // its own reply.
    clock_.Advance(1s);
    EXPECT_EQ(link_.ShowProgress(5), kLinkOk);
    EXPECT_EQ(machine_.PendingReplyBytes(), 0u);
}

std::vector<uint8_t> WithExtraByte() {
    std::vector<uint8_t> frame = FrameOf({kClose, 0});
    frame.push_back(0x00);
    return frame;
}

INSTANTIATE_TEST_SUITE_P(
    All, MalformedReplyTest,
    ::testing::Values(
        MalformedCase{"OverlongFrame", MachineFault::OverlongFrame(6000)},
        MalformedCase{"OverlongFrameInChunks",
                      MachineFault::Wire(FrameOf(std::vector<uint8_t>(5200, 0xA6)), 700)},
        MalformedCase{"FloodOfOnes", MachineFault::Flood(100000)},
        MalformedCase{"FloodOfZeros", MachineFault::Flood(7000, 0x00)},
        MalformedCase{"LengthBelowFive", MachineFault::Wire({0x04, 0x00, 0x00, 0x00})},
        MalformedCase{"PayloadBeyondFrame",
                      MachineFault::Wire({0x07, 0x00, 0x03, 0x00, 0xA6, 0x00, 0xA4})},
        MalformedCase{"BytesBeyondT", MachineFault::Wire(WithExtraByte())}),
    [](const auto& info) { return info.param.name; });

TEST_F(ReceiveTest, FailingDriverCallsAreReportedAsTheirStatus) {
    machine_.FailDriverCall(DriverCall::GetStatus, platform::FT_IO_ERROR);
    std::vector<uint8_t> payload;
    EXPECT_EQ(Receive(payload), platform::FT_IO_ERROR);

    machine_.FailDriverCall(DriverCall::Read, platform::FT_IO_ERROR, -1);
    EXPECT_EQ(Receive(payload), platform::FT_IO_ERROR);
    EXPECT_GE(Elapsed(), 20000ms);
}

}  // namespace
}  // namespace test
