// The machine's side of each command, and what the commands leave on the machine.

#include <algorithm>

#include "support/simulated_machine.h"

namespace test {
namespace {

constexpr size_t kSectorSize = 512;

// Statuses the machine answers with when it refuses a request.
enum Refusal : uint8_t {
    kMalformed = 1,
    kNoFileOpen = 2,
    kOutOfOrder = 3,
    kUnknownSelector = 4,
    kUnknownCommand = 0xEE,
};

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

bool HasWords(const std::vector<uint8_t>& request, uint32_t first, uint32_t second) {
    return request.size() == 9 && U32(request, 1) == first && U32(request, 5) == second;
}

}  // namespace

std::vector<uint8_t> SimulatedMachine::Execute(const std::vector<uint8_t>& request) {
    const uint8_t code = request[0];
    auto status = [code](uint8_t value) { return std::vector<uint8_t>{code, value}; };
    auto data = [&request](size_t from) {
        return std::vector<uint8_t>(request.begin() + static_cast<ptrdiff_t>(from), request.end());
    };
    switch (code) {
        case 0xA7:  // open a file on the drive
            if (request.size() < 2) {
                return status(kMalformed);
            }
            openPath_.assign(request.begin() + 1, request.end());
            transfer_ = Transfer::None;
            return status(0);
        case 0xA5:  // begin a file write (10, 2) or a firmware write (0, 1)
            if (HasWords(request, 10, 2)) {
                if (openPath_.empty()) {
                    return status(kNoFileOpen);
                }
                files_[openPath_].clear();
                transfer_ = Transfer::File;
                return status(0);
            }
            if (HasWords(request, 0, 1)) {
                programBuffer_.clear();
                transfer_ = Transfer::ProgramBegun;
                return status(0);
            }
            return status(kMalformed);
        case 0xAB:  // start the firmware write
            if (transfer_ != Transfer::ProgramBegun) {
                return status(kOutOfOrder);
            }
            transfer_ = Transfer::Program;
            return status(0);
        case 0xA4: {  // data of the file or of the firmware
            std::vector<uint8_t> bytes = data(1);
            std::vector<uint8_t>* target = transfer_ == Transfer::File      ? &files_[openPath_]
                                           : transfer_ == Transfer::Program ? &programBuffer_
                                                                            : nullptr;
            if (target == nullptr) {
                return status(kOutOfOrder);
            }
            target->insert(target->end(), bytes.begin(), bytes.end());
            return status(0);
        }
        case 0xA6:  // close the file, or end the firmware write
            if (transfer_ == Transfer::Program) {
                firmware_ = programBuffer_;
            } else if (transfer_ != Transfer::File) {
                return status(kOutOfOrder);
            }
            transfer_ = Transfer::None;
            openPath_.clear();
            return status(0);
        case 0xA1: {  // device string
            auto found =
                request.size() == 2 ? deviceStrings_.find(request[1]) : deviceStrings_.end();
            if (found == deviceStrings_.end()) {
                return status(kUnknownSelector);
            }
            std::vector<uint8_t> reply = status(0);
            reply.insert(reply.end(), found->second.begin(), found->second.end());
            return reply;
        }
        case 0xA0:  // parameter: number, kind, bytes
            if (request.size() < 3) {
                return status(kMalformed);
            }
            parameters_[request[1]] = {request[2], data(3)};
            return status(0);
        case 0xDC:
            if (request.size() != 2) {
                return status(kMalformed);
            }
            progress_.push_back(request[1]);
            return status(0);
        case 0xDD:
            return status(0);
        case 0xD7:
            sdWriting_ = true;
            return status(0);
        case 0xD8: {  // first sector, sector count, the sectors
            if (request.size() < 9 || !sdWriting_) {
                return status(request.size() < 9 ? kMalformed : kOutOfOrder);
            }
            size_t at = size_t{U32(request, 1)} * kSectorSize;
            size_t length = size_t{U32(request, 5)} * kSectorSize;
            if (request.size() != 9 + length) {
                return status(kMalformed);
            }
            if (length > 0) {
                image_.resize(std::max(image_.size(), at + length), 0);
            }
            std::copy(request.begin() + 9, request.end(),
                      image_.begin() + static_cast<ptrdiff_t>(at));
            return status(0);
        }
        case 0xDB:
            sdWriting_ = false;
            return status(0);
        case 0xD1: {
            std::vector<uint8_t> reply = status(0);
            reply.insert(reply.end(), deviceInfo_.begin(), deviceInfo_.end());
            return reply;
        }
        case 0xDA:  // clear all data
            if (!HasWords(request, 80, 20)) {
                return status(kMalformed);
            }
            files_.clear();
            image_.clear();
            ++clears_;
            return status(0);
        case 0xAE:
            if (request.size() != 5) {
                return status(kMalformed);
            }
            requestedBaudRate_ = U32(request, 1);
            return status(0);
        default:
            return status(kUnknownCommand);
    }
}

void SimulatedMachine::SetDeviceString(uint8_t selector, std::string text) {
    std::lock_guard lock(mutex_);
    deviceStrings_[selector] = std::move(text);
}

std::vector<uint8_t> SimulatedMachine::RequestCodes() const {
    std::lock_guard lock(mutex_);
    std::vector<uint8_t> codes;
    for (const MachineRequest& request : requests_) {
        codes.push_back(request.payload[0]);
    }
    return codes;
}

size_t SimulatedMachine::PendingReplyBytes() const {
    std::lock_guard lock(mutex_);
    size_t pending = 0;
    for (const Chunk& chunk : outgoing_) {
        pending += chunk.bytes.size();
    }
    return pending;
}

std::vector<uint8_t> SimulatedMachine::File(const std::string& path) const {
    std::lock_guard lock(mutex_);
    auto found = files_.find(path);
    return found != files_.end() ? found->second : std::vector<uint8_t>{};
}

bool SimulatedMachine::HasFile(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return files_.count(path) != 0;
}

}  // namespace test
