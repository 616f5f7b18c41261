// The files the key synchronisation builds from whatever "KeyData.u" holds: no fault; every
// model list stays one folder and one file below "2:\CarManufactor2U\" with names the drive
// can hold; every piece fits its command.

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "link/machine_files.h"
#include "model/key_files.h"
#include "platform/text/text.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool Usable(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." &&
           name.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool codePage = (platform::SetAnsiCodePage(936), true);  // names of two-byte characters
    (void)codePage;
    const std::wstring listFolder = L"2:\\CarManufactor2U\\";
    for (const MachineFile& file : BuildMachineFiles(ParseRecords({data, size}))) {
        for (const std::vector<uint8_t>& piece : file.pieces) {
            Check(file.write != MachineWrite::FileData || piece.size() <= kMaxFileDataPiece);
            Check(file.write != MachineWrite::BlankEntry || piece.size() == 24);
            Check(file.write != MachineWrite::HeadEntry || piece.size() == 36);
        }
        if (file.path.starts_with(listFolder)) {
            std::wstring rest = file.path.substr(listFolder.size());
            size_t split = rest.find(L'\\');
            Check(split != std::wstring::npos && rest.ends_with(L".ini"));
            Check(Usable(rest.substr(0, split)));
            Check(Usable(rest.substr(split + 1, rest.size() - split - 5)));
        }
    }
    return 0;
}
