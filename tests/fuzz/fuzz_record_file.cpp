// Record-file load: any bytes in "KeyData.u" must load without a fault, and what loads must
// save back byte for byte (whole records only).

#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "model/key_files.h"
#include "support/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static test::TempFolder folder;
    static test::ScopedProgramFolder programFolder(folder);
    std::ofstream(folder / "KeyData.u", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    LoadKeyData();
    if (g_KeyData.size() != size / sizeof(KeyDataRecord)) {
        std::abort();
    }
    std::span<const uint8_t> saved = RecordBytes(g_KeyData);
    if (!std::equal(saved.begin(), saved.end(), data)) {
        std::abort();
    }
    return 0;
}
