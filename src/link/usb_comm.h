#pragma once
// The USB link to the key-cutting machine: finds the machine among the attached FTDI
// converters, exchanges one frame per command and reply, and switches the machine into and
// out of its boot mode through the converter's CBUS pins. One worker thread uses a link.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "link/usb_frame.h"
#include "platform/d2xx/d2xx.h"

// 0 success; 7 the command failed, its reply was missing or malformed, or a request was
// beyond the command's limit; 8 the link is not open or no machine was found; 9 no reply in
// time; any other value a driver status passed through or, from ReadDeviceString, the
// machine's own status byte.
using LinkResult = uint32_t;
inline constexpr LinkResult kLinkOk = 0;
inline constexpr LinkResult kLinkFailed = 7;
inline constexpr LinkResult kLinkNotOpen = 8;
inline constexpr LinkResult kLinkTimeout = 9;

// The zero-terminated text of a device-string read.
using DeviceString = std::array<char, 254>;
// The eight bytes of device information.
using DeviceInfo = std::array<uint8_t, 8>;

class CUsbComm {
  public:
    CUsbComm();
    explicit CUsbComm(uint32_t rate);
    ~CUsbComm();
    CUsbComm(const CUsbComm&) = delete;
    CUsbComm& operator=(const CUsbComm&) = delete;

    // One attempt to find and open the machine: 0 or 8.
    LinkResult OpenByDescription();
    // OpenByDescription again every 10 ms for up to 20 s: 0 or 8.
    LinkResult HwOpen();
    // Reset the machine into its boot mode or back into normal operation and reopen the
    // link: 8 on a closed link or a failed reopen, 7 when the pins could not be set.
    LinkResult EnterBios();
    LinkResult ExitBios();
    LinkResult Close();
    bool IsOpen() const { return m_open != 0; }
    // Whether the last command's request went unanswered: no reply in time, or the driver
    // failed. A refused or malformed reply is an answer.
    bool ReplyMissing() const { return m_lastReceive != kLinkOk && m_lastReceive != kLinkFailed; }

    // Frame level. SendFrame and WriteRaw give the driver's status.
    platform::FT_STATUS SendFrame(const uint8_t* payload, size_t n, bool encrypt);
    platform::FT_STATUS WriteRaw(platform::FT_HANDLE handle, const uint8_t* bytes, uint32_t count,
                                 uint32_t* written);
    // Waits for one reply frame and copies its payload (at most UsbFrame::kMaxPayload bytes).
    LinkResult ReceiveFrame(uint8_t* out, uint32_t* outLength);

    // The second boot-mode entry.
    LinkResult OpenByDescriptionRetry();
    LinkResult PulseCbus();
    LinkResult ResetAndSetBaud();
    LinkResult ChangeBaudRate(uint32_t rate);

    // Remote files on the machine's drive.
    LinkResult OpenMachineFile(const char* path, size_t length);
    LinkResult BeginFileWrite();
    LinkResult WriteFileData(const uint8_t* bytes, size_t length);
    LinkResult WriteHeadEntry(std::span<const uint32_t, 9> words);
    LinkResult WriteBlankEntry(std::span<const uint32_t, 6> words);
    LinkResult CloseMachineFile();

    // Firmware.
    LinkResult BeginProgramWrite(uint32_t v);
    LinkResult StartProgramWrite();
    LinkResult WriteProgramPart(const uint8_t* bytes, size_t length);
    LinkResult EndProgramWrite();

    // Device strings (1 serial number, 6 software version), parameters, the machine's display.
    LinkResult ReadDeviceString(uint8_t selector, DeviceString& out);
    LinkResult WriteParameter(uint8_t number, uint8_t kind, const uint8_t* bytes, size_t length);
    LinkResult ShowProgress(uint32_t percent);
    LinkResult ShowText(const char* text, size_t length);

    // The data image, addressed in 512-byte sectors.
    LinkResult BeginSdWrite();
    LinkResult WriteSdBlock(const uint8_t* data, uint32_t byteOffset, size_t length);
    LinkResult EndSdWrite();
    LinkResult WriteSdPart(const uint8_t* data, uint32_t byteOffset, size_t length);

    LinkResult ReadDeviceInfo(DeviceInfo& out);
    LinkResult ClearMachineData();

  private:
    enum class ReplyRule { Exact, Open };
    struct Reply {
        std::array<uint8_t, UsbFrame::kMaxPayload> bytes{};
        uint32_t length = 0;
    };

    LinkResult SwitchBootMode(const wchar_t* logLine, uint8_t mask);
    bool SetPins(uint8_t mask);
    void PurgeReceiveQueue();
    // Reads away and logs whatever is waiting, so that a late reply to an earlier command
    // is not taken for the reply to the next one.
    void DrainStaleBytes();
    // Drain, send, receive; a missing reply leaves the reply empty.
    Reply Exchange(std::span<const uint8_t> request);
    // 8 on a closed link, 7 for a request beyond limit, else 0; nothing is sent either way.
    LinkResult CheckRequest(size_t length, size_t limit);
    LinkResult Command(std::span<const uint8_t> request, ReplyRule rule);
    // The request head followed by length bytes of data, within limit, answered exactly.
    LinkResult DataCommand(std::initializer_list<uint8_t> head, const void* data, size_t length,
                           size_t limit);
    LinkResult SdWrite(const uint8_t* data, uint32_t byteOffset, size_t length, size_t limit);

    uint32_t m_baudRate = 115200;
    uint8_t m_open = 0;
    platform::FT_HANDLE m_handle = nullptr;
    std::array<uint8_t, 8> m_frameKey{};
    uint8_t m_logFrames = 1;
    LinkResult m_lastReceive = kLinkOk;
};
