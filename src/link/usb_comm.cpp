#include "link/usb_comm.h"

#include "log/log.h"
#include "platform/clock/clock.h"
#include "platform/text/text.h"

using namespace platform;
using namespace std::chrono_literals;

namespace {

// The converter descriptions the machine has been built with, tried in this order.
constexpr const char* kMachineDescriptions[] = {"Telquist", "Dux", "Mavro", "QN4830", "Vorlantrex"};

constexpr uint32_t kOpenRate = 115200;
constexpr auto kOpenRetryTime = 20000ms;
constexpr auto kOpenRetryPause = 10ms;
constexpr auto kOpenRetryQuickTime = 4000ms;
constexpr auto kPinSettleTime = 100ms;

// CBUS3..0 all outputs (high nibble) with their levels (low nibble).
constexpr uint8_t kBootModeMask = 0xF5;
constexpr uint8_t kNormalModeMask = 0xF4;
constexpr uint8_t kHoldMask = 0xF1;

Clock& Time() {
    return CurrentClock();
}

// A converter this user may not open looks like no machine at all; the log tells them apart.
void LogAccessRefused() {
    std::wstring devices;
    for (const std::string& device : CurrentD2xxBackend().AccessRefused()) {
        devices += (devices.empty() ? L"" : L", ") + Utf8ToWide(device);
    }
    if (!devices.empty()) {
        WriteLog(L"USB converter " + devices + L": permission refused");
    }
}

}  // namespace

CUsbComm::CUsbComm() = default;

CUsbComm::CUsbComm(uint32_t rate) : m_baudRate(rate) {}

CUsbComm::~CUsbComm() {
    if (m_open) {
        Close();
    }
}

LinkResult CUsbComm::OpenByDescription() {
    uint32_t count = 0;
    if (FT_ListDevices(&count, FT_LIST_NUMBER_ONLY) != FT_OK || count == 0) {
        return kLinkNotOpen;
    }
    for (const char* description : kMachineDescriptions) {
        FT_HANDLE handle = nullptr;
        if (FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle) == FT_OK) {
            m_handle = handle;
            FT_SetDataCharacteristics(m_handle, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE);
            FT_SetBaudRate(m_handle, kOpenRate);
            m_open = 1;
            return kLinkOk;
        }
    }
    return kLinkNotOpen;
}

LinkResult CUsbComm::HwOpen() {
    auto start = Time().Now();
    LinkResult result = OpenByDescription();
    while (result != kLinkOk && Time().Now() - start < kOpenRetryTime) {
        Time().Sleep(kOpenRetryPause);
        result = OpenByDescription();
    }
    if (result != kLinkOk) {
        LogAccessRefused();
    }
    WriteLog(L"HW Open : " + IntToString(static_cast<int32_t>(result)));
    return result;
}

LinkResult CUsbComm::OpenByDescriptionRetry() {
    auto start = Time().Now();
    LinkResult result = OpenByDescription();
    while (result != kLinkOk && Time().Now() - start < kOpenRetryQuickTime) {
        result = OpenByDescription();
    }
    return result;
}

LinkResult CUsbComm::Close() {
    if (!m_open) {
        return kLinkNotOpen;
    }
    FT_Close(m_handle);
    m_handle = nullptr;
    m_open = 0;
    return kLinkOk;
}

bool CUsbComm::SetPins(uint8_t mask) {
    return FT_SetBitMode(m_handle, mask, FT_BITMODE_CBUS_BITBANG) == FT_OK;
}

void CUsbComm::PurgeReceiveQueue() {
    FT_Purge(m_handle, FT_PURGE_RX);
}

LinkResult CUsbComm::SwitchBootMode(const wchar_t* logLine, uint8_t mask) {
    WriteLog(logLine);
    if (!m_open) {
        return kLinkNotOpen;
    }
    bool pinsSet = FT_ResetDevice(m_handle) == FT_OK && SetPins(mask);
    Time().Sleep(kPinSettleTime);
    PurgeReceiveQueue();
    WriteLog(L"Re-Open");
    Close();
    // A failure must stop the caller: every later command would go into a closed link or
    // to a machine in the wrong mode.
    if (HwOpen() != kLinkOk) {
        return kLinkNotOpen;
    }
    return pinsSet ? kLinkOk : kLinkFailed;
}

LinkResult CUsbComm::EnterBios() {
    return SwitchBootMode(L"Enter BIOS", kBootModeMask);
}

LinkResult CUsbComm::ExitBios() {
    return SwitchBootMode(L"Exit BIOS", kNormalModeMask);
}

LinkResult CUsbComm::PulseCbus() {
    if (!m_open) {
        return kLinkNotOpen;
    }
    bool ok = FT_ResetDevice(m_handle) == FT_OK && SetPins(kHoldMask) && SetPins(kBootModeMask);
    Time().Sleep(kPinSettleTime);
    if (ok) {
        SetPins(kHoldMask);
    }
    Time().Sleep(kPinSettleTime);
    PurgeReceiveQueue();
    return kLinkOk;
}

LinkResult CUsbComm::ResetAndSetBaud() {
    if (!m_open) {
        return kLinkNotOpen;
    }
    bool ok = FT_ResetDevice(m_handle) == FT_OK && SetPins(kHoldMask) && SetPins(kBootModeMask);
    FT_SetBreakOn(m_handle);
    Time().Sleep(kPinSettleTime);
    if (ok) {
        SetPins(kHoldMask);
    }
    Time().Sleep(kPinSettleTime);
    FT_SetBreakOff(m_handle);
    Time().Sleep(kPinSettleTime);
    PurgeReceiveQueue();
    ChangeBaudRate(m_baudRate);
    return kLinkOk;
}
