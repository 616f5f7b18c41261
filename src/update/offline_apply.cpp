#include <memory>
#include <optional>
#include <vector>

#include "log/log.h"
#include "platform/fs/fs.h"
#include "update/image_blocks.h"
#include "update/offline_file.h"
#include "update/update_session.h"

namespace {

using std::chrono::milliseconds;

constexpr size_t kFirmwarePart = 1024;

enum Code {
    kStopped = -1,  // the user or the file ended it; nothing to tell
    kNotFound = 1,
    kEnterBootModeFailed = 2,
    kSerialUnread = 3,
    kBeginProgramRefused = 7,
    kStartProgramRefused = 8,
    kProgramPartFailed = 9,
    kOtherMachine = 10,
    kEndProgramRefused = 11,
    kBeginSdRefused = 21,
};

std::wstring FailureMessage(const UpdateSession& session, int code) {
    int text = code == kNotFound              ? kTextNotFound
               : code == kEnterBootModeFailed ? kTextBootModeFailed
               : code == kSerialUnread        ? kTextDeviceUnread
                                              : kTextUpdateFailed;
    return session.Message(text, code);
}

class OfflineApply {
  public:
    explicit OfflineApply(UpdateSession& session) : m_session(session), m_link(session.machine()) {}

    // 0, kStopped or the failure code; the link left as the command found it.
    int Run(bool enterBootMode, bool leaveBootMode) {
        if (m_link.Open() != kLinkOk) {
            return kNotFound;
        }
        int code = 0;
        if (enterBootMode && m_link.EnterBootMode() != kLinkOk) {
            code = kEnterBootModeFailed;
        } else {
            code = Transfer();
        }
        bool failed = code != 0;
        bool left = (!failed && !leaveBootMode) || m_link.LeaveBootMode() == kLinkOk;
        m_link->Close();
        return failed || left ? code : kLeaveBootModeFailed;
    }

  private:
    // Everything between the boot mode's entry and its exit.
    int Transfer() {
        DeviceString serial{};
        if (m_link->ReadDeviceString(1, serial) != kLinkOk) {
            return kSerialUnread;
        }
        // The file is chosen and checked before the machine is asked to take anything.
        if (int refused = ChooseFile(serial)) {
            return refused;
        }
        if (m_link->BeginProgramWrite(1) != kLinkOk) {
            return kBeginProgramRefused;
        }
        if (m_link->StartProgramWrite() != kLinkOk) {
            return kStartProgramRefused;
        }
        m_session.RestartTextTick();
        ShowMachineText(m_link.get(), kUpdatingText);
        int code = WriteFirmware();
        if (m_link->EndProgramWrite() != kLinkOk) {
            code = kEndProgramRefused;
        }
        if (code != 0) {
            return code;
        }
        const auto& version = m_reader->header().version;
        m_link->WriteParameter(6, 2, version.data(), version.size());
        ShowMachineText(m_link.get(), kPreparingText);
        m_link->ShowProgress(1);
        if (m_link->BeginSdWrite() != kLinkOk) {
            return kBeginSdRefused;
        }
        ShowMachineText(m_link.get(), kUpdatingText);
        code = WriteImage();
        if (m_link->EndSdWrite() != kLinkOk && code == 0) {
            code = kEndSdWriteFailed;
        }
        WriteLog(L"time : " + IntToString(m_session.ElapsedSeconds()) + L" s");
        return code;
    }

    int ChooseFile(const DeviceString& machineSerial) {
        std::optional<std::wstring> path = m_session.report().ChooseOfflineFileToOpen();
        if (!path) {
            return kStopped;
        }
        m_file.reset(platform::OpenRegularFile(platform::ToPath(*path)));
        if (!m_file) {
            return kStopped;
        }
        m_reader.emplace(m_file.get());
        switch (m_reader->Open()) {
            case OfflineFileCheck::kNotOfflineFile:
                return kStopped;
            case OfflineFileCheck::kDamaged:
                return kOfflineFileDamaged;
            case OfflineFileCheck::kValid:
                break;
        }
        return SerialMatches(m_reader->header(), machineSerial) ? 0 : kOtherMachine;
    }

    int WriteFirmware() {
        uint32_t length = m_reader->header().firmwareLength;
        size_t parts = length / kFirmwarePart;
        std::vector<uint8_t> part(kFirmwarePart);
        MachinePercent percent;
        // A length that is a multiple of the part size ends with an empty part.
        for (size_t i = 0; i <= parts; ++i) {
            size_t size = std::min(length - i * kFirmwarePart, kFirmwarePart);
            std::fill(part.begin(), part.end(), uint8_t{0});
            if (!m_reader->Read(std::span(part).first(size))) {
                return kOfflineFileDamaged;
            }
            ShowTransferStep(m_session, m_link, percent, ProgressStep(0, 10, i, parts));
            if (!WriteWithRetries(m_session, L"re w f",
                                  [&] { return m_link->WriteProgramPart(part.data(), size); })) {
                return kProgramPartFailed;
            }
        }
        return 0;
    }

    int WriteImage() {
        return WriteImageBlocks(
            m_session, m_link, m_reader->ImageLength(), 10, 90,
            [this](std::span<uint8_t> block) { return m_reader->Read(block); },
            kOfflineFileDamaged);
    }

    UpdateSession& m_session;
    MachineLink m_link;
    UniqueFile m_file;
    std::optional<OfflineFileReader> m_reader;
};

}  // namespace

void ApplyOfflineUpdateFile(const UpdateJob& job) {
    UpdateSession session(job);
    session.Status(session.Message(kTextPrepare));
    int code = OfflineApply(session).Run(true, true);
    if (code == 0) {
        session.Progress(0);
        session.Status(session.ElapsedMessage(kTextUpdated));
        session.SuccessBeeps();
        return;
    }
    std::wstring message = code == kStopped ? L"" : FailureMessage(session, code);
    session.RunDown(message);
    if (code != kStopped) {
        session.Status(message);
        WriteLog(message);
        session.Wait(milliseconds(5000));
    }
}
