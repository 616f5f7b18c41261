#include <cstring>
#include <string>

#include "link/usb_comm.h"
#include "log/log.h"
#include "platform/clock/clock.h"

using namespace platform;
using namespace std::chrono_literals;

namespace {

constexpr auto kPollTime = 5500ms;
constexpr auto kSilenceTime = 20000ms;
constexpr size_t kDesBlock = 8;
constexpr size_t kRuleLength = 40;
// Bounds the drain when the machine keeps sending.
constexpr size_t kMaxDrained = 1 << 20;

}  // namespace

FT_STATUS CUsbComm::SendFrame(const uint8_t* payload, size_t n, bool encrypt) {
    if (n > UsbFrame::kMaxPayload) {
        return FT_INVALID_PARAMETER;
    }
    std::vector<uint8_t> inner;
    inner.reserve(n + 2 + kDesBlock);
    AppendU16(inner, static_cast<uint16_t>(n));
    inner.insert(inner.end(), payload, payload + n);
    if (encrypt) {
        WriteLog(std::wstring(kRuleLength, L'-'));
        WriteLog(L"EncryptIn  " + BytesToHex(inner.data(), inner.size(), 0));
        inner.resize((inner.size() + kDesBlock - 1) / kDesBlock * kDesBlock, 0);
        if (inner.size() + 3 > UsbFrame::kMaxLength) {
            return FT_INVALID_PARAMETER;
        }
        DesEcbEncrypt(m_frameKey, inner);
    }
    std::vector<uint8_t> frame = UsbFrame::Wrap(inner);
    uint32_t written = 0;
    return WriteRaw(m_handle, frame.data(), static_cast<uint32_t>(frame.size()), &written);
}

FT_STATUS CUsbComm::WriteRaw(FT_HANDLE handle, const uint8_t* bytes, uint32_t count,
                             uint32_t* written) {
    FT_STATUS status = FT_Write(handle, bytes, count, written);
    if (m_logFrames) {
        WriteLog(L"> :  " + BytesToHex(bytes, count, 0));
    }
    return status;
}

LinkResult CUsbComm::ReceiveFrame(uint8_t* out, uint32_t* outLength) {
    *outLength = 0;
    std::array<uint8_t, UsbFrame::kMaxLength> frame;
    size_t size = 0;
    LinkResult result = kLinkTimeout;
    auto lastData = CurrentClock().Now();
    for (;;) {
        uint32_t waiting = 0;
        auto pollStart = CurrentClock().Now();
        do {
            uint32_t tx = 0, events = 0;
            FT_STATUS status = FT_GetStatus(m_handle, &waiting, &tx, &events);
            if (status != FT_OK) {
                return status;
            }
        } while (waiting == 0 && CurrentClock().Now() - pollStart < kPollTime);

        if (waiting == 0) {
            result = kLinkTimeout;
        } else {
            // Never more than the frame buffer holds; a frame that does not fit is refused
            // below, and what stays waiting is drained before the next request.
            uint32_t wanted =
                std::min<uint32_t>(waiting, static_cast<uint32_t>(frame.size() - size));
            uint32_t got = 0;
            FT_STATUS status = FT_Read(m_handle, frame.data() + size, wanted, &got);
            if (status != FT_OK) {
                result = status;
            } else {
                got = std::min(got, wanted);
                if (m_logFrames) {
                    WriteLog(L"< :  " + BytesToHex(frame.data(), got, size));
                }
                size += got;
                lastData = CurrentClock().Now();
            }
        }

        if (size >= 2) {
            // A length outside a frame's bounds, or bytes beyond it, never becomes a frame:
            // waiting on would only end in a time-out, or overrun the buffer.
            size_t total = ReadU16(frame.data());
            if (total < UsbFrame::kOverhead || total > UsbFrame::kMaxLength || size > total) {
                return kLinkFailed;
            }
            if (size == total) {
                size_t n = ReadU16(frame.data() + 2);
                if (n > total - UsbFrame::kOverhead) {
                    return kLinkFailed;
                }
                // Accepted all the same: the machine's reply check bytes have never been
                // relied on, so refusing them could cut off a machine that works. The log
                // shows a corrupted line.
                if (UsbFrame::CheckByte(std::span(frame.data(), total - 1)) != frame[total - 1]) {
                    WriteLog(L"Reply check byte mismatch");
                }
                std::memcpy(out, frame.data() + 4, n);
                *outLength = static_cast<uint32_t>(n);
                return kLinkOk;
            }
        }
        if (CurrentClock().Now() - lastData >= kSilenceTime) {
            return result;
        }
    }
}

void CUsbComm::DrainStaleBytes() {
    if (m_handle == nullptr) {
        return;
    }
    std::array<uint8_t, UsbFrame::kMaxLength> chunk;
    size_t drained = 0;
    while (drained < kMaxDrained) {
        uint32_t waiting = 0, tx = 0, events = 0, got = 0;
        if (FT_GetStatus(m_handle, &waiting, &tx, &events) != FT_OK || waiting == 0) {
            return;
        }
        uint32_t wanted = std::min<uint32_t>(waiting, static_cast<uint32_t>(chunk.size()));
        if (FT_Read(m_handle, chunk.data(), wanted, &got) != FT_OK || got == 0) {
            return;
        }
        got = std::min(got, wanted);
        if (m_logFrames) {
            WriteLog(L"< :  " + BytesToHex(chunk.data(), got, 0));
        }
        drained += got;
    }
}

CUsbComm::Reply CUsbComm::Exchange(std::span<const uint8_t> request) {
    DrainStaleBytes();
    SendFrame(request.data(), request.size(), false);
    Reply reply;
    m_lastReceive = ReceiveFrame(reply.bytes.data(), &reply.length);
    return reply;
}
