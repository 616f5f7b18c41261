#include "model/record_file.h"

#include <cstring>
#include <string>

#include "platform/fs/fs.h"

std::filesystem::path BesideProgram(const wchar_t* name) {
    return platform::ToPath(platform::ProgramFolder() + name);
}

KeyDataList ParseRecords(std::span<const uint8_t> bytes) {
    KeyDataList records(bytes.size() / sizeof(KeyDataRecord));
    if (!records.empty()) {
        std::memcpy(records.data(), bytes.data(), records.size() * sizeof(KeyDataRecord));
    }
    return records;
}

std::span<const uint8_t> RecordBytes(const KeyDataList& records) {
    return {reinterpret_cast<const uint8_t*>(records.data()),
            records.size() * sizeof(KeyDataRecord)};
}

RecordRead ReadRecordFile(const std::filesystem::path& path, size_t maxBytes,
                          KeyDataList& records) {
    // The size is judged before any of the file is read or any memory is taken for it.
    bool tooLarge = false;
    auto read = platform::ReadWholeFile(path, [&](size_t size) {
        tooLarge = size > maxBytes;
        records.resize(tooLarge ? 0 : size / sizeof(KeyDataRecord));
        return std::span<uint8_t>(reinterpret_cast<uint8_t*>(records.data()),
                                  records.size() * sizeof(KeyDataRecord));
    });
    if (!read || tooLarge) {
        records.clear();
        return read ? RecordRead::kTooLarge : RecordRead::kUnreadable;
    }
    records.resize(*read / sizeof(KeyDataRecord));
    return RecordRead::kRead;
}
