#include "model/finish_journal.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "log/log.h"
#include "model/key_files.h"
#include "platform/fs/fs.h"
#include "platform/text/text.h"

bool WriteFinishJournal(const KeyDataRecord& finished) {
    // One left by a finish of another user (root), which this one may not replace, names no
    // finish that a start has not mended already.
    RemoveFinishJournal();
    std::string reason;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&finished);
    if (platform::ReplaceFile(BesideProgram(kFinishJournalFile),
                              BesideProgram(kFinishJournalStagingFile), {bytes, sizeof finished},
                              &reason)) {
        return true;
    }
    WriteLog(L"Writing " + std::wstring(kFinishJournalFile) + L" failed: " +
             platform::Utf8ToWide(reason));
    return false;
}

FinishJournal ReadFinishJournal() {
    const std::filesystem::path path = BesideProgram(kFinishJournalFile);
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        return {};
    }
    FinishJournal journal{.present = true, .record = std::nullopt};
    const auto bytes = platform::ReadWholeFile(path);
    if (bytes && bytes->size() == sizeof(KeyDataRecord)) {
        journal.record = ParseRecords(*bytes).front();
    }
    return journal;
}

void RemoveFinishJournal() {
    const std::filesystem::path path = BesideProgram(kFinishJournalFile);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        WriteLog(L"Cannot delete " + std::wstring(kFinishJournalFile) + L": " +
                 platform::Utf8ToWide(std::strerror(errno)));
    }
}
