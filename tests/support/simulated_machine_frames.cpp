// The machine's receiver and transmitter: request frames taken from the written bytes, reply
// frames built and put on the wire, or the injected fault in their place.

#include <algorithm>

#include "platform/clock/clock.h"
#include "support/simulated_machine.h"

namespace test {
namespace {

constexpr size_t kMaxFrame = 5000;
constexpr size_t kFrameOverhead = 5;

uint16_t U16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint8_t Xor(const uint8_t* bytes, size_t count) {
    uint8_t check = 0;
    for (size_t i = 0; i < count; ++i) {
        check ^= bytes[i];
    }
    return check;
}

// A reply frame as the machine builds it: T, n, payload, check byte.
std::vector<uint8_t> Frame(const std::vector<uint8_t>& payload, size_t total) {
    std::vector<uint8_t> frame(total, 0);
    frame[0] = static_cast<uint8_t>(total);
    frame[1] = static_cast<uint8_t>(total >> 8);
    size_t n = std::min(payload.size(), total - kFrameOverhead);
    frame[2] = static_cast<uint8_t>(n);
    frame[3] = static_cast<uint8_t>(n >> 8);
    std::copy_n(payload.begin(), n, frame.begin() + 4);
    frame[total - 1] = Xor(frame.data(), total - 1);
    return frame;
}

std::vector<uint8_t> Frame(const std::vector<uint8_t>& payload) {
    return Frame(payload, payload.size() + kFrameOverhead);
}

}  // namespace

// Requests are taken whole from what was written so far; a malformed frame is dropped with
// everything behind it, as the machine's receiver would start over.
void SimulatedMachine::TakeFrames() {
    while (incoming_.size() >= 2) {
        size_t total = U16(incoming_.data());
        if (total < kFrameOverhead || total > kMaxFrame) {
            ++badFrames_;
            incoming_.clear();
            return;
        }
        if (incoming_.size() < total) {
            return;
        }
        size_t n = U16(incoming_.data() + 2);
        bool valid = n + kFrameOverhead == total &&
                     Xor(incoming_.data(), total - 1) == incoming_[total - 1] && n > 0;
        std::vector<uint8_t> payload;
        if (valid) {
            payload.assign(incoming_.begin() + 4,
                           incoming_.begin() + 4 + static_cast<ptrdiff_t>(n));
        }
        incoming_.erase(incoming_.begin(), incoming_.begin() + static_cast<ptrdiff_t>(total));
        if (!valid) {
            ++badFrames_;
            continue;
        }
        Answer(payload);
    }
}

const MachineFault* SimulatedMachine::FaultFor(uint8_t code, int occurrence) const {
    if (auto byCode = faults_.find(code); byCode != faults_.end()) {
        if (auto found = byCode->second.find(occurrence); found != byCode->second.end()) {
            return &found->second;
        }
    }
    auto always = alwaysFaults_.find(code);
    return always != alwaysFaults_.end() ? &always->second : nullptr;
}

void SimulatedMachine::Send(std::vector<uint8_t> bytes, std::chrono::milliseconds delay) {
    outgoing_.push_back({platform::CurrentClock().Now() + delay, std::move(bytes)});
}

void SimulatedMachine::Answer(const std::vector<uint8_t>& request) {
    uint8_t code = request[0];
    requests_.push_back({request, mode_});
    const MachineFault* fault = FaultFor(code, ++seen_[code]);
    if (fault == nullptr) {
        Send(Frame(Execute(request)));
        return;
    }
    using Kind = MachineFault::Kind;
    if (fault->kind == Kind::Status) {
        Send(Frame({code, fault->value}));
        return;
    }
    std::vector<uint8_t> reply = Execute(request);
    switch (fault->kind) {
        case Kind::NoReply:
        case Kind::Status:
            break;
        case Kind::LateReply:
            Send(Frame(reply), fault->delay);
            break;
        case Kind::SplitReply: {
            std::vector<uint8_t> frame = Frame(reply);
            // One chunk per poll: each lies one empty poll behind the one before.
            for (size_t at = 0, i = 0; at < frame.size(); at += fault->size, ++i) {
                size_t end = std::min(frame.size(), at + fault->size);
                Send({frame.begin() + static_cast<ptrdiff_t>(at),
                      frame.begin() + static_cast<ptrdiff_t>(end)},
                     pollStep_ * static_cast<int>(i));
            }
            break;
        }
        case Kind::WrongCode:
            reply[0] = static_cast<uint8_t>(code + 1);
            Send(Frame(reply));
            break;
        case Kind::BadCheckByte: {
            std::vector<uint8_t> frame = Frame(reply);
            frame.back() ^= 0x5A;
            Send(std::move(frame));
            break;
        }
        case Kind::OverlongFrame:
            Send(Frame(reply, fault->size));
            break;
        case Kind::Flood:
            Send(std::vector<uint8_t>(fault->size, fault->value));
            break;
        case Kind::Payload:
            Send(Frame(fault->bytes));
            break;
        case Kind::Wire: {
            size_t chunk = fault->size ? fault->size : std::max<size_t>(fault->bytes.size(), 1);
            for (size_t at = 0, i = 0; at < fault->bytes.size(); at += chunk, ++i) {
                size_t end = std::min(fault->bytes.size(), at + chunk);
                Send({fault->bytes.begin() + static_cast<ptrdiff_t>(at),
                      fault->bytes.begin() + static_cast<ptrdiff_t>(end)},
                     pollStep_ * static_cast<int>(i));
            }
            break;
        }
    }
}

}  // namespace test
