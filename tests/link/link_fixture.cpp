#include "link/link_fixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace test {

std::vector<std::string> LinkTest::LogTexts() const {
    std::ifstream file(folder_ / "log.bin", std::ios::binary);
    std::vector<std::string> texts;
    std::string line;
    while (std::getline(file, line)) {
        // "[stamp|elapsed]text\r"
        size_t close = line.find(']');
        if (close != std::string::npos && !line.empty() && line.back() == '\r') {
            texts.push_back(line.substr(close + 1, line.size() - close - 2));
        }
    }
    return texts;
}

bool LinkTest::LogHas(const std::string& text) const {
    return ReadText(folder_ / "log.bin").find("]" + text + "\r\n") != std::string::npos;
}

void LinkTest::ClearLog() const {
    std::filesystem::remove(folder_ / "log.bin");
}

std::vector<uint8_t> FrameOf(const std::vector<uint8_t>& payload) {
    const size_t total = payload.size() + 5;
    std::vector<uint8_t> frame(total, 0);
    frame[0] = static_cast<uint8_t>(total);
    frame[1] = static_cast<uint8_t>(total >> 8);
    frame[2] = static_cast<uint8_t>(payload.size());
    frame[3] = static_cast<uint8_t>(payload.size() >> 8);
    std::copy(payload.begin(), payload.end(), frame.begin() + 4);
    for (size_t i = 0; i + 1 < total; ++i) {
        frame.back() ^= frame[i];
    }
    return frame;
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<uint8_t> Concat(std::vector<uint8_t> head, const std::vector<uint8_t>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

}  // namespace test
