#include "model/key_files.h"

#include <algorithm>
#include <bitset>
#include <cstring>
#include <filesystem>
#include <limits>
#include <map>
#include <set>

#include "log/log.h"
#include "model/finish_journal.h"
#include "model/pending_edit.h"
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
    const RecordRead read = ReadRecordFile(path, kMaxRecordFileBytes, file.list);
    if (read != RecordRead::kRead) {
        file.unreadable = true;
        WriteLog((read == RecordRead::kTooLarge
                      ? std::wstring(file.name) + L" is larger than any key file can be"
                      : L"Cannot read " + std::wstring(file.name)) +
                 L"; it is not loaded and will not be saved over");
        return 0;
    }
    return file.list.empty() ? 0 : 1;
}

bool Save(RecordFile& file, const KeyDataList& records) {
    if (file.unreadable) {
        WriteLog(L"Not saving " + std::wstring(file.name) +
                 L": the file on disk could not be read");
        return false;
    }
    // The next start would not load it.
    if (records.size() > kMaxRecords) {
        WriteLog(L"Not saving " + std::wstring(file.name) + L": more records than key ids");
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

// A finish cut short between its two saves: the finished record the journal names is the last
// live one, and the unfinished record of its id is still the one the finish started from. That
// copy goes. True when the unfinished list changed.
bool MendFinishCutShort(const FinishJournal& journal) {
    const KeyDataRecord* last = LastLive(g_KeyData);
    if (journal.records && last != nullptr &&
        std::memcmp(last, &journal.records->finished, sizeof(KeyDataRecord)) == 0) {
        auto unfinished = std::find_if(
            g_KeyDataEdit.begin(), g_KeyDataEdit.end(),
            [id = last->keyId](const KeyDataRecord& record) { return record.keyId == id; });
        if (unfinished != g_KeyDataEdit.end() &&
            std::memcmp(&*unfinished, &journal.records->unfinished, sizeof(KeyDataRecord)) == 0) {
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
// key. Unfinished keys never reach the machine, so they are the ones to take new ids; only a
// finished key's pending edit keeps its id, as the first unfinished key of that id.
bool GiveSharedIdsNewIds() {
    // The first finished record of an id is the one that a finish of that id replaces.
    std::map<int, const KeyDataRecord*> finished;
    for (const KeyDataRecord& record : g_KeyData) {
        finished.emplace(record.keyId, &record);
    }
    std::set<int> taken;
    bool changed = false;
    for (KeyDataRecord& record : g_KeyDataEdit) {
        const auto owner = finished.find(record.keyId);
        if ((owner == finished.end() || IsPendingEditOf(record, *owner->second)) &&
            taken.insert(record.keyId).second) {
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

constexpr int kLowestId = std::numeric_limits<int16_t>::min();
constexpr int kHighestUserId = -101;

// The free user id nearest the counter: below it first, as ids are given, then above it. So
// every id that no key holds can be given, whatever the counter holds.
std::optional<int> NearestFreeId(int counter) {
    std::bitset<size_t{1} << 16> held;
    ForEachKey([&](const KeyDataRecord& record) { held.set(record.keyId - kLowestId); });
    for (int id = std::min(counter, kHighestUserId + 1) - 1; id >= kLowestId; --id) {
        if (!held[id - kLowestId]) {
            return id;
        }
    }
    for (int id = std::max(counter + 1, kLowestId); id <= kHighestUserId; ++id) {
        if (!held[id - kLowestId]) {
            return id;
        }
    }
    return std::nullopt;
}

}  // namespace

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
    // A damaged file can hold the lowest id of all.
    const std::optional<int> id =
        lowest > kLowestId ? std::optional<int>(lowest - 1) : NearestFreeId(counter);
    if (!id) {
        WriteLog(L"No user key id is left");
        return std::nullopt;
    }
    // An id whose counter was not stored would be handed out again by the next call.
    std::string reason;
    if (!platform::WriteProfileString(config, L"key", L"ID", platform::Format(L"%d", *id),
                                      &reason)) {
        WriteLog(L"Cannot write the key id counter: " + platform::Utf8ToWide(reason));
        return std::nullopt;
    }
    return id;
}
