#pragma once
// The FTDI D2XX calls the machine link makes, with D2XX's status numbers. The calls go to a
// backend: libftdi1 for a real converter chip, or whatever a test installs in its place.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using FT_STATUS = uint32_t;

enum : FT_STATUS {
    FT_OK = 0,
    FT_INVALID_HANDLE = 1,
    FT_DEVICE_NOT_FOUND = 2,
    FT_DEVICE_NOT_OPENED = 3,
    FT_IO_ERROR = 4,
    FT_INSUFFICIENT_RESOURCES = 5,
    FT_INVALID_PARAMETER = 6,
    FT_INVALID_BAUD_RATE = 7,
    FT_OTHER_ERROR = 18,
};

inline constexpr uint32_t FT_LIST_NUMBER_ONLY = 0x80000000;
inline constexpr uint32_t FT_OPEN_BY_DESCRIPTION = 2;
inline constexpr uint32_t FT_PURGE_RX = 1;
inline constexpr uint32_t FT_PURGE_TX = 2;
inline constexpr uint8_t FT_BITS_8 = 8;
inline constexpr uint8_t FT_STOP_BITS_1 = 0;
inline constexpr uint8_t FT_PARITY_NONE = 0;
inline constexpr uint8_t FT_BITMODE_CBUS_BITBANG = 0x20;

// One opened converter chip. Destroying it releases the device.
class D2xxDevice {
  public:
    virtual ~D2xxDevice() = default;
    virtual FT_STATUS SetDataCharacteristics(uint8_t wordLength, uint8_t stopBits,
                                             uint8_t parity) = 0;
    virtual FT_STATUS SetBaudRate(uint32_t rate) = 0;
    virtual FT_STATUS Write(const uint8_t* bytes, uint32_t count, uint32_t* written) = 0;
    virtual FT_STATUS Read(uint8_t* bytes, uint32_t count, uint32_t* read) = 0;
    // rx: bytes waiting to be read.
    virtual FT_STATUS GetStatus(uint32_t* rx, uint32_t* tx, uint32_t* events) = 0;
    virtual FT_STATUS SetBitMode(uint8_t mask, uint8_t mode) = 0;
    virtual FT_STATUS ResetDevice() = 0;
    virtual FT_STATUS Purge(uint32_t mask) = 0;
    virtual FT_STATUS SetBreak(bool on) = 0;
};

// Finds and opens converter chips.
class D2xxBackend {
  public:
    virtual ~D2xxBackend() = default;
    virtual FT_STATUS CountDevices(uint32_t* count) = 0;
    // The first device whose USB product string equals description; a device that is open
    // already cannot be opened a second time.
    virtual FT_STATUS OpenByDescription(std::string_view description,
                                        std::unique_ptr<D2xxDevice>* device) = 0;
    // Converter chips present that this user may not open, each named for the log (which bus,
    // which device, its ids). A Windows driver grants everyone access; here the system may not.
    virtual std::vector<std::string> AccessRefused() { return {}; }
};

// The backend in force: libftdi1 unless a test installed another.
D2xxBackend& CurrentD2xxBackend();

// Installs backend (nullptr restores libftdi1) for as long as the object lives.
class ScopedD2xxBackend {
  public:
    explicit ScopedD2xxBackend(D2xxBackend* backend);
    ~ScopedD2xxBackend();
    ScopedD2xxBackend(const ScopedD2xxBackend&) = delete;
    ScopedD2xxBackend& operator=(const ScopedD2xxBackend&) = delete;

  private:
    D2xxBackend* previous_;
};

using FT_HANDLE = D2xxDevice*;

// Only FT_LIST_NUMBER_ONLY is supported: *count receives the number of devices.
FT_STATUS FT_ListDevices(uint32_t* count, uint32_t flags);
// Only FT_OPEN_BY_DESCRIPTION is supported.
FT_STATUS FT_OpenEx(const char* description, uint32_t flags, FT_HANDLE* handle);
FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, uint8_t wordLength, uint8_t stopBits,
                                    uint8_t parity);
FT_STATUS FT_SetBaudRate(FT_HANDLE handle, uint32_t rate);
FT_STATUS FT_Write(FT_HANDLE handle, const void* buffer, uint32_t count, uint32_t* written);
FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, uint32_t count, uint32_t* read);
FT_STATUS FT_GetStatus(FT_HANDLE handle, uint32_t* rx, uint32_t* tx, uint32_t* events);
FT_STATUS FT_SetBitMode(FT_HANDLE handle, uint8_t mask, uint8_t mode);
FT_STATUS FT_ResetDevice(FT_HANDLE handle);
FT_STATUS FT_Purge(FT_HANDLE handle, uint32_t mask);
FT_STATUS FT_SetBreakOn(FT_HANDLE handle);
FT_STATUS FT_SetBreakOff(FT_HANDLE handle);
FT_STATUS FT_Close(FT_HANDLE handle);

}  // namespace platform
