#include "model/finish_journal.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "log/log.h"
#include "model/record_file.h"
#include "platform/fs/fs.h"
#include "platform/text/text.h"

namespace {

constexpr size_t kJournalBytes = 2 * sizeof(KeyDataRecord);

}  // namespace

void WriteFinishJournal(const FinishRecords& records) {
    // One left by a finish of another user (root), which this one may not replace, names no
    // finish that a start has not mended already.
    RemoveFinishJournal();
    const KeyDataList journal = {records.finished, records.unfinished};
    std::string reason;
    if (!platform::ReplaceFile(BesideProgram(kFinishJournalFile),
                               BesideProgram(kFinishJournalStagingFile), RecordBytes(journal),
                               &reason)) {
        WriteLog(L"Writing " + std::wstring(kFinishJournalFile) + L" failed: " +
                 platform::Utf8ToWide(reason) + L"; the key is finished without it");
    }
}

FinishJournal ReadFinishJournal() {
    const std::filesystem::path path = BesideProgram(kFinishJournalFile);
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        return {};
    }
    FinishJournal journal{.present = true, .records = std::nullopt};
    KeyDataList records;
    if (ReadRecordFile(path, kJournalBytes, records) == RecordRead::kRead && records.size() == 2) {
        journal.records = FinishRecords{records[0], records[1]};
    }
    return journal;
}

void RemoveFinishJournal() {
    const std::filesystem::path path = BesideProgram(kFinishJournalFile);
    if (::unlink(path.c_str()) == 0 || errno == ENOENT ||
        (errno == EISDIR && ::rmdir(path.c_str()) == 0)) {
        return;
    }
    WriteLog(L"Cannot delete " + std::wstring(kFinishJournalFile) + L": " +
             platform::Utf8ToWide(std::strerror(errno)));
}
