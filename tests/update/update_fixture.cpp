#include "update/update_fixture.h"

#include <algorithm>
#include <cstdlib>

#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "res/update_texts.h"

namespace test {

UpdateFixture::UpdateFixture() {
    machine_.SetDeviceString(1, "TQ20260042");
    machine_.SetDeviceString(6, "1.2.3");
}

UpdateJob UpdateFixture::Job(const MachineVariant& machine) {
    UpdateJob job;
    job.report = &report_;
    job.machine = &machine;
    job.languageIndex = 1;
    for (int number = 1; number <= res::kUpdateTextCount; ++number) {
        auto text = res::FindUpdateText(1, number);
        job.texts[static_cast<size_t>(number - 1)] =
            text ? *text : res::FindUpdateText(0, number).value_or(L"");
    }
    job.workFolder = platform::Utf8ToWide(work_.path().string());
    job.selectedVersion = L"1.3.0";
    return job;
}

std::vector<uint8_t> UpdateFixture::ServeImage(const std::vector<uint8_t>& image) {
    TempFolder source;
    WriteBytes(source / "sdcard.bin", image);
    std::string command = "cd '" + source.path().string() +
                          "' && 7zz a -bd -bso0 -bsp0 -m0=Copy -mtm=off -mtc=off -mta=off image.7z "
                          "sdcard.bin";
    EXPECT_EQ(std::system(command.c_str()), 0);
    auto archive = platform::ReadWholeFile(source / "image.7z").value_or(std::vector<uint8_t>{});
    server_.SetDataImage(archive);
    return archive;
}

Records UpdateFixture::ServeFirmware(std::vector<size_t> sizes, std::vector<uint8_t> head) {
    Records parts;
    for (size_t i = 0; i < sizes.size(); ++i) {
        parts.emplace_back(sizes[i], static_cast<uint8_t>(0xA0 + i));
    }
    server_.SetFirmware(std::move(head), parts);
    return parts;
}

std::vector<std::vector<uint8_t>> UpdateFixture::Sent(uint8_t code) const {
    std::vector<std::vector<uint8_t>> payloads;
    for (const auto& request : machine_.Requests()) {
        if (request.payload[0] == code) {
            payloads.push_back(request.payload);
        }
    }
    return payloads;
}

std::vector<uint8_t> UpdateFixture::CodesAfter(uint8_t after) const {
    auto codes = machine_.RequestCodes();
    auto last = std::find(codes.rbegin(), codes.rend(), after);
    return {last.base(), codes.end()};
}

std::vector<uint8_t> Pattern(size_t size, uint32_t seed) {
    std::vector<uint8_t> bytes(size);
    for (auto& byte : bytes) {
        seed = seed * 1103515245 + 12345;
        byte = static_cast<uint8_t>(seed >> 16);
    }
    return bytes;
}

std::vector<uint8_t> Joined(const Records& parts) {
    std::vector<uint8_t> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

}  // namespace test
