#include "model/key_lists.h"

#include <algorithm>
#include <cstring>

#include "log/log.h"
#include "model/finish_journal.h"
#include "model/key_files.h"
#include "model/pending_edit.h"
#include "platform/fs/fs.h"
#include "platform/text/text.h"

KeyDataList g_KeyData;
KeyDataList g_KeyDataEdit;

namespace {

// Ids are compared widened with their sign, so an id outside 16 bits matches nothing.
auto HasId(int id) {
    return [id](const KeyDataRecord& record) { return static_cast<int>(record.keyId) == id; };
}

KeyDataRecord* FindInList(const KeyDataList& list, KeyDataRecord* buffer, int id) {
    for (const KeyDataRecord& record : list) {
        *buffer = record;
        if (HasId(id)(record)) {
            break;
        }
    }
    return buffer;
}

// A record taken out of a list, to be put back when the list cannot be saved.
struct Removed {
    std::ptrdiff_t index = -1;
    KeyDataRecord record{};
};

Removed RemoveFirst(KeyDataList& list, int id) {
    auto first = std::find_if(list.begin(), list.end(), HasId(id));
    if (first == list.end()) {
        return {};
    }
    Removed removed{first - list.begin(), *first};
    list.erase(first);
    return removed;
}

void PutBack(KeyDataList& list, const Removed& removed) {
    if (removed.index >= 0) {
        list.insert(list.begin() + removed.index, removed.record);
    }
}

// The record appended by an upsert goes, and the one it replaced returns to its place.
void TakeBackUpsert(KeyDataList& list, const Removed& replaced) {
    list.pop_back();
    PutBack(list, replaced);
}

// The record goes in place of the first with its id, at the end; replaced holds that one, so
// that a later step can take the change back.
bool Upsert(KeyDataList& list, const KeyDataRecord& record, bool (*save)(const KeyDataList&),
            Removed& replaced) {
    replaced = RemoveFirst(list, record.keyId);
    list.push_back(record);
    if (save(list)) {
        return true;
    }
    TakeBackUpsert(list, replaced);
    return false;
}

}  // namespace

KeyDataRecord* FindKeyById(KeyDataRecord* buffer, int id) {
    return FindInList(g_KeyData, buffer, id);
}

KeyDataRecord* FindEditKeyById(KeyDataRecord* buffer, int id) {
    return FindInList(g_KeyDataEdit, buffer, id);
}

bool UpsertKeyData(KeyDataRecord record) {
    Removed replaced;
    return Upsert(g_KeyData, record, SaveKeyData, replaced);
}

bool UpsertKeyDataEdit(KeyDataRecord record) {
    Removed replaced;
    return Upsert(g_KeyDataEdit, record, SaveKeyDataEdit, replaced);
}

bool FinishKeyEdit(KeyDataRecord record) {
    const auto unfinished =
        std::find_if(g_KeyDataEdit.begin(), g_KeyDataEdit.end(), HasId(record.keyId));
    const auto finished = std::find_if(g_KeyData.begin(), g_KeyData.end(), HasId(record.keyId));
    // The finished copy takes no other key's place, only that of the key it is an edit of.
    if (finished != g_KeyData.end() &&
        (unfinished == g_KeyDataEdit.end() || !IsPendingEditOf(*unfinished, *finished))) {
        WriteLog(L"Key " + std::to_wstring(record.keyId) +
                 L" is not finished: a finished key has its id");
        return false;
    }
    if (unfinished != g_KeyDataEdit.end()) {
        WriteFinishJournal({record, *unfinished});
    }
    Removed replaced;
    if (!Upsert(g_KeyData, record, SaveKeyData, replaced)) {
        RemoveFinishJournal();
        return false;
    }
    if (RemoveKeyEdit(record.keyId)) {
        RemoveFinishJournal();
        return true;
    }
    TakeBackUpsert(g_KeyData, replaced);
    if (SaveKeyData(g_KeyData)) {
        RemoveFinishJournal();
    } else {
        WriteLog(L"Key " + std::to_wstring(record.keyId) +
                 L" is left in both key files; the next start keeps it finished unless it is "
                 L"saved unfinished again first");
    }
    return false;
}

void MarkKeyDeleted(int id) {
    auto first = std::find_if(g_KeyData.begin(), g_KeyData.end(), HasId(id));
    if (first != g_KeyData.end()) {
        first->params.status = KeyStatusDeleted;
    }
    SaveKeyData(g_KeyData);
}

bool RemoveKeyEdit(int id) {
    Removed removed = RemoveFirst(g_KeyDataEdit, id);
    if (SaveKeyDataEdit(g_KeyDataEdit)) {
        return true;
    }
    PutBack(g_KeyDataEdit, removed);
    return false;
}

void WideToAnsi(const std::wstring& text, std::span<char> field) {
    if (field.empty()) {
        return;
    }
    // The text ends at its first NUL, as a NUL-terminated conversion would.
    std::wstring_view view(text);
    view = view.substr(0, view.find(L'\0'));
    std::string bytes = platform::WideToMultiByte(platform::AnsiCodePage(), view, field.size() - 1);
    std::memcpy(field.data(), bytes.data(), bytes.size());
    field[bytes.size()] = '\0';
}

std::wstring AnsiToWide(std::span<const char> field) {
    return platform::MultiByteToWide(platform::AnsiCodePage(), platform::FieldText(field));
}

std::wstring GetAppDirectory() {
    return platform::ProgramFolder();
}
