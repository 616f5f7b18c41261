// The maintenance commands against the simulated machine.

#include "res/update_question.h"
#include "update/update_fixture.h"

namespace test {
namespace {

using Maintenance = UpdateFixture;

TEST_F(Maintenance, ClampRecordsGoAsParameter0x18) {
    const std::pair<ClampModel, std::vector<uint8_t>> cases[] = {
        {ClampModel::kOld, {0x10, 0x10, 0x20, 0x01, 0x21, 0, 0, 0}},
        {ClampModel::kNew, {0x10, 0x10, 0x20, 0x02, 0x22, 0, 0, 0}},
    };
    for (const auto& [model, record] : cases) {
        SetClampModel(Job(), model);
        EXPECT_EQ(machine_.Parameters()[0x18].kind, 2);
        EXPECT_EQ(machine_.Parameters()[0x18].bytes, record);
        EXPECT_EQ(report_.Status(), L"夹具设置成功");
        EXPECT_TRUE(LeftAndClosed());
    }
}

TEST_F(Maintenance, ClearingAsksFirstAndDoesNothingOnNo) {
    report_.confirmAnswer = false;
    ClearAllData(Job());
    EXPECT_EQ(report_.asked, res::ClearDataQuestion(1));
    EXPECT_EQ(machine_.Opens(), 0);
    EXPECT_TRUE(report_.statuses.empty());

    report_.confirmAnswer = true;
    ClearAllData(Job());
    EXPECT_EQ(machine_.RequestCodes(), (std::vector<uint8_t>{0xD1, 0xDA}));
    EXPECT_EQ(machine_.Clears(), 1);
    EXPECT_EQ(report_.Status(), L"Repair success.");
    EXPECT_TRUE(LeftAndClosed());
}

TEST_F(Maintenance, DeviceInfoShowsTheMachineAtHandAndKeepsWhatItCannotRead) {
    ShowDeviceInfo(Job());
    SimulatedMachine other;
    other.SetDeviceString(1, "TQ99");
    other.SetDeviceString(6, "2.0.0");
    {
        platform::ScopedD2xxBackend otherBackend(&other);
        ShowDeviceInfo(Job());
    }
    EXPECT_EQ(report_.device[DeviceField::kSerialNumber], L"TQ99");
    EXPECT_EQ(report_.device[DeviceField::kSoftwareVersion], L"2.0.0");
    EXPECT_EQ(report_.Status(), L"Get device info success.");

    machine_.InjectFault(0xA1, 4, MachineFault::Status(4));  // the second reading's version
    ShowDeviceInfo(Job());
    EXPECT_EQ(report_.device[DeviceField::kSerialNumber], L"TQ20260042");
    EXPECT_EQ(report_.device[DeviceField::kSoftwareVersion], L"2.0.0");
    EXPECT_EQ(report_.Status(), L"Get device info failed.");
    EXPECT_TRUE(LeftAndClosed());
}

TEST_F(Maintenance, WithoutAMachineEachCommandSaysItFailed) {
    machine_.SetDescription("");
    ShowDeviceInfo(Job());
    EXPECT_EQ(report_.Status(), L"Get device info failed.");
    ClearAllData(Job());
    EXPECT_EQ(report_.Status(), L"Repair failed.");
    SetClampModel(Job(), ClampModel::kNew);
    EXPECT_EQ(report_.Status(), L"夹具设置失败");
}

TEST_F(Maintenance, BootModeCommandLeavesTheMachineInIt) {
    EnterBootMode(Job());
    EXPECT_EQ(machine_.Mode(), MachineMode::Boot);
    EXPECT_FALSE(machine_.IsOpen());
    EXPECT_TRUE(report_.statuses.empty());
}

}  // namespace
}  // namespace test
