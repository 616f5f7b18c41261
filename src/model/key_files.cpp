#include "model/key_files.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
#include <set>

#include "log/log.h"
#include "model/finish_journal.h"
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

// Deleted records keep their place, so one deleted after a finish may follow its copy.
const KeyDataRecord* LastLive(const KeyDataList& records) {
    auto last = std::find_if(records.rbegin(), records.rend(), [](const KeyDataRecord& record) {
        return record.params.status != KeyStatusDeleted;
    });
    return last == records.rend() ? nullptr : &*last;
}

// A finish cut short between its two saves: the key the journal names is in both lists, its
// finished copy last. It stays finished only. True when the unfinished list changed.
bool MendFinishCutShort(const FinishJournal& journal) {
    const KeyDataRecord* last = LastLive(g_KeyData);
    if (journal.record && last != nullptr &&
        std::memcmp(last, &*journal.record, sizeof(KeyDataRecord)) == 0) {
        auto unfinished = std::find_if(
            g_KeyDataEdit.begin(), g_KeyDataEdit.end(),
            [id = last->keyId](const KeyDataRecord& record) { return record.keyId == id; });
        if (unfinished != g_KeyDataEdit.end()) {
            WriteLog(L"Key " + std::to_wstring(last->keyId) +
                     L" was in both key files; it is kept as finished");
            g_KeyDataEdit.erase(unfinished);
            return true;
        }
    }
    WriteLog(std::wstring(kFinishJournalFile) + L" names no finish cut short; it is deleted");
    return false;
}

// Another installation's finished file, an older backup or a damaged file can share ids with
// unfinished keys, and every change finds a key by its id: a finish would replace the other
// key. Unfinished keys never reach the machine, so they are the ones to take new ids.
bool GiveSharedIdsNewIds() {
    std::set<int> taken;
    for (const KeyDataRecord& record : g_KeyData) {
        taken.insert(record.keyId);
    }
    bool changed = false;
    for (KeyDataRecord& record : g_KeyDataEdit) {
        if (taken.insert(record.keyId).second) {
            continue;
        }
        const std::optional<int> id = AllocateUserKeyId();
        if (!id) {
            WriteLog(L"Key " + std::to_wstring(record.keyId) +
                     L" shares its id with another key and no new id is left for it");
            continue;
        }
        WriteLog(L"Unfinished key " + std::to_wstring(record.keyId) +
                 L" shared its id with another key; it is now " + std::to_wstring(*id));
        record.keyId = static_cast<int16_t>(*id);
        taken.insert(*id);
        changed = true;
    }
    return changed;
}

template <typename Visit>
void ForEachKey(Visit visit) {
    for (const KeyDataList* list : {&g_KeyData, &g_KeyDataEdit}) {
        for (const KeyDataRecord& record : *list) {
            visit(record);
        }
    }
}

}  // namespace

std::filesystem::path BesideProgram(const wchar_t* name) {
    return platform::ToPath(GetAppDirectory() + name);
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

int LoadKeyData() {
    return Load(g_keyDataFile);
}
int LoadKeyDataEdit() {
    return Load(g_keyDataEditFile);
}

void LoadKeyLists() {
    LoadKeyData();
    LoadKeyDataEdit();
    const FinishJournal journal = ReadFinishJournal();
    // A list that could not be read tells nothing about the finish; the journal waits.
    const bool judged =
        journal.present && !g_keyDataFile.unreadable && !g_keyDataEditFile.unreadable;
    const bool mended = judged && MendFinishCutShort(journal);
    const bool renumbered = GiveSharedIdsNewIds();
    // When the save fails, the list in memory keeps its changes, so that nothing in this run
    // reaches another key by a shared id; the journal stays for the next start.
    const bool saved = !(mended || renumbered) || SaveKeyDataEdit(g_KeyDataEdit);
    if (judged && (saved || !mended)) {
        RemoveFinishJournal();
    }
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
    const int counter = std::min(platform::ReadProfileInt(config, L"key", L"ID", -100), -100);
    int lowest = counter;
    ForEachKey([&](const KeyDataRecord& record) { lowest = std::min<int>(lowest, record.keyId); });
    constexpr int kLowest = std::numeric_limits<int16_t>::min();
    int id = lowest - 1;
    // A damaged file can hold the lowest id of all: then the first id below the counter that
    // no key holds.
    if (id < kLowest) {
        std::set<int> used;
        ForEachKey([&](const KeyDataRecord& record) { used.insert(record.keyId); });
        for (id = counter - 1; id >= kLowest && used.contains(id); --id) {
        }
    }
    if (id < kLowest) {
        WriteLog(L"No user key id is left");
        return std::nullopt;
    }
    // An id whose counter was not stored would be handed out again by the next call.
    std::string reason;
    if (!platform::WriteProfileString(config, L"key", L"ID", platform::Format(L"%d", id),
                                      &reason)) {
        WriteLog(L"Cannot write the key id counter: " + platform::Utf8ToWide(reason));
        return std::nullopt;
    }
    return id;
}
