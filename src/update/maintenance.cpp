#include <array>

#include "res/update_question.h"
#include "update/update_session.h"

namespace {

using std::chrono::milliseconds;

constexpr uint8_t kClampParameter = 0x18;

// Bytes 0 to 3 choose the clamp set, byte 4 is their XOR.
using ClampRecord = std::array<uint8_t, 8>;
constexpr ClampRecord kOldClamps{0x10, 0x10, 0x20, 0x01, 0x21, 0, 0, 0};
constexpr ClampRecord kNewClamps{0x10, 0x10, 0x20, 0x02, 0x22, 0, 0, 0};

bool OpenInBootMode(MachineLink& link) {
    return link.Open() == kLinkOk && link.EnterBootMode() == kLinkOk;
}

// The common closing, after a failure too; true when the machine left its boot mode.
bool LeaveAndClose(MachineLink& link) {
    bool left = link.LeaveBootMode() == kLinkOk;
    link->Close();
    return left;
}

bool ShowDeviceString(const UpdateSession& session, MachineLink& link, uint8_t selector,
                      DeviceField field) {
    DeviceString text{};
    if (link->ReadDeviceString(selector, text) != kLinkOk) {
        return false;
    }
    session.report().ShowDeviceString(
        field, platform::MultiByteToWide(platform::AnsiCodePage(), platform::FieldText(text)));
    return true;
}

bool ReadDeviceInfo(const UpdateSession& session) {
    MachineLink link(session.machine());
    DeviceInfo info{};
    bool done = OpenInBootMode(link) && link->ReadDeviceInfo(info) == kLinkOk &&
                ShowDeviceString(session, link, 1, DeviceField::kSerialNumber) &&
                ShowDeviceString(session, link, 6, DeviceField::kSoftwareVersion);
    return LeaveAndClose(link) && done;
}

bool ClearMachine(const UpdateSession& session) {
    MachineLink link(session.machine());
    bool done = OpenInBootMode(link);
    if (done) {
        session.Wait(milliseconds(1000));
        DeviceInfo info{};
        done = link->ReadDeviceInfo(info) == kLinkOk && link->ClearMachineData() == kLinkOk;
    }
    return LeaveAndClose(link) && done;
}

}  // namespace

void ShowDeviceInfo(const UpdateJob& job) {
    UpdateSession session(job);
    session.Status(session.Message(kTextGettingDeviceInfo));
    if (ReadDeviceInfo(session)) {
        session.Progress(0);
        session.Status(session.Message(kTextDeviceInfoRead));
    } else {
        session.RunDown(session.Message(kTextDeviceInfoFailed));
    }
}

void EnterBootMode(const UpdateJob& job) {
    UpdateSession session(job);
    MachineLink link(session.machine());
    link.Open();
    link.EnterBootMode();
    link->Close();
}

void ClearAllData(const UpdateJob& job) {
    // The machine's calibration goes with its data: nothing happens without a yes.
    if (!job.report->Confirm(res::ClearDataQuestion(job.languageIndex))) {
        return;
    }
    UpdateSession session(job);
    session.Status(session.Message(kTextGettingVersions));
    session.Status(session.Message(ClearMachine(session) ? kTextRepaired : kTextRepairFailed));
}

void SetClampModel(const UpdateJob& job, ClampModel model) {
    UpdateSession session(job);
    session.Status(session.Message(kTextSettingClamp));
    MachineLink link(session.machine());
    const ClampRecord& record = model == ClampModel::kOld ? kOldClamps : kNewClamps;
    bool done = OpenInBootMode(link) &&
                link->WriteParameter(kClampParameter, 2, record.data(), record.size()) == kLinkOk;
    session.Status(session.Message(done ? kTextClampSet : kTextClampFailed));
    LeaveAndClose(link);
}
