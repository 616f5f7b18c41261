#include "model/key_exchange.h"

#include <filesystem>
#include <set>

#include "model/key_files.h"
#include "platform/fs/fs.h"

namespace {

bool Acceptable(const KeyDataRecord& record) {
    return record.keyId <= -101 && record.reserved1 == 0 && record.params.reserved3 == 0 &&
           record.params.depths[0] >= 41 && record.params.depths[0] <= 999 &&
           record.params.status == KeyStatusLive;
}

}  // namespace

bool ExportFinishedKeys(const std::wstring& path) {
    std::error_code error;
    if (!std::filesystem::exists(platform::ToPath(GetAppDirectory() + kKeyDataFile), error)) {
        return false;
    }
    std::filesystem::path target = platform::ToPath(path);
    std::filesystem::path backup = target;
    backup += "_bak";
    return platform::ReplaceFile(target, backup, RecordBytes(g_KeyData));
}

ImportOutcome ImportFinishedKeys(const std::wstring& path) {
    ImportOutcome outcome;
    std::filesystem::path source = platform::ToPath(path);
    std::error_code error;
    if (!std::filesystem::exists(source, error)) {
        return outcome;
    }
    // A file larger than any key file can be is read no more than an unreadable one.
    KeyDataList file;
    if (ReadRecordFile(source, kMaxRecordFileBytes, file) == RecordRead::kRead) {
        std::set<std::wstring> names;
        for (const KeyDataRecord& record : g_KeyData) {
            names.insert(AnsiToWide(record.keyName));
        }
        for (KeyDataRecord record : file) {
            if (!Acceptable(record) || !names.insert(AnsiToWide(record.keyName)).second) {
                continue;
            }
            std::optional<int> id = AllocateUserKeyId();
            if (!id) {
                outcome.outOfIds = true;
                break;
            }
            record.keyId = static_cast<int16_t>(*id);
            for (KeyBlankEntry& blank : record.blanks) {
                blank.keyId = static_cast<uint32_t>(*id);
            }
            g_KeyData.push_back(record);
            ++outcome.imported;
        }
    }
    SaveKeyData(g_KeyData);
    return outcome;
}
