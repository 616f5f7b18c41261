// The two reads that bring data back: device strings and device information.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "link/link_fixture.h"

namespace test {
namespace {

class DeviceReadTest : public LinkTest {
  protected:
    void SetUp() override { Open(); }

    LinkResult ReadString(std::vector<uint8_t> reply, DeviceString& out) {
        machine_.InjectFault(0xA1, NextOccurrence(0xA1), MachineFault::Payload(std::move(reply)));
        return link_.ReadDeviceString(1, out);
    }

    LinkResult ReadInfo(std::vector<uint8_t> reply, DeviceInfo& out) {
        machine_.InjectFault(0xD1, NextOccurrence(0xD1), MachineFault::Payload(std::move(reply)));
        return link_.ReadDeviceInfo(out);
    }

    int NextOccurrence(uint8_t code) const {
        auto codes = machine_.RequestCodes();
        return 1 + static_cast<int>(std::count(codes.begin(), codes.end(), code));
    }
};

TEST_F(DeviceReadTest, DeviceStringsOfTheMachine) {
    DeviceString text{};
    EXPECT_EQ(link_.ReadDeviceString(1, text), kLinkOk);
    EXPECT_STREQ(text.data(), "TQ20261206");
    machine_.SetDeviceString(6, "1.0.7");
    EXPECT_EQ(link_.ReadDeviceString(6, text), kLinkOk);
    EXPECT_STREQ(text.data(), "1.0.7");
    EXPECT_EQ(machine_.Requests().back().payload, (std::vector<uint8_t>{0xA1, 6}));
}

TEST_F(DeviceReadTest, DeviceStringReplyClasses) {
    DeviceString text{};
    EXPECT_EQ(ReadString({0xA1, 0x05, 0x00}, text), 5u);  // the machine's own status
    EXPECT_EQ(ReadString({0xA1, 0x00}, text), kLinkFailed);
    EXPECT_EQ(ReadString({0xA1, 0x05}, text), kLinkFailed);
    EXPECT_EQ(ReadString({0xA2, 0x00, 0x41}, text), kLinkFailed);
    EXPECT_EQ(ReadString({0xA1, 0x00, 0x41}, text), kLinkOk);
    EXPECT_STREQ(text.data(), "A");
}

TEST_F(DeviceReadTest, DeviceStringLongerThanTheBufferIsCut) {
    for (size_t length : {253u, 254u, 300u, 4993u}) {
        DeviceString text;
        text.fill('#');
        std::vector<uint8_t> reply{0xA1, 0x00};
        reply.resize(2 + length, 'v');
        EXPECT_EQ(ReadString(reply, text), kLinkOk);
        EXPECT_EQ(std::strlen(text.data()), 253u) << length;
    }
}

TEST_F(DeviceReadTest, DeviceInfoReplyClasses) {
    DeviceInfo info{};
    EXPECT_EQ(link_.ReadDeviceInfo(info), kLinkOk);
    EXPECT_EQ(info, (DeviceInfo{0x20, 0x26, 0x12, 0x06, 0x01, 0x00, 0x03, 0x00}));
    EXPECT_EQ(machine_.Writes().back(), (std::vector<uint8_t>{0x06, 0x00, 0x01, 0x00, 0xD1, 0xD6}));

    EXPECT_EQ(ReadInfo({0xD1, 0x00, 1, 2, 3, 4, 5, 6, 7, 8}, info), kLinkOk);
    EXPECT_EQ(info, (DeviceInfo{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(ReadInfo({0xD1, 0x00, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0}, info), kLinkOk);
    EXPECT_EQ(info, (DeviceInfo{8, 7, 6, 5, 4, 3, 2, 1}));
    for (std::vector<uint8_t> bad :
         {std::vector<uint8_t>{0xD1, 0x00, 1, 2, 3, 4, 5, 6, 7}, std::vector<uint8_t>{0xD1, 0x00},
          std::vector<uint8_t>{0xD1, 0x01, 1, 2, 3, 4, 5, 6, 7, 8},
          std::vector<uint8_t>{0xD2, 0x00, 1, 2, 3, 4, 5, 6, 7, 8}}) {
        EXPECT_EQ(ReadInfo(bad, info), kLinkFailed);
    }
    EXPECT_EQ(info, (DeviceInfo{8, 7, 6, 5, 4, 3, 2, 1}));  // untouched by a failure
}

TEST_F(DeviceReadTest, DeviceInfoFailsOnANoReplyAWriteErrorOrAClosedLink) {
    DeviceInfo info{};
    machine_.InjectFault(0xD1, 1, MachineFault::NoReply());
    EXPECT_EQ(link_.ReadDeviceInfo(info), kLinkFailed);
    machine_.FailDriverCall(DriverCall::Write, platform::FT_IO_ERROR);
    EXPECT_EQ(link_.ReadDeviceInfo(info), kLinkFailed);
    link_.Close();
    EXPECT_EQ(link_.ReadDeviceInfo(info), kLinkFailed);
    EXPECT_EQ(machine_.Requests().size(), 1u);
}

TEST_F(DeviceReadTest, BaudRateChangeIsNotJudged) {
    machine_.InjectFault(0xAE, 1, MachineFault::Status(3));
    EXPECT_EQ(link_.ChangeBaudRate(230400), kLinkOk);
    EXPECT_EQ(machine_.BaudRate(), 230400u);
    EXPECT_EQ(machine_.Requests().back().payload,
              (std::vector<uint8_t>{0xAE, 0x00, 0x84, 0x03, 0x00}));
}

}  // namespace
}  // namespace test
