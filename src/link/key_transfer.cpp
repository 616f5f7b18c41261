// CKeyTransfer: key files through the model's exchange, and the copy of the saved key database
// onto the machine's drive in its boot mode.

#include "link/key_transfer.h"

#include <array>
#include <cstring>
#include <filesystem>

#include "link/machine_files.h"
#include "model/key_files.h"
#include "platform/fs/fs.h"
#include "platform/text/text.h"

namespace {

// Sends files in order. A file the machine refuses is skipped and counted; a machine that
// stops answering, or a link that is closed, ends the run, since every further command would
// only wait out its time-out.
class FileSender {
  public:
    explicit FileSender(CUsbComm& link) : m_link(link) {}

    void Send(const MachineFile& file) {
        if (m_stopped) {
            return;
        }
        std::string path = platform::WideToMultiByte(platform::AnsiCodePage(), file.path);
        if (!Step(m_link.OpenMachineFile(path.data(), path.size()))) {
            return;
        }
        bool written = Step(m_link.BeginFileWrite());
        for (size_t i = 0; written && i < file.pieces.size(); ++i) {
            written = Step(SendPiece(file.write, file.pieces[i]));
        }
        // Closed even after a refusal, so that the machine lets go of the file.
        if (!m_stopped) {
            Step(m_link.CloseMachineFile());
        }
    }

    int failures() const { return m_failures; }

  private:
    bool Step(LinkResult result) {
        if (result == kLinkOk) {
            return true;
        }
        ++m_failures;
        m_stopped = result == kLinkNotOpen || m_link.ReplyMissing();
        return false;
    }

    template <size_t N>
    static std::array<uint32_t, N> Words(const std::vector<uint8_t>& piece) {
        std::array<uint32_t, N> words{};
        std::memcpy(words.data(), piece.data(), std::min(piece.size(), sizeof(words)));
        return words;
    }

    LinkResult SendPiece(MachineWrite write, const std::vector<uint8_t>& piece) {
        switch (write) {
            case MachineWrite::BlankEntry:
                return m_link.WriteBlankEntry(Words<6>(piece));
            case MachineWrite::HeadEntry:
                return m_link.WriteHeadEntry(Words<9>(piece));
            case MachineWrite::FileData:
                break;
        }
        return m_link.WriteFileData(piece.data(), piece.size());
    }

    CUsbComm& m_link;
    bool m_stopped = false;
    int m_failures = 0;
};

}  // namespace

int CKeyTransfer::ExportKeyData(const std::wstring& path) {
    return ExportFinishedKeys(path) ? 1 : 0;
}

ImportOutcome CKeyTransfer::ImportKeyFile(const std::wstring& path) {
    return ImportFinishedKeys(path);
}

bool CKeyTransfer::Connect() {
    return OpenLink() > 0;
}

int CKeyTransfer::OpenLink() {
    m_link = std::make_unique<CUsbComm>();
    if (m_link->HwOpen() != kLinkOk || m_link->EnterBios() != kLinkOk) {
        // A link left open would keep the next synchronisation from finding the machine.
        m_link.reset();
        return 0;
    }
    return 1;
}

bool CKeyTransfer::WriteKeyDataToMachine() {
    if (!m_link) {
        return false;
    }
    std::filesystem::path database = platform::ToPath(GetAppDirectory() + kKeyDataFile);
    KeyDataList records;
    // A database that is there but cannot be read, or is larger than any key file can be, is no
    // empty one: nothing of it was copied.
    const bool read = ReadRecordFile(database, kMaxRecordFileBytes, records) == RecordRead::kRead;
    std::error_code error;
    int failures = !read && std::filesystem::exists(database, error) ? 1 : 0;
    if (!records.empty()) {
        FileSender sender(*m_link);
        for (const MachineFile& file : BuildMachineFiles(records)) {
            sender.Send(file);
        }
        failures = sender.failures();
    }
    bool left = m_link->ExitBios() == kLinkOk;
    m_link->Close();
    m_link.reset();
    return left && failures == 0;
}
