// Extraction of any bytes as a downloaded archive: success or a failure, never a fault, and
// success always leaves an output file.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/text/text.h"
#include "support/temp_folder.h"
#include "update/archive_extract.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static test::TempFolder folder;
    static const std::filesystem::path archive = folder / "temp.7z";
    static const std::filesystem::path output = folder / "sdcard.bin";
    std::ofstream(archive, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    std::wstring error;
    Extract7zArguments arguments{"", "x", archive.string(), platform::Utf8ToWide(output.string())};
    int result = Extract7z(arguments, error);
    if (result != 0 && result != 1) {
        std::abort();
    }
    if (result == 0 && !std::filesystem::exists(output)) {
        std::abort();
    }
    return 0;
}
