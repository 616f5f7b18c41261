#include "link/usb_frame.h"

#include <gtest/gtest.h>

#include <array>

#include "link/link_fixture.h"

namespace test {
namespace {

std::vector<uint8_t> Hex(std::initializer_list<uint8_t> bytes) {
    return bytes;
}

TEST(FrameCipher, DesEcbKnownAnswers) {
    const std::array<uint8_t, 8> key1{0x13, 0x34, 0x57, 0x79, 0x9B, 0xBC, 0xDF, 0xF1};
    std::vector<uint8_t> block = Hex({0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF});
    DesEcbEncrypt(key1, block);
    EXPECT_EQ(block, Hex({0x85, 0xE8, 0x13, 0x54, 0x0F, 0x0A, 0xB4, 0x05}));

    // ECB: each block on its own, so equal blocks give equal ciphertext.
    const std::array<uint8_t, 8> key2{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    std::vector<uint8_t> text = Bytes("Now is tNow is t");
    DesEcbEncrypt(key2, text);
    std::vector<uint8_t> expected = Hex({0x3F, 0xA4, 0x0E, 0x8A, 0x98, 0x4D, 0x48, 0x15});
    EXPECT_EQ(std::vector<uint8_t>(text.begin(), text.begin() + 8), expected);
    EXPECT_EQ(std::vector<uint8_t>(text.begin() + 8, text.end()), expected);

    const std::array<uint8_t, 8> zeroKey{};
    std::vector<uint8_t> zeros(8, 0);
    DesEcbEncrypt(zeroKey, zeros);
    EXPECT_EQ(zeros, Hex({0x8C, 0xA6, 0x4D, 0xE9, 0xC1, 0xB1, 0x23, 0xA7}));
}

TEST_F(LinkTest, SendFrameWrapsThePayloadAndLogsTheFrame) {
    Open();
    const uint8_t payload[] = {0xD1};
    EXPECT_EQ(link_.SendFrame(payload, 1, false), platform::FT_OK);
    ASSERT_EQ(machine_.Writes().size(), 1u);
    EXPECT_EQ(machine_.Writes()[0], Hex({0x06, 0x00, 0x01, 0x00, 0xD1, 0xD6}));
    EXPECT_TRUE(LogHas("> :  06 00 01 00 D1 D6"));
}

TEST_F(LinkTest, EncryptedFrameCarriesThePaddedInnerPartUnderTheLinkKey) {
    Open();
    // Inner parts (length and payload) of 10 bytes and of exactly 8: whole blocks, none spare.
    const std::pair<std::vector<uint8_t>, size_t> cases[] = {{Concat({0xA7}, Bytes("ABCDEFG")), 16},
                                                             {Concat({0xA7}, Bytes("ABCDE")), 8}};
    for (const auto& [payload, padded] : cases) {
        EXPECT_EQ(link_.SendFrame(payload.data(), payload.size(), true), platform::FT_OK);
        std::vector<uint8_t> inner = Concat({static_cast<uint8_t>(payload.size()), 0}, payload);
        inner.resize(padded, 0);
        const std::array<uint8_t, 8> linkKey{};  // nothing sets another key
        DesEcbEncrypt(linkKey, inner);
        std::vector<uint8_t> expected = Concat({static_cast<uint8_t>(padded + 3), 0}, inner);
        uint8_t check = 0;
        for (uint8_t byte : expected) {
            check ^= byte;
        }
        expected.push_back(check);
        EXPECT_EQ(machine_.Writes().back(), expected) << padded;
    }

    auto texts = LogTexts();
    auto encryptIn =
        std::find(texts.begin(), texts.end(), "EncryptIn  08 00 A7 41 42 43 44 45 46 47");
    ASSERT_NE(encryptIn, texts.end());
    ASSERT_NE(encryptIn, texts.begin());
    EXPECT_EQ(encryptIn[-1].find_first_not_of('-'), std::string::npos);
    // The machine takes no encrypted requests.
    EXPECT_EQ(machine_.BadFrames(), 2u);
}

TEST_F(LinkTest, SendFrameRefusesAPayloadBeyondOneFrame) {
    Open();
    std::vector<uint8_t> payload(UsbFrame::kMaxPayload + 1, 0xA4);
    EXPECT_NE(link_.SendFrame(payload.data(), payload.size(), false), platform::FT_OK);
    EXPECT_NE(link_.SendFrame(payload.data(), UsbFrame::kMaxPayload, true), platform::FT_OK);
    EXPECT_TRUE(machine_.Writes().empty());
    EXPECT_EQ(link_.SendFrame(payload.data(), UsbFrame::kMaxPayload, false), platform::FT_OK);
    EXPECT_EQ(machine_.Writes().at(0).size(), UsbFrame::kMaxLength);
}

// The machine's receiver, which every later test relies on: a request may come in pieces; a
// request whose check byte or inner length is wrong is dropped without a reply.
TEST_F(LinkTest, MachineRebuildsRequestsFromPiecesAndDropsBadOnes) {
    platform::FT_HANDLE handle = nullptr;
    ASSERT_EQ(platform::FT_OpenEx("Telquist", platform::FT_OPEN_BY_DESCRIPTION, &handle),
              platform::FT_OK);
    std::vector<uint8_t> bytes = FrameOf({0xDC, 42});
    std::vector<uint8_t> badCheck = FrameOf({0xDC, 43});
    badCheck.back() ^= 1;
    std::vector<uint8_t> badLength = FrameOf({0xDC, 44});
    badLength[2] = 1;
    badLength.back() ^= 0x2 ^ 0x1;  // the check byte stays right
    bytes.insert(bytes.end(), badCheck.begin(), badCheck.end());
    bytes.insert(bytes.end(), badLength.begin(), badLength.end());
    for (uint8_t byte : bytes) {
        ASSERT_EQ(platform::FT_Write(handle, &byte, 1, nullptr), platform::FT_OK);
    }
    EXPECT_EQ(machine_.ProgressShown(), std::vector<uint8_t>{42});
    EXPECT_EQ(machine_.BadFrames(), 2u);
    EXPECT_EQ(machine_.PendingReplyBytes(), 7u);
    platform::FT_Close(handle);
}

}  // namespace
}  // namespace test
