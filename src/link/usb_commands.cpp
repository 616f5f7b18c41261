// The machine's command set: one request frame per command, one reply frame back.

#include <algorithm>
#include <cstring>
#include <vector>

#include "link/usb_comm.h"

namespace {

enum Code : uint8_t {
    kWriteParameter = 0xA0,
    kReadDeviceString = 0xA1,
    kWriteData = 0xA4,
    kBeginWrite = 0xA5,
    kEndWrite = 0xA6,
    kOpenFile = 0xA7,
    kStartProgram = 0xAB,
    kChangeBaud = 0xAE,
    kReadDeviceInfo = 0xD1,
    kBeginSd = 0xD7,
    kWriteSd = 0xD8,
    kClearData = 0xDA,
    kEndSd = 0xDB,
    kShowProgress = 0xDC,
    kShowText = 0xDD,
};

constexpr size_t kMaxPathLength = 49;
constexpr size_t kMaxFileData = UsbFrame::kMaxPayload - 1;
constexpr size_t kMaxProgramPart = 1024;
constexpr size_t kMaxParameterData = UsbFrame::kMaxPayload - 3;
constexpr size_t kMaxProgressPercent = 99;
constexpr size_t kMaxText = 99;
// A block is padded to whole sectors; a padded block must stay within 2048 bytes (1024 for
// a part), or it would not fit the request's room.
constexpr size_t kSectorSize = 512;
constexpr size_t kMaxSdBlock = 2048;
constexpr size_t kMaxSdPart = 1024;
constexpr size_t kDeviceInfoEnd = 10;

std::vector<uint8_t> Request(uint8_t code, std::span<const uint32_t> words) {
    std::vector<uint8_t> request{code};
    for (uint32_t word : words) {
        AppendU32(request, word);
    }
    return request;
}

std::vector<uint8_t> Request(uint8_t code, std::initializer_list<uint32_t> words = {}) {
    return Request(code, std::span<const uint32_t>(words.begin(), words.size()));
}

void Append(std::vector<uint8_t>& request, const void* bytes, size_t length) {
    const auto* begin = static_cast<const uint8_t*>(bytes);
    request.insert(request.end(), begin, begin + length);
}

}  // namespace

LinkResult CUsbComm::CheckRequest(size_t length, size_t limit) {
    m_lastReceive = kLinkOk;  // nothing will be sent, so nothing goes unanswered
    if (!m_open) {
        return kLinkNotOpen;
    }
    return length > limit ? kLinkFailed : kLinkOk;
}

LinkResult CUsbComm::Command(std::span<const uint8_t> request, ReplyRule rule) {
    if (!m_open) {
        return kLinkNotOpen;
    }
    Reply reply = Exchange(request);
    bool shaped = rule == ReplyRule::Exact ? reply.length == 2 : reply.length >= 2;
    if (!shaped || reply.bytes[0] != request[0]) {
        return kLinkFailed;
    }
    return reply.bytes[1] == 0 ? kLinkOk : kLinkFailed;
}

LinkResult CUsbComm::DataCommand(std::initializer_list<uint8_t> head, const void* data,
                                 size_t length, size_t limit) {
    if (LinkResult refused = CheckRequest(length, limit)) {
        return refused;
    }
    std::vector<uint8_t> request(head);
    Append(request, data, length);
    return Command(request, ReplyRule::Exact);
}

LinkResult CUsbComm::OpenMachineFile(const char* path, size_t length) {
    return DataCommand({kOpenFile}, path, length, kMaxPathLength);
}

LinkResult CUsbComm::BeginFileWrite() {
    return Command(Request(kBeginWrite, {10, 2}), ReplyRule::Exact);
}

LinkResult CUsbComm::WriteFileData(const uint8_t* bytes, size_t length) {
    return DataCommand({kWriteData}, bytes, length, kMaxFileData);
}

LinkResult CUsbComm::WriteHeadEntry(std::span<const uint32_t, 9> words) {
    return Command(Request(kWriteData, words), ReplyRule::Exact);
}

LinkResult CUsbComm::WriteBlankEntry(std::span<const uint32_t, 6> words) {
    return Command(Request(kWriteData, words), ReplyRule::Exact);
}

LinkResult CUsbComm::CloseMachineFile() {
    return Command(Request(kEndWrite), ReplyRule::Exact);
}

LinkResult CUsbComm::BeginProgramWrite(uint32_t v) {
    return Command(Request(kBeginWrite, {0, v}), ReplyRule::Exact);
}

LinkResult CUsbComm::StartProgramWrite() {
    return Command(Request(kStartProgram), ReplyRule::Exact);
}

