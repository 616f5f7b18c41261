#include "model/key_files.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
#include <set>

#include "log/log.h"
#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"

namespace {

struct RecordFile {
    const wchar_t* name;
    const wchar_t* backupName;
    KeyDataList& list;
    // Set when the file exists but could not be read: saving the list over it would replace
    // the user's keys with whatever little the list holds.
    bool unreadable = false;
};

RecordFile g_keyDataFile{kKeyDataFile, kKeyDataBackupFile, g_KeyData};
RecordFile g_keyDataEditFile{kKeyDataEditFile, kKeyDataEditBackupFile, g_KeyDataEdit};

std::filesystem::path BesideProgram(const wchar_t* name) {
    return platform::ToPath(GetAppDirectory() + name);
}

// A save interrupted before its rename leaves the new content in the backup; when the file
// itself is gone, a backup of whole records is the latest list.
void RecoverFromBackup(const RecordFile& file) {
    std::filesystem::path target = BesideProgram(file.name);
    std::filesystem::path backup = BesideProgram(file.backupName);
    std::error_code error;
    if (std::filesystem::exists(target, error) ||
        !std::filesystem::is_regular_file(backup, error)) {
        return;
    }
    auto size = std::filesystem::file_size(backup, error);
    if (error || size % sizeof(KeyDataRecord) != 0) {
        return;
    }
    std::filesystem::rename(backup, target, error);
    WriteLog(L"Recovered " + std::wstring(file.name) + L" from " + file.backupName +
             (error ? L": failed" : L""));
}

int Load(RecordFile& file) {
    file.unreadable = false;
    RecoverFromBackup(file);
    std::filesystem::path path = BesideProgram(file.name);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        file.list.clear();
        return 0;
    }
    // Straight into the list's storage, whose records the file's overwrite: a reload costs
    // no more than reading the file.
    auto read = platform::ReadWholeFile(path, [&](size_t size) {
        file.list.resize(size / sizeof(KeyDataRecord));
        return std::span<uint8_t>(reinterpret_cast<uint8_t*>(file.list.data()),
                                  file.list.size() * sizeof(KeyDataRecord));
    });
    if (!read) {
        file.list.clear();
        file.unreadable = true;
        WriteLog(L"Cannot read " + std::wstring(file.name) + L"; it will not be saved over");
        return 0;
    }
    file.list.resize(*read / sizeof(KeyDataRecord));
    return file.list.empty() ? 0 : 1;
}

bool Save(RecordFile& file, const KeyDataList& records) {
    if (file.unreadable) {
        WriteLog(L"Not saving " + std::wstring(file.name) +
                 L": the file on disk could not be read");
        return false;
    }
    std::string reason;
    if (!platform::ReplaceFile(BesideProgram(file.name), BesideProgram(file.backupName),
                               RecordBytes(records), &reason)) {
        WriteLog(L"Saving " + std::wstring(file.name) + L" failed: " +
                 platform::Utf8ToWide(reason));
        return false;
    }
    return true;
}

// A finish appends the finished copy to the finished file and only then takes the unfinished
// copy out of its file. The finished copy keeps the unfinished one's id, maker and type, and
// is marked live with its blank entries owned and flagged finished.
bool IsFinishedCopyOf(const KeyDataRecord& finished, const KeyDataRecord& unfinished) {
    if (finished.params.status != KeyStatusLive || finished.blankCount > 2) {
        return false;
    }
    for (int i = 0; i < finished.blankCount; ++i) {
        const KeyBlankEntry& blank = finished.blanks[i];
        if (blank.keyId != static_cast<uint32_t>(int32_t{finished.keyId}) || blank.finished != 1) {
            return false;
        }
    }
    return finished.keyId == unfinished.keyId && finished.makerId == unfinished.makerId &&
           std::memcmp(finished.makerName, unfinished.makerName, sizeof(finished.makerName)) == 0 &&
           finished.params.keyType == unfinished.params.keyType;
}

// Deleted records keep their place, so one deleted after a finish may follow its copy.
const KeyDataRecord* LastLive(const KeyDataList& records) {
    auto last = std::find_if(records.rbegin(), records.rend(), [](const KeyDataRecord& record) {
        return record.params.status != KeyStatusDeleted;
    });
    return last == records.rend() ? nullptr : &*last;
}

}  // namespace

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

int LoadKeyData() {
    return Load(g_keyDataFile);
}
int LoadKeyDataEdit() {
    return Load(g_keyDataEditFile);
}

void LoadKeyLists() {
    LoadKeyData();
    LoadKeyDataEdit();
    std::set<int> finished;
    for (const KeyDataRecord& record : g_KeyData) {
        finished.insert(record.keyId);
    }
    std::vector<size_t> inBoth;
    for (size_t i = 0; i < g_KeyDataEdit.size(); ++i) {
        if (finished.contains(g_KeyDataEdit[i].keyId)) {
            inBoth.push_back(i);
        }
    }
    if (inBoth.empty()) {
        return;
    }
    const KeyDataRecord& unfinished = g_KeyDataEdit[inBoth.front()];
    const KeyDataRecord* last = LastLive(g_KeyData);
    if (inBoth.size() == 1 && last != nullptr && IsFinishedCopyOf(*last, unfinished)) {
        WriteLog(L"Key " + std::to_wstring(unfinished.keyId) +
                 L" was in both key files; it is kept as finished");
        g_KeyDataEdit.erase(g_KeyDataEdit.begin() + static_cast<std::ptrdiff_t>(inBoth.front()));
        SaveKeyDataEdit(g_KeyDataEdit);
        return;
    }
    // Another installation's file, an older backup or a damaged file: the user's keys are
    // worth more than a key shown twice.
    std::wstring ids;
    for (size_t i : inBoth) {
        ids += L" " + std::to_wstring(g_KeyDataEdit[i].keyId);
    }
    WriteLog(L"Keys in both key files, left as they are:" + ids);
}

bool SaveKeyData(const KeyDataList& records) {
    return Save(g_keyDataFile, records);
}
bool SaveKeyDataEdit(const KeyDataList& records) {
    return Save(g_keyDataEditFile, records);
}

std::optional<int> AllocateUserKeyId() {
    const std::wstring config = platform::CurrentFolder() + L"/config.ini";
    // The counter may be missing, garbage or behind the lists (a config from another folder):
    // the new id goes below all of them, so that no id is handed out twice.
    int lowest = std::min(platform::ReadProfileInt(config, L"key", L"ID", -100), -100);
    for (const KeyDataList* list : {&g_KeyData, &g_KeyDataEdit}) {
        for (const KeyDataRecord& record : *list) {
            lowest = std::min<int>(lowest, record.keyId);
        }
    }
    if (lowest <= std::numeric_limits<int16_t>::min()) {
        WriteLog(L"No user key id is left");
        return std::nullopt;
    }
    int id = lowest - 1;
    // An id whose counter was not stored would be handed out again by the next call.
    std::string reason;
    if (!platform::WriteProfileString(config, L"key", L"ID", platform::Format(L"%d", id),
                                      &reason)) {
        WriteLog(L"Cannot write the key id counter: " + platform::Utf8ToWide(reason));
        return std::nullopt;
    }
    return id;
}
