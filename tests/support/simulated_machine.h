#pragma once
// The key-cutting machine behind its FTDI converter, for tests: plugs in as the D2XX backend.
// It answers to the converter descriptions it is given, refuses a second open, changes between
// normal and boot mode by the CBUS pins set after a converter reset, rebuilds request frames
// from partial writes (T, n and the check byte verified), and carries out every command on a
// drive kept as a map of files, a data image and a firmware. Faults are injected per command
// occurrence; replies become readable on the clock in force, and an empty status poll lets
// a little of that clock's time pass, so that a fake clock runs every time-out at once.
//
//   test::FakeClock clock;                        platform::ScopedClock clockScope(&clock);
//   test::SimulatedMachine machine;               platform::ScopedD2xxBackend backend(&machine);
//   machine.InjectFault(0xD8, 3, test::MachineFault::NoReply());  // the third SD block
//   ... run the code under test, then look at machine.Files(), DataImage(), Firmware() ...

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/d2xx/d2xx.h"

namespace test {

// What the machine does with one command instead of its normal reply. The command itself is
// carried out, except under Status.
struct MachineFault {
    enum class Kind {
        Status,         // the reply carries status instead of 0
        NoReply,        // nothing comes back
        LateReply,      // the reply comes back after delay
        SplitReply,     // the reply comes in chunks of size bytes, one per poll
        WrongCode,      // the reply names another command
        BadCheckByte,   // the reply's check byte is wrong
        OverlongFrame,  // a frame whose T is size, with that many bytes
        Flood,          // size bytes of value instead of a reply
        Payload,        // a well-formed frame around bytes
        Wire,           // bytes as they stand, in chunks of size (0: all at once)
    };
    Kind kind = Kind::NoReply;
    uint8_t value = 0;
    std::chrono::milliseconds delay{0};
    size_t size = 0;
    std::vector<uint8_t> bytes{};

    static MachineFault Status(uint8_t status) { return {.kind = Kind::Status, .value = status}; }
    static MachineFault NoReply() { return {.kind = Kind::NoReply}; }
    static MachineFault LateReply(std::chrono::milliseconds delay) {
        return {.kind = Kind::LateReply, .delay = delay};
    }
    static MachineFault SplitReply(size_t chunkSize) {
        return {.kind = Kind::SplitReply, .size = std::max<size_t>(chunkSize, 1)};
    }
    static MachineFault WrongCode() { return {.kind = Kind::WrongCode}; }
    static MachineFault BadCheckByte() { return {.kind = Kind::BadCheckByte}; }
    // length is kept within what a frame's T can say.
    static MachineFault OverlongFrame(size_t length) {
        return {.kind = Kind::OverlongFrame, .size = std::clamp<size_t>(length, 5, 0xFFFF)};
    }
    static MachineFault Flood(size_t count, uint8_t value = 0xFF) {
        return {.kind = Kind::Flood, .value = value, .size = count};
    }
    static MachineFault Payload(std::vector<uint8_t> payload) {
        return {.kind = Kind::Payload, .bytes = std::move(payload)};
    }
    static MachineFault Wire(std::vector<uint8_t> bytes, size_t chunkSize = 0) {
        return {.kind = Kind::Wire, .size = chunkSize, .bytes = std::move(bytes)};
    }
};

enum class MachineMode { Normal, Boot };

struct MachineRequest {
    std::vector<uint8_t> payload;  // byte 0 is the command code
    MachineMode mode;              // the machine's mode when it received the request
};

struct MachineParameter {
    uint8_t kind;
    std::vector<uint8_t> bytes;
};

// Converter calls that can be made to fail.
enum class DriverCall { List, Open, Write, Read, GetStatus, Reset, SetBitMode, Purge };

class SimulatedMachine final : public platform::D2xxBackend {
  public:
    static constexpr const char* kForeignDescription = "FT232R USB UART";

    // description: the converter's product string; "" for no converter attached.
    explicit SimulatedMachine(std::string description = "Telquist");
    ~SimulatedMachine() override;
    SimulatedMachine(const SimulatedMachine&) = delete;
    SimulatedMachine& operator=(const SimulatedMachine&) = delete;

    // Set-up.
    void SetDescription(std::string description) { Set(description_, std::move(description)); }
    // The converter is attached only once the clock has moved on by delay.
    void AttachAfter(std::chrono::milliseconds delay);
    // The clock time an empty status poll lets pass (5 ms by default).
    void SetPollStep(std::chrono::milliseconds step) { Set(pollStep_, step); }
    void SetDeviceString(uint8_t selector, std::string text);

    // occurrence counts the requests with that code from 1; InjectFaultAlways hits every one.
    void InjectFault(uint8_t code, int occurrence, MachineFault fault);
    void InjectFaultAlways(uint8_t code, MachineFault fault);
    // The next times calls fail with status (times < 0: every call from now on).
    void FailDriverCall(DriverCall call, platform::FT_STATUS status, int times = 1);