LinkResult CUsbComm::WriteProgramPart(const uint8_t* bytes, size_t length) {
    return DataCommand({kWriteData}, bytes, length, kMaxProgramPart);
}

LinkResult CUsbComm::EndProgramWrite() {
    return Command(Request(kEndWrite), ReplyRule::Exact);
}

LinkResult CUsbComm::ReadDeviceString(uint8_t selector, DeviceString& out) {
    if (!m_open) {
        return kLinkNotOpen;
    }
    std::vector<uint8_t> request{kReadDeviceString, selector};
    Reply reply = Exchange(request);
    if (reply.length < 3 || reply.bytes[0] != kReadDeviceString) {
        return kLinkFailed;
    }
    if (reply.bytes[1] != 0) {
        return reply.bytes[1];
    }
    // The caller's buffer holds 253 text bytes and the terminator; a longer text is cut.
    size_t length = std::min<size_t>(reply.length - 2, out.size() - 1);
    std::memcpy(out.data(), reply.bytes.data() + 2, length);
    out[length] = '\0';
    return kLinkOk;
}

LinkResult CUsbComm::WriteParameter(uint8_t number, uint8_t kind, const uint8_t* bytes,
                                    size_t length) {
    return DataCommand({kWriteParameter, number, kind}, bytes, length, kMaxParameterData);
}

LinkResult CUsbComm::ShowProgress(uint32_t percent) {
    // The machine never sees 100 through this command.
    std::vector<uint8_t> request{
        kShowProgress, static_cast<uint8_t>(std::min<size_t>(percent, kMaxProgressPercent))};
    return Command(request, ReplyRule::Exact);
}

LinkResult CUsbComm::ShowText(const char* text, size_t length) {
    return DataCommand({kShowText}, text, length, kMaxText);
}

LinkResult CUsbComm::BeginSdWrite() {
    return Command(Request(kBeginSd), ReplyRule::Open);
}

LinkResult CUsbComm::SdWrite(const uint8_t* data, uint32_t byteOffset, size_t length,
                             size_t limit) {
    if (LinkResult refused = CheckRequest(length, limit)) {
        return refused;
    }
    size_t padded = (length + kSectorSize - 1) / kSectorSize * kSectorSize;
    std::vector<uint8_t> request =
        Request(kWriteSd, {static_cast<uint32_t>(byteOffset / kSectorSize),
                           static_cast<uint32_t>(padded / kSectorSize)});
    Append(request, data, length);
    request.resize(request.size() + padded - length, 0);
    // Data-image blocks go by the thousand; they stay out of the log.
    m_logFrames = 0;
    LinkResult result = Command(request, ReplyRule::Open);
    m_logFrames = 1;
    return result;
}

LinkResult CUsbComm::WriteSdBlock(const uint8_t* data, uint32_t byteOffset, size_t length) {
    return SdWrite(data, byteOffset, length, kMaxSdBlock);
}

LinkResult CUsbComm::WriteSdPart(const uint8_t* data, uint32_t byteOffset, size_t length) {
    return SdWrite(data, byteOffset, length, kMaxSdPart);
}

LinkResult CUsbComm::EndSdWrite() {
    return Command(Request(kEndSd), ReplyRule::Open);
}

LinkResult CUsbComm::ReadDeviceInfo(DeviceInfo& out) {
    // Written as a ready-made frame, whether or not the link is open.
    static constexpr uint8_t kFrame[] = {0x06, 0x00, 0x01, 0x00, kReadDeviceInfo, 0xD6};
    DrainStaleBytes();
    uint32_t written = 0;
    if (WriteRaw(m_handle, kFrame, sizeof(kFrame), &written) != platform::FT_OK) {
        return kLinkFailed;
    }
    Reply reply;
    m_lastReceive = ReceiveFrame(reply.bytes.data(), &reply.length);
    if (m_lastReceive != kLinkOk || reply.length < kDeviceInfoEnd ||
        reply.bytes[0] != kReadDeviceInfo || reply.bytes[1] != 0) {
        return kLinkFailed;
    }
    std::memcpy(out.data(), reply.bytes.data() + 2, out.size());
    return kLinkOk;
}

LinkResult CUsbComm::ClearMachineData() {
    return Command(Request(kClearData, {80, 20}), ReplyRule::Exact);
}

LinkResult CUsbComm::ChangeBaudRate(uint32_t rate) {
    platform::FT_SetBaudRate(m_handle, 115200);
    if (rate != 115200) {
        // The reply is read but not judged.
        Exchange(Request(kChangeBaud, {rate}));
    }
    platform::FT_SetBaudRate(m_handle, rate);
    return kLinkOk;
}
