// The command set against the simulated machine: request bytes, reply rules, limits.

#include <gtest/gtest.h>

#include <functional>

#include "link/link_fixture.h"

namespace test {
namespace {

using namespace std::chrono_literals;

enum class Rule { Exact, Open };

struct CommandCase {
    const char* name;
    std::function<LinkResult(CUsbComm&)> run;
    std::vector<uint8_t> request;  // the payload the machine must receive
    Rule rule;
};

const uint32_t kHeadWords[9] = {0x64636261, 0, 0, 0, 0xFF9B0000, 0, 0, 0, 0};
const uint32_t kBlankWords[6] = {0xFFFFFF9B, 0x00010002, 0x00200010, 0, 0, 0};
const uint8_t kVersion[5] = {'1', '.', '0', '.', '4'};

std::vector<uint8_t> Words(std::initializer_list<uint32_t> words) {
    std::vector<uint8_t> bytes;
    for (uint32_t word : words) {
        AppendU32(bytes, word);
    }
    return bytes;
}

std::vector<CommandCase> AllCommands() {
    std::vector<uint8_t> sdData(1000, 0x5A);
    return {
        {"OpenMachineFile", [](CUsbComm& l) { return l.OpenMachineFile("2:\\headU.bin", 12); },
         Concat({0xA7}, Bytes("2:\\headU.bin")), Rule::Exact},
        {"BeginFileWrite", [](CUsbComm& l) { return l.BeginFileWrite(); },
         Concat({0xA5}, Words({10, 2})), Rule::Exact},
        {"WriteFileData",
         [](CUsbComm& l) {
             const uint8_t data[] = {1, 2, 3};
             return l.WriteFileData(data, 3);
         },
         {0xA4, 1, 2, 3},
         Rule::Exact},
        {"WriteHeadEntry", [](CUsbComm& l) { return l.WriteHeadEntry(kHeadWords); },
         Concat({0xA4}, Words({0x64636261, 0, 0, 0, 0xFF9B0000, 0, 0, 0, 0})), Rule::Exact},
        {"WriteBlankEntry", [](CUsbComm& l) { return l.WriteBlankEntry(kBlankWords); },
         Concat({0xA4}, Words({0xFFFFFF9B, 0x00010002, 0x00200010, 0, 0, 0})), Rule::Exact},
        {"CloseMachineFile", [](CUsbComm& l) { return l.CloseMachineFile(); }, {0xA6}, Rule::Exact},
        {"BeginProgramWrite", [](CUsbComm& l) { return l.BeginProgramWrite(1); },
         Concat({0xA5}, Words({0, 1})), Rule::Exact},
        {"StartProgramWrite",
         [](CUsbComm& l) { return l.StartProgramWrite(); },
         {0xAB},
         Rule::Exact},
        {"WriteProgramPart",
         [](CUsbComm& l) {
             const uint8_t data[] = {0xEE, 0xFF};
             return l.WriteProgramPart(data, 2);
         },
         {0xA4, 0xEE, 0xFF},
         Rule::Exact},
        {"EndProgramWrite", [](CUsbComm& l) { return l.EndProgramWrite(); }, {0xA6}, Rule::Exact},
        {"WriteParameter",
         [](CUsbComm& l) { return l.WriteParameter(6, 2, kVersion, 5); },
         {0xA0, 6, 2, '1', '.', '0', '.', '4'},
         Rule::Exact},
        {"ShowProgress", [](CUsbComm& l) { return l.ShowProgress(150); }, {0xDC, 99}, Rule::Exact},
        {"ShowText", [](CUsbComm& l) { return l.ShowText("Updating ...", 13); },
         Concat({0xDD}, {'U', 'p', 'd', 'a', 't', 'i', 'n', 'g', ' ', '.', '.', '.', 0}),
         Rule::Exact},
        {"BeginSdWrite", [](CUsbComm& l) { return l.BeginSdWrite(); }, {0xD7}, Rule::Open},
        {"WriteSdBlock",
         [sdData](CUsbComm& l) { return l.WriteSdBlock(sdData.data(), 4096, sdData.size()); },
         Concat(Concat(Concat({0xD8}, Words({8, 2})), sdData), std::vector<uint8_t>(24, 0)),
         Rule::Open},
        {"WriteSdPart", [sdData](CUsbComm& l) { return l.WriteSdPart(sdData.data(), 1024, 600); },
         Concat(Concat(Concat({0xD8}, Words({2, 2})), std::vector<uint8_t>(600, 0x5A)),
                std::vector<uint8_t>(424, 0)),
         Rule::Open},
        {"EndSdWrite", [](CUsbComm& l) { return l.EndSdWrite(); }, {0xDB}, Rule::Open},
        {"ClearMachineData", [](CUsbComm& l) { return l.ClearMachineData(); },
         Concat({0xDA}, Words({80, 20})), Rule::Exact},
    };
}

class CommandTest : public LinkTest, public ::testing::WithParamInterface<CommandCase> {
  protected:
    uint8_t Code() const { return GetParam().request[0]; }
    LinkResult Run() { return GetParam().run(link_); }
};

TEST_P(CommandTest, SendsItsExactRequestInOneFrame) {
    Open();
    Run();
    ASSERT_EQ(machine_.Requests().size(), 1u);
    EXPECT_EQ(machine_.Requests()[0].payload, GetParam().request);
    EXPECT_EQ(machine_.Writes().at(0), FrameOf(GetParam().request));
}

TEST_P(CommandTest, JudgesTheReplyByItsRule) {
    Open();
    const uint8_t code = Code();
    const bool open = GetParam().rule == Rule::Open;
    struct {
        MachineFault fault;
        LinkResult expected;
    } cases[] = {
        {MachineFault::Payload({code, 0}), kLinkOk},
        {MachineFault::Payload({code, 0, 0}), open ? kLinkOk : kLinkFailed},
        {MachineFault::Payload({code, 0, 1, 2, 3}), open ? kLinkOk : kLinkFailed},
        {MachineFault::Status(1), kLinkFailed},
        {MachineFault::Status(0x80), kLinkFailed},
        {MachineFault::Payload({code}), kLinkFailed},
        {MachineFault::Payload({}), kLinkFailed},
        {MachineFault::WrongCode(), kLinkFailed},
        {MachineFault::NoReply(), kLinkFailed},
        {MachineFault::LateReply(25s), kLinkFailed},
        {MachineFault::OverlongFrame(5001), kLinkFailed},
        {MachineFault::Flood(6000), kLinkFailed},
        {MachineFault::Wire(FrameOf({code, 0}), 1), kLinkOk},
    };
    int occurrence = 0;
    for (const auto& c : cases) {
        machine_.InjectFault(code, ++occurrence, c.fault);
        EXPECT_EQ(Run(), c.expected) << "case " << occurrence;
        clock_.Advance(30s);  // let a late reply arrive before the next case
    }
}

TEST_P(CommandTest, ClosedLinkGivesEightAndSendsNothing) {
    EXPECT_EQ(Run(), kLinkNotOpen);
    Open();
    link_.Close();
    EXPECT_EQ(Run(), kLinkNotOpen);
    EXPECT_TRUE(machine_.Writes().empty());
}

INSTANTIATE_TEST_SUITE_P(All, CommandTest, ::testing::ValuesIn(AllCommands()),
                         [](const auto& info) { return info.param.name; });

struct LimitCase {
    const char* name;
    size_t limit;
    std::function<LinkResult(CUsbComm&, const uint8_t*, size_t)> run;
};

class LimitTest : public LinkTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(LimitTest, RequestAtTheLimitIsSentAndOneBeyondIsRefusedUnsent) {
    std::vector<uint8_t> data(GetParam().limit + 1, 'x');
    EXPECT_EQ(GetParam().run(link_, data.data(), data.size()), kLinkNotOpen);
    Open();
    EXPECT_EQ(GetParam().run(link_, data.data(), data.size()), kLinkFailed);
    EXPECT_TRUE(machine_.Writes().empty());
    GetParam().run(link_, data.data(), GetParam().limit);
    EXPECT_EQ(machine_.Writes().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    All, LimitTest,
    ::testing::Values(
        LimitCase{"OpenMachineFile", 49,
                  [](CUsbComm& l, const uint8_t* d, size_t n) {
                      return l.OpenMachineFile(reinterpret_cast<const char*>(d), n);
                  }},
        LimitCase{"WriteFileData", 4994,
                  [](CUsbComm& l, const uint8_t* d, size_t n) { return l.WriteFileData(d, n); }},
        LimitCase{"WriteProgramPart", 1024,
                  [](CUsbComm& l, const uint8_t* d, size_t n) { return l.WriteProgramPart(d, n); }},
        LimitCase{"WriteParameter", 4992,
                  [](CUsbComm& l, const uint8_t* d, size_t n) {
                      return l.WriteParameter(0x18, 2, d, n);
                  }},
        LimitCase{"ShowText", 99,
                  [](CUsbComm& l, const uint8_t* d, size_t n) {
                      return l.ShowText(reinterpret_cast<const char*>(d), n);
                  }},
        LimitCase{"WriteSdBlock", 2048,
                  [](CUsbComm& l, const uint8_t* d, size_t n) { return l.WriteSdBlock(d, 0, n); }},
        LimitCase{"WriteSdPart", 1024,
                  [](CUsbComm& l, const uint8_t* d, size_t n) { return l.WriteSdPart(d, 0, n); }}),
    [](const auto& info) { return info.param.name; });

TEST_F(LinkTest, ProgressAbove98IsShownAs99) {
    Open();
    for (uint32_t percent : {0u, 98u, 99u, 100u, 150u}) {
        link_.ShowProgress(percent);
    }
    EXPECT_EQ(machine_.ProgressShown(), (std::vector<uint8_t>{0, 98, 99, 99, 99}));
}

TEST_F(LinkTest, SdBlocksAreSentInWholeSectorsAndKeptOutOfTheLog) {
    Open();
    std::vector<uint8_t> block(2048, 0x11);
    EXPECT_EQ(link_.BeginSdWrite(), kLinkOk);
    EXPECT_EQ(link_.WriteSdBlock(block.data(), 2048, block.size()), kLinkOk);
    std::vector<uint8_t> sent = machine_.Requests().back().payload;
    ASSERT_EQ(sent.size(), 9u + 2048);
    EXPECT_EQ(std::vector<uint8_t>(sent.begin() + 1, sent.begin() + 9), Words({4, 4}));
    EXPECT_EQ(link_.WriteSdBlock(block.data(), 8192, 0), kLinkOk);  // an empty block
    EXPECT_EQ(link_.EndSdWrite(), kLinkOk);

    std::vector<uint8_t> image(4096, 0);
    std::fill(image.begin() + 2048, image.end(), 0x11);
    EXPECT_EQ(machine_.DataImage(), image);
    auto texts = LogTexts();
    ASSERT_EQ(texts.size(), 4u);  // begin and end, each sent and answered
    EXPECT_EQ(texts[2], "> :  06 00 01 00 DB DC");
}

}  // namespace
}  // namespace test
