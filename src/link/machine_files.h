#pragma once
// The files that the key synchronisation puts on the machine's drive "2:\", built from the
// records of the saved key database, in the order they are sent.

#include <cstdint>
#include <string>
#include <vector>

#include "model/key_lists.h"

// The command that carries each piece of a file.
enum class MachineWrite { FileData, BlankEntry, HeadEntry };

struct MachineFile {
    std::wstring path;  // as the machine names it, e.g. "2:\KeyDataU\-0101"
    MachineWrite write;
    std::vector<std::vector<uint8_t>> pieces;
};

// One "KeyDataU" file per record, "headU.bin" when any record has blank entries, one model
// list per maker and model, "KeyBlankDataU.bin". A maker or model name that would steer a
// write elsewhere on the drive, or that the drive cannot hold, keeps its model list back
// (logged).
std::vector<MachineFile> BuildMachineFiles(const KeyDataList& records);

// The most bytes one data write carries.
inline constexpr size_t kMaxFileDataPiece = 4994;
