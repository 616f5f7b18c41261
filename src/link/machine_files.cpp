#include "link/machine_files.h"

#include <cstring>
#include <map>
#include <utility>

#include "log/log.h"
#include "platform/text/text.h"

namespace {

constexpr const wchar_t* kDrive = L"2:\\";
constexpr const wchar_t* kKeyFolder = L"KeyDataU";
constexpr const wchar_t* kBlankFile = L"headU.bin";
constexpr const wchar_t* kModelFolder = L"CarManufactor2U";
constexpr const wchar_t* kHeadFile = L"KeyBlankDataU.bin";
constexpr size_t kHeadEntrySize = 36;
constexpr size_t kHeadNameSize = 16;
constexpr size_t kHeadIdOffset = 16;

template <typename T>
std::vector<uint8_t> BytesOf(const T& value) {
    const auto* begin = reinterpret_cast<const uint8_t*>(&value);
    return {begin, begin + sizeof(T)};
}

// The 36-byte head entry: the key's name (none for a deleted key) and its id.
std::vector<uint8_t> HeadEntry(const KeyDataRecord& record) {
    std::vector<uint8_t> entry(kHeadEntrySize, 0);
    if (record.params.status != KeyStatusDeleted) {
        std::memcpy(entry.data(), record.keyName, kHeadNameSize);
    }
    std::memcpy(entry.data() + kHeadIdOffset, &record.keyId, sizeof(record.keyId));
    return entry;
}

// A name becomes a folder or file name on the machine's drive.
bool UsableName(const std::wstring& name) {
    if (name.empty() || name == L"." || name == L"..") {
        return false;
    }
    for (wchar_t c : name) {
        // U+FFFD stands for bytes that form no character; they would reach the drive as '?'.
        if (c < 0x20 || c == 0x7F || c == 0xFFFD || std::wcschr(L"\\/:*?\"<>|", c) != nullptr) {
            return false;
        }
    }
    return true;
}

std::vector<std::vector<uint8_t>> TextPieces(const std::string& text) {
    std::vector<std::vector<uint8_t>> pieces;
    for (size_t at = 0; at < text.size(); at += kMaxFileDataPiece) {
        size_t end = std::min(text.size(), at + kMaxFileDataPiece);
        pieces.emplace_back(text.begin() + static_cast<ptrdiff_t>(at),
                            text.begin() + static_cast<ptrdiff_t>(end));
    }
    return pieces;
}

struct ModelList {
    std::wstring maker;
    std::wstring model;
    std::wstring text = L"[*]\r\n";
};

}  // namespace

std::vector<MachineFile> BuildMachineFiles(const KeyDataList& records) {
    std::vector<MachineFile> files;
    MachineFile blanks{std::wstring(kDrive) + kBlankFile, MachineWrite::BlankEntry, {}};
    MachineFile heads{std::wstring(kDrive) + kHeadFile,
                      MachineWrite::HeadEntry,
                      {std::vector<uint8_t>(kHeadEntrySize, 0)}};
    std::vector<ModelList> lists;  // in first-seen order
    std::map<std::pair<std::wstring, std::wstring>, size_t> listIndex;

    for (size_t i = 0; i < records.size(); ++i) {
        const KeyDataRecord& record = records[i];
        files.push_back({std::wstring(kDrive) + kKeyFolder + L"\\" +
                             platform::Format(L"%05d", static_cast<int>(record.keyId)),
                         MachineWrite::FileData,
                         {BytesOf(record.params)}});

        std::wstring maker = AnsiToWide(record.makerName);
        std::wstring model = AnsiToWide(record.modelName);
        auto [found, added] = listIndex.try_emplace({maker, model}, lists.size());
        if (added) {
            lists.push_back({maker, model});
        }
        int keyNumber = -1 - static_cast<int>(i);
        lists[found->second].text +=
            record.params.status != KeyStatusDeleted
                ? platform::Format(L"%d=%d;\r\n", keyNumber, static_cast<int>(record.keyId))
                : platform::Format(L"%d=;\r\n", keyNumber);

        if (record.blankCount == 1 || record.blankCount == 2) {
            for (int b = 0; b < record.blankCount; ++b) {
                blanks.pieces.push_back(BytesOf(record.blanks[b]));
            }
        }
        heads.pieces.push_back(HeadEntry(record));
    }

    if (!blanks.pieces.empty()) {
        files.push_back(std::move(blanks));
    }
    for (const ModelList& list : lists) {
        if (!UsableName(list.maker) || !UsableName(list.model)) {
            WriteLog(L"Model list not sent, unusable name: " + list.maker + L" / " + list.model);
            continue;
        }
        std::string text = platform::WideToMultiByte(platform::AnsiCodePage(), list.text);
        files.push_back({std::wstring(kDrive) + kModelFolder + L"\\" + list.maker + L"\\" +
                             list.model + L".ini",
                         MachineWrite::FileData, TextPieces(text)});
    }
    files.push_back(std::move(heads));
    return files;
}
