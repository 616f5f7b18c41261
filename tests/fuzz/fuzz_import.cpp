// Import of a key file: any bytes must import without a fault; every imported record is a
// live user key with a fresh id that no other record holds.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "model/key_exchange.h"
#include "model/key_lists.h"
#include "support/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static test::TempFolder folder;
    static test::ScopedProgramFolder programFolder(folder);
    static test::ScopedCurrentFolder currentFolder(folder);
    g_KeyData.clear();
    std::filesystem::remove(folder / "config.ini");
    std::ofstream(folder / "in.u", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    ImportFinishedKeys(folder.wide() + L"in.u");
    std::set<int> ids;
    for (const KeyDataRecord& record : g_KeyData) {
        if (record.params.status != KeyStatusLive || record.keyId > -101 ||
            !ids.insert(record.keyId).second) {
            std::abort();
        }
    }
    return 0;
}
