#include "support/simulated_machine.h"

#include <algorithm>
#include <cstring>

#include "platform/clock/clock.h"

using namespace platform;

namespace test {
namespace {

constexpr uint8_t kAllOutputs = 0xF0;
constexpr uint8_t kCbus0 = 0x01;
constexpr uint8_t kCbus2 = 0x04;

}  // namespace

class SimulatedMachine::Device final : public D2xxDevice {
  public:
    explicit Device(SimulatedMachine& machine) : machine_(machine) {}
    ~Device() override {
        std::lock_guard lock(machine_.mutex_);
        machine_.Release();
    }

    FT_STATUS SetDataCharacteristics(uint8_t wordLength, uint8_t stopBits,
                                     uint8_t parity) override {
        std::lock_guard lock(machine_.mutex_);
        machine_.characteristics_ = {wordLength, stopBits, parity};
        return FT_OK;
    }
    FT_STATUS SetBaudRate(uint32_t rate) override {
        std::lock_guard lock(machine_.mutex_);
        machine_.baudRate_ = rate;
        return FT_OK;
    }
    FT_STATUS Write(const uint8_t* bytes, uint32_t count, uint32_t* written) override {
        std::lock_guard lock(machine_.mutex_);
        return machine_.Write(bytes, count, written);
    }
    FT_STATUS Read(uint8_t* bytes, uint32_t count, uint32_t* read) override {
        std::unique_lock lock(machine_.mutex_);
        FT_STATUS status = machine_.Read(bytes, count, read);
        auto step = machine_.pollStep_;
        lock.unlock();
        // A failing driver call takes time too, so that a fake clock still reaches the
        // caller's time-out.
        if (status != FT_OK) {
            CurrentClock().Sleep(step);
        }
        return status;
    }
    FT_STATUS GetStatus(uint32_t* rx, uint32_t* tx, uint32_t* events) override {
        *tx = 0;
        *events = 0;
        std::unique_lock lock(machine_.mutex_);
        FT_STATUS status = machine_.GetStatus(rx);
        auto step = machine_.pollStep_;
        lock.unlock();
        if (status != FT_OK || *rx == 0) {
            CurrentClock().Sleep(step);
        }
        return status;
    }
    FT_STATUS SetBitMode(uint8_t mask, uint8_t mode) override {
        std::lock_guard lock(machine_.mutex_);
        return machine_.SetBitMode(mask, mode);
    }
    FT_STATUS ResetDevice() override {
        std::lock_guard lock(machine_.mutex_);
        return machine_.Reset();
    }
    FT_STATUS Purge(uint32_t mask) override {
        std::lock_guard lock(machine_.mutex_);
        return machine_.Purge(mask);
    }
    FT_STATUS SetBreak(bool on) override {
        std::lock_guard lock(machine_.mutex_);
        machine_.breakOn_ = on;
        return FT_OK;
    }

