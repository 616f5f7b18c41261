#include "model/key_lists.h"

#include <algorithm>
#include <cstring>

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

void Upsert(KeyDataList& list, const KeyDataRecord& record) {
    auto first = std::find_if(list.begin(), list.end(), HasId(record.keyId));
    if (first != list.end()) {
        list.erase(first);
    }
    list.push_back(record);
}

}  // namespace

KeyDataRecord* FindKeyById(KeyDataRecord* buffer, int id) {
    return FindInList(g_KeyData, buffer, id);
}

KeyDataRecord* FindEditKeyById(KeyDataRecord* buffer, int id) {
    return FindInList(g_KeyDataEdit, buffer, id);
}

void UpsertKeyData(KeyDataRecord record) {
    Upsert(g_KeyData, record);
    SaveKeyData(g_KeyData);
}

void UpsertKeyDataEdit(KeyDataRecord record) {
    Upsert(g_KeyDataEdit, record);
    SaveKeyDataEdit(g_KeyDataEdit);
}

void MarkKeyDeleted(int id) {
    auto first = std::find_if(g_KeyData.begin(), g_KeyData.end(), HasId(id));
    if (first != g_KeyData.end()) {
        first->params.status = KeyStatusDeleted;
    }
    SaveKeyData(g_KeyData);
}

void RemoveKeyEdit(int id) {
    auto first = std::find_if(g_KeyDataEdit.begin(), g_KeyDataEdit.end(), HasId(id));
    if (first != g_KeyDataEdit.end()) {
        g_KeyDataEdit.erase(first);
    }
    SaveKeyDataEdit(g_KeyDataEdit);
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