    // The wire and the pins.
    std::vector<MachineRequest> Requests() const { return Locked(requests_); }
    std::vector<uint8_t> RequestCodes() const;
    // The bytes of each FT_Write.
    std::vector<std::vector<uint8_t>> Writes() const { return Locked(writes_); }
    // Frames dropped as malformed.
    size_t BadFrames() const { return Locked(badFrames_); }
    // Every CBUS mask set, in order.
    std::vector<uint8_t> PinMasks() const { return Locked(pinMasks_); }
    MachineMode Mode() const { return Locked(mode_); }
    int Restarts() const { return Locked(restarts_); }
    int Opens() const { return Locked(opens_); }
    bool IsOpen() const { return Locked(open_); }
    uint32_t BaudRate() const { return Locked(baudRate_); }
    // Word length, stop bits, parity.
    std::array<uint8_t, 3> DataCharacteristics() const { return Locked(characteristics_); }
    bool BreakOn() const { return Locked(breakOn_); }
    size_t PendingReplyBytes() const;  // reply bytes not read yet, due or not

    // What the commands left on the machine.
    std::map<std::string, std::vector<uint8_t>> Files() const { return Locked(files_); }
    std::vector<uint8_t> File(const std::string& path) const;
    bool HasFile(const std::string& path) const;
    std::vector<uint8_t> DataImage() const { return Locked(image_); }
    // The last firmware whose write was ended.
    std::vector<uint8_t> Firmware() const { return Locked(firmware_); }
    std::map<uint8_t, MachineParameter> Parameters() const { return Locked(parameters_); }
    std::vector<uint8_t> ProgressShown() const { return Locked(progress_); }
    int Clears() const { return Locked(clears_); }
    // By the baud-rate command; 0 when never asked.
    uint32_t RequestedBaudRate() const { return Locked(requestedBaudRate_); }

    // D2xxBackend.
    platform::FT_STATUS CountDevices(uint32_t* count) override;
    platform::FT_STATUS OpenByDescription(std::string_view description,
                                          std::unique_ptr<platform::D2xxDevice>* device) override;

  private:
    template <typename T>
    T Locked(const T& field) const {
        std::lock_guard lock(mutex_);
        return field;
    }
    template <typename T>
    void Set(T& field, T value) {
        std::lock_guard lock(mutex_);
        field = std::move(value);
    }

    class Device;
    friend class Device;
    using TimePoint = std::chrono::steady_clock::time_point;
    struct Chunk {
        TimePoint due;
        std::vector<uint8_t> bytes;
    };
    enum class Transfer { None, File, ProgramBegun, Program };

    // Device side, called with the lock held.
    bool Fails(DriverCall call, platform::FT_STATUS* status);
    platform::FT_STATUS Write(const uint8_t* bytes, uint32_t count, uint32_t* written);
    platform::FT_STATUS Read(uint8_t* bytes, uint32_t count, uint32_t* read);
    platform::FT_STATUS GetStatus(uint32_t* rx);
    platform::FT_STATUS SetBitMode(uint8_t mask, uint8_t mode);
    platform::FT_STATUS Reset();
    platform::FT_STATUS Purge(uint32_t mask);
    void Release();
    size_t DueBytes();
    void Restart(MachineMode mode);

    // Frames and replies.
    void TakeFrames();
    void Answer(const std::vector<uint8_t>& request);
    const MachineFault* FaultFor(uint8_t code, int occurrence) const;
    void Send(std::vector<uint8_t> bytes, std::chrono::milliseconds delay = {});
    // The machine's reply payload to a request, after carrying it out.
    std::vector<uint8_t> Execute(const std::vector<uint8_t>& request);

    mutable std::mutex mutex_;
    std::string description_;
    TimePoint attachedAt_{};
    std::chrono::milliseconds pollStep_{5};
    bool open_ = false;
    int opens_ = 0;
    uint32_t baudRate_ = 0;
    std::array<uint8_t, 3> characteristics_{};
    bool breakOn_ = false;
    std::map<DriverCall, std::pair<platform::FT_STATUS, int>> driverFailures_;

    MachineMode mode_ = MachineMode::Normal;
    int restarts_ = 0;
    bool resetSincePins_ = false;
    std::vector<uint8_t> pinMasks_;

    std::vector<uint8_t> incoming_;
    std::deque<Chunk> outgoing_;
    std::vector<std::vector<uint8_t>> writes_;
    std::vector<MachineRequest> requests_;
    size_t badFrames_ = 0;
    std::map<uint8_t, int> seen_;
    std::map<uint8_t, std::map<int, MachineFault>> faults_;
    std::map<uint8_t, MachineFault> alwaysFaults_;

    std::map<uint8_t, std::string> deviceStrings_;
    std::array<uint8_t, 8> deviceInfo_{};
    std::map<std::string, std::vector<uint8_t>> files_;
    std::string openPath_;
    Transfer transfer_ = Transfer::None;
    std::vector<uint8_t> programBuffer_;
    std::vector<uint8_t> firmware_;
    bool sdWriting_ = false;
    std::vector<uint8_t> image_;
    std::map<uint8_t, MachineParameter> parameters_;
    std::vector<uint8_t> progress_;
    int clears_ = 0;
    uint32_t requestedBaudRate_ = 0;
};

}  // namespace test