  private:
    SimulatedMachine& machine_;
};

SimulatedMachine::SimulatedMachine(std::string description) : description_(std::move(description)) {
    deviceStrings_[1] = "TQ20261206";
    deviceStrings_[6] = "1.0.3";
    deviceInfo_ = {0x20, 0x26, 0x12, 0x06, 0x01, 0x00, 0x03, 0x00};
}

SimulatedMachine::~SimulatedMachine() = default;

void SimulatedMachine::AttachAfter(std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    attachedAt_ = CurrentClock().Now() + delay;
}

void SimulatedMachine::InjectFault(uint8_t code, int occurrence, MachineFault fault) {
    std::lock_guard lock(mutex_);
    faults_[code][occurrence] = std::move(fault);
}

void SimulatedMachine::InjectFaultAlways(uint8_t code, MachineFault fault) {
    std::lock_guard lock(mutex_);
    alwaysFaults_[code] = std::move(fault);
}

void SimulatedMachine::FailDriverCall(DriverCall call, FT_STATUS status, int times) {
    std::lock_guard lock(mutex_);
    driverFailures_[call] = {status, times};
}

bool SimulatedMachine::Fails(DriverCall call, FT_STATUS* status) {
    auto found = driverFailures_.find(call);
    if (found == driverFailures_.end() || found->second.second == 0) {
        return false;
    }
    *status = found->second.first;
    if (found->second.second > 0) {
        --found->second.second;
    }
    return true;
}

// A search that finds nothing takes a little time, as it does on a real bus; a fake clock
// then reaches the caller's retry limit.
FT_STATUS SimulatedMachine::CountDevices(uint32_t* count) {
    std::unique_lock lock(mutex_);
    FT_STATUS status = FT_OK;
    *count = 0;
    if (!Fails(DriverCall::List, &status) && !description_.empty() &&
        CurrentClock().Now() >= attachedAt_) {
        *count = 1;
    }
    auto step = pollStep_;
    lock.unlock();
    if (*count == 0) {
        CurrentClock().Sleep(step);
    }
    return status;
}

FT_STATUS SimulatedMachine::OpenByDescription(std::string_view description,
                                              std::unique_ptr<D2xxDevice>* device) {
    std::unique_lock lock(mutex_);
    FT_STATUS status = FT_OK;
    bool present =
        !description_.empty() && CurrentClock().Now() >= attachedAt_ && description == description_;
    if (!Fails(DriverCall::Open, &status)) {
        status = !present ? FT_DEVICE_NOT_FOUND : open_ ? FT_DEVICE_NOT_OPENED : FT_OK;
    }
    if (status == FT_OK) {
        open_ = true;
        ++opens_;
        *device = std::make_unique<Device>(*this);
        return FT_OK;
    }
    auto step = pollStep_;
    lock.unlock();
    CurrentClock().Sleep(step);
    return status;
}

void SimulatedMachine::Release() {
    open_ = false;
    incoming_.clear();
}

FT_STATUS SimulatedMachine::Write(const uint8_t* bytes, uint32_t count, uint32_t* written) {
    FT_STATUS status = FT_OK;
    if (Fails(DriverCall::Write, &status)) {
        *written = 0;
        return status;
    }
    writes_.emplace_back(bytes, bytes + count);
    incoming_.insert(incoming_.end(), bytes, bytes + count);
    *written = count;
    TakeFrames();
    return FT_OK;
}

size_t SimulatedMachine::DueBytes() {
    auto now = CurrentClock().Now();
    size_t due = 0;
    for (const Chunk& chunk : outgoing_) {
        if (chunk.due > now) {
            break;
        }
        due += chunk.bytes.size();
    }
    return due;
}

FT_STATUS SimulatedMachine::GetStatus(uint32_t* rx) {
    FT_STATUS status = FT_OK;
    if (Fails(DriverCall::GetStatus, &status)) {
        *rx = 0;
        return status;
    }
    *rx = static_cast<uint32_t>(DueBytes());
    return FT_OK;
}

FT_STATUS SimulatedMachine::Read(uint8_t* bytes, uint32_t count, uint32_t* read) {
    FT_STATUS status = FT_OK;
    *read = 0;
    if (Fails(DriverCall::Read, &status)) {
        return status;
    }
    auto now = CurrentClock().Now();
    while (*read < count && !outgoing_.empty() && outgoing_.front().due <= now) {
        std::vector<uint8_t>& chunk = outgoing_.front().bytes;
        size_t taken = std::min<size_t>(count - *read, chunk.size());
        std::memcpy(bytes + *read, chunk.data(), taken);
        chunk.erase(chunk.begin(), chunk.begin() + static_cast<ptrdiff_t>(taken));
        *read += static_cast<uint32_t>(taken);
        if (chunk.empty()) {
            outgoing_.pop_front();
        }
    }
    return FT_OK;
}

FT_STATUS SimulatedMachine::Reset() {
    FT_STATUS status = FT_OK;
    if (Fails(DriverCall::Reset, &status)) {
        return status;
    }
    outgoing_.clear();
    incoming_.clear();
    resetSincePins_ = true;
    return FT_OK;
}

FT_STATUS SimulatedMachine::Purge(uint32_t mask) {
    FT_STATUS status = FT_OK;
    if (Fails(DriverCall::Purge, &status)) {
        return status;
    }
    if (mask & FT_PURGE_RX) {
        auto now = CurrentClock().Now();
        std::erase_if(outgoing_, [now](const Chunk& chunk) { return chunk.due <= now; });
    }
    return FT_OK;
}

// After a converter reset, the first mask that drives CBUS2 high restarts the machine: in
// boot mode when CBUS0 is high, in normal mode when it is low.
FT_STATUS SimulatedMachine::SetBitMode(uint8_t mask, uint8_t mode) {
    FT_STATUS status = FT_OK;
    if (Fails(DriverCall::SetBitMode, &status)) {
        return status;
    }
    pinMasks_.push_back(mask);
    bool drivesCbus2High =
        mode == FT_BITMODE_CBUS_BITBANG && (mask & kAllOutputs) == kAllOutputs && (mask & kCbus2);
    if (resetSincePins_ && drivesCbus2High) {
        resetSincePins_ = false;
        Restart((mask & kCbus0) ? MachineMode::Boot : MachineMode::Normal);
    }
    return FT_OK;
}

void SimulatedMachine::Restart(MachineMode mode) {
    mode_ = mode;
    ++restarts_;
    outgoing_.clear();
    openPath_.clear();
    transfer_ = Transfer::None;
    sdWriting_ = false;
}

}  // namespace test
