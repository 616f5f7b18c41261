#include "model/key_lists.h"

#include <algorithm>
#include <cstring>

#include "log/log.h"
#include "model/finish_journal.h"
#include "model/key_files.h"
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

bool Upsert(KeyDataList& list, const KeyDataRecord& record, bool (*save)(const KeyDataList&)) {
    Removed removed = RemoveFirst(list, record.keyId);
    list.push_back(record);
    if (save(list)) {
        return true;
    }
    list.pop_back();
    PutBack(list, removed);
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
    return Upsert(g_KeyData, record, SaveKeyData);
}

bool UpsertKeyDataEdit(KeyDataRecord record) {
    return Upsert(g_KeyDataEdit, record, SaveKeyDataEdit);
}

bool FinishKeyEdit(KeyDataRecord record) {
    // The finished copy is appended, never put in another key's place.
    if (std::any_of(g_KeyData.begin(), g_KeyData.end(), HasId(record.keyId))) {
        WriteLog(L"Key " + std::to_wstring(record.keyId) +
                 L" is not finished: a finished key has its id");
        return false;
    }
    if (!WriteFinishJournal(record)) {
        return false;
    }
    if (!UpsertKeyData(record)) {
        RemoveFinishJournal();
        return false;
    }
    if (RemoveKeyEdit(record.keyId)) {
        RemoveFinishJournal();
        return true;
    }
    g_KeyData.pop_back();
    if (SaveKeyData(g_KeyData)) {
        RemoveFinishJournal();
    } else {
        WriteLog(L"Key " + std::to_wstring(record.keyId) +
                 L" is left in both key files; the next start keeps it finished");
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
