// Finding and opening the machine, and the boot-mode pin sequences.

#include <gtest/gtest.h>

#include "link/link_fixture.h"
#include "platform/d2xx/d2xx_libftdi.h"

namespace test {
namespace {

using namespace std::chrono_literals;
using platform::FT_IO_ERROR;

class DescriptionTest : public LinkTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DescriptionTest, EachMachineDescriptionOpensWithFixedSerialSettings) {
    machine_.SetDescription(GetParam());
    EXPECT_EQ(link_.OpenByDescription(), kLinkOk);
    EXPECT_TRUE(link_.IsOpen());
    EXPECT_EQ(machine_.BaudRate(), 115200u);
    EXPECT_EQ(machine_.DataCharacteristics(), (std::array<uint8_t, 3>{8, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(All, DescriptionTest,
                         ::testing::Values("Telquist", "Dux", "Mavro", "QN4830", "Vorlantrex"));

TEST_F(LinkTest, NoMachineGivesEightAtOnceAndAfterTwentySecondsOfRetries) {
    machine_.SetDescription("");
    EXPECT_EQ(link_.OpenByDescription(), kLinkNotOpen);
    EXPECT_LT(Elapsed(), 10ms);

    EXPECT_EQ(link_.HwOpen(), kLinkNotOpen);
    EXPECT_GE(Elapsed(), 20000ms);
    EXPECT_LT(Elapsed(), 20100ms);
    EXPECT_EQ(LogTexts(), std::vector<std::string>{"HW Open : 8"});
    EXPECT_FALSE(link_.IsOpen());
}

// A converter the system keeps from this user: found, never opened.
class RefusingBackend : public platform::D2xxBackend {
  public:
    platform::FT_STATUS CountDevices(uint32_t* count) override {
        *count = 1;
        return platform::FT_OK;
    }
    platform::FT_STATUS OpenByDescription(std::string_view,
                                          std::unique_ptr<platform::D2xxDevice>*) override {
        return platform::FT_DEVICE_NOT_OPENED;
    }
    std::vector<std::string> AccessRefused() override { return {"bus 1 device 5 (0403:6001)"}; }
};

TEST_F(LinkTest, ConverterRefusedForLackOfPermissionIsLoggedAsSuch) {
    RefusingBackend refusing;
    platform::ScopedD2xxBackend scope(&refusing);
    EXPECT_EQ(link_.HwOpen(), kLinkNotOpen);
    EXPECT_EQ(LogTexts(),
              (std::vector<std::string>{
                  "USB converter bus 1 device 5 (0403:6001): permission refused", "HW Open : 8"}));
}

TEST_F(LinkTest, ForeignConverterOrOneAlreadyOpenIsNotTheMachine) {
    machine_.SetDescription(SimulatedMachine::kForeignDescription);
    EXPECT_EQ(link_.OpenByDescription(), kLinkNotOpen);

    machine_.SetDescription("Mavro");
    Open();
    CUsbComm second;
    EXPECT_EQ(second.OpenByDescription(), kLinkNotOpen);
    EXPECT_EQ(machine_.Opens(), 1);
}

TEST_F(LinkTest, HwOpenFindsAMachineAttachedLater) {
    machine_.AttachAfter(3000ms);
    EXPECT_EQ(link_.HwOpen(), kLinkOk);
    EXPECT_GE(Elapsed(), 3000ms);
    EXPECT_LT(Elapsed(), 3020ms);
    EXPECT_TRUE(LogHas("HW Open : 0"));
}

TEST_F(LinkTest, CloseReleasesTheMachineOnce) {
    Open();
    EXPECT_EQ(link_.Close(), kLinkOk);
    EXPECT_FALSE(machine_.IsOpen());
    EXPECT_EQ(link_.Close(), kLinkNotOpen);
    CUsbComm other;
    EXPECT_EQ(other.OpenByDescription(), kLinkOk);
}

TEST_F(LinkTest, EnterAndExitBiosRestartTheMachineByPinsAndReopen) {
    Open();
    EXPECT_EQ(link_.EnterBios(), kLinkOk);
    EXPECT_EQ(machine_.Mode(), MachineMode::Boot);
    EXPECT_EQ(machine_.PinMasks(), std::vector<uint8_t>{0xF5});
    EXPECT_TRUE(link_.IsOpen());
    EXPECT_EQ(machine_.Opens(), 2);
    EXPECT_GE(Elapsed(), 100ms);

    EXPECT_EQ(link_.ExitBios(), kLinkOk);
    EXPECT_EQ(machine_.Mode(), MachineMode::Normal);
    EXPECT_EQ(machine_.PinMasks(), (std::vector<uint8_t>{0xF5, 0xF4}));
    EXPECT_EQ(machine_.Restarts(), 2);
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{"Enter BIOS", "Re-Open", "HW Open : 0",
                                                    "Exit BIOS", "Re-Open", "HW Open : 0"}));
}

TEST_F(LinkTest, BootModeOnAClosedLinkTouchesNothing) {
    EXPECT_EQ(link_.EnterBios(), kLinkNotOpen);
    EXPECT_EQ(link_.ExitBios(), kLinkNotOpen);
    EXPECT_EQ(LogTexts(), (std::vector<std::string>{"Enter BIOS", "Exit BIOS"}));
    EXPECT_EQ(machine_.Opens(), 0);
    EXPECT_TRUE(machine_.PinMasks().empty());
}

TEST_F(LinkTest, FailedResetLeavesThePinsAloneAndReportsSeven) {
    Open();
    machine_.FailDriverCall(DriverCall::Reset, FT_IO_ERROR);
    EXPECT_EQ(link_.EnterBios(), kLinkFailed);
    EXPECT_TRUE(machine_.PinMasks().empty());
    EXPECT_EQ(machine_.Mode(), MachineMode::Normal);
    EXPECT_TRUE(link_.IsOpen());  // reopened all the same
    EXPECT_TRUE(LogHas("Re-Open"));

    machine_.FailDriverCall(DriverCall::SetBitMode, FT_IO_ERROR);
    EXPECT_EQ(link_.ExitBios(), kLinkFailed);
}

TEST_F(LinkTest, FailedReopenReportsEightAndLaterCommandsSendNothing) {
    Open();
    machine_.FailDriverCall(DriverCall::Open, FT_IO_ERROR, -1);
    EXPECT_EQ(link_.EnterBios(), kLinkNotOpen);
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_GE(Elapsed(), 20100ms);
    EXPECT_EQ(link_.CloseMachineFile(), kLinkNotOpen);
    EXPECT_TRUE(machine_.Writes().empty());
}

TEST_F(LinkTest, SecondBootModeEntryPulsesThePinsAndSwitchesTheRate) {
    CUsbComm fast(2000000);
    EXPECT_EQ(fast.PulseCbus(), kLinkNotOpen);
    EXPECT_EQ(fast.ResetAndSetBaud(), kLinkNotOpen);
    EXPECT_EQ(fast.OpenByDescriptionRetry(), kLinkOk);

    EXPECT_EQ(fast.PulseCbus(), kLinkOk);
    EXPECT_EQ(machine_.PinMasks(), (std::vector<uint8_t>{0xF1, 0xF5, 0xF1}));
    EXPECT_EQ(machine_.Mode(), MachineMode::Boot);

    EXPECT_EQ(fast.ResetAndSetBaud(), kLinkOk);
    EXPECT_EQ(machine_.PinMasks().size(), 6u);
    EXPECT_FALSE(machine_.BreakOn());
    EXPECT_EQ(machine_.RequestedBaudRate(), 2000000u);
    EXPECT_EQ(machine_.BaudRate(), 2000000u);

    // At the default rate the machine is not asked to change.
    EXPECT_EQ(link_.ChangeBaudRate(115200), kLinkOk);
    EXPECT_EQ(machine_.RequestCodes(), std::vector<uint8_t>{0xAE});
}

TEST_F(LinkTest, QuickRetryGivesUpAfterFourSeconds) {
    machine_.SetDescription("");
    EXPECT_EQ(link_.OpenByDescriptionRetry(), kLinkNotOpen);
    EXPECT_GE(Elapsed(), 4000ms);
    EXPECT_FALSE(LogHas("HW Open : 8"));
}

// The real converter backend, with whatever USB this computer has: a description no
// converter carries is never found, and asking costs no fault.
TEST(LibFtdiBackend, FindsNoConverterByAnUnknownDescription) {
    uint32_t count = 0;
    platform::LibFtdiBackend().CountDevices(&count);
    std::unique_ptr<platform::D2xxDevice> device;
    EXPECT_NE(platform::LibFtdiBackend().OpenByDescription("no such converter 7f3a", &device),
              platform::FT_OK);
    EXPECT_EQ(device, nullptr);
}

}  // namespace
}  // namespace test
