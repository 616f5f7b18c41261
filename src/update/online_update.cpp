#include "update/online_update.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "log/log.h"
#include "platform/fs/fs.h"
#include "update/image_blocks.h"
#include "update/image_download.h"

namespace {

using std::chrono::milliseconds;

constexpr size_t kMaxFirmwarePart = 1024;
// Record 0 names the version just written only when it is this short.
constexpr size_t kVersionRecordLimit = 10;
constexpr size_t kVersionBytes = 5;

enum Code {
    kNotFound = 1,
    kEnterBootModeFailed = 2,
    kSerialUnread = 3,
    kVersionUnread = 4,
    kFirmwareNoRecord = 5,
    kFirmwareUnusable = 6,
    kBeginProgramRefused = 7,
    kStartProgramRefused = 8,
    kProgramPartFailed = 9,
    kEndProgramRefused = 10,
    kBeginSdRefused = 21,
};

bool InRange(int from, int to) {
    return from < to && to <= 100;
}

// Every part must fit the machine's buffer before the first one is written.
bool FirmwareUsable(const CServerComm& server) {
    for (int i = 1; i < server.ReplyCount(); ++i) {
        if (server.ReplyRecord(i).size() > kMaxFirmwarePart) {
            return false;
        }
    }
    return true;
}

std::vector<uint8_t> SelectedVersion(const UpdateSession& session) {
    return AnsiItem(session.job().selectedVersion, kVersionBytes);
}

// The machine's serial number and software version; 0 or the failure code.
int ReadIdentity(MachineLink& link, DeviceString& serial, DeviceString& version) {
    if (link->ReadDeviceString(1, serial) != kLinkOk) {
        return kSerialUnread;
    }
    return link->ReadDeviceString(6, version) == kLinkOk ? 0 : kVersionUnread;
}

// The firmware request's identity items and the exchange; 0 or the failure code.
int AskFirmware(UpdateSession& session, MachineLink& link, CServerComm& server) {
    DeviceString serial{};
    DeviceString version{};
    if (int code = ReadIdentity(link, serial, version)) {
        return code;
    }
    AddItems(
        session.machine(), server,
        {DeviceItem(serial, 10), DeviceItem(version, kVersionBytes), SelectedVersion(session)});
    session.Status(session.Message(kTextServer));
    Transact(session.machine(), server);
    if (server.ReplyCount() < 1) {
        return kFirmwareNoRecord;
    }
    if (server.ReplyCount() == 1 || !FirmwareUsable(server)) {
        return kFirmwareUnusable;
    }
    session.Status(session.Message(kTextPrepare));
    return 0;
}

int WriteFirmwareParts(UpdateSession& session, MachineLink& link, const CServerComm& server,
                       int from, int to) {
    session.RestartTextTick();
    if (link->BeginProgramWrite(1) != kLinkOk) {
        return kBeginProgramRefused;
    }
    if (link->StartProgramWrite() != kLinkOk) {
        return kStartProgramRefused;
    }
    ShowMachineText(link.get(), kUpdatingText);
    MachinePercent percent;
    int code = 0;
    auto count = static_cast<size_t>(server.ReplyCount());
    for (size_t i = 1; i < count; ++i) {
        ShowTransferStep(session, link, percent, ProgressStep(from, to - from, i, count));
        auto part = server.ReplyRecord(static_cast<int>(i));
        if (!WriteWithRetries(session, L"re w f",
                              [&] { return link->WriteProgramPart(part.data(), part.size()); })) {
            code = kProgramPartFailed;
            break;
        }
    }
    if (link->EndProgramWrite() != kLinkOk) {
        code = kEndProgramRefused;
    }
    return code;
}

// The machine leaves its boot mode when asked to or after a failure; not leaving it spoils
// a success. 0, or the code for not leaving it.
int LeaveBootMode(MachineLink& link, bool failed, bool leave) {
    if (!failed && !leave) {
        return 0;
    }
    return link.LeaveBootMode() == kLinkOk || failed ? 0 : kLeaveBootModeFailed;
}

void ShowPreparing(MachineLink& link) {
    ShowMachineText(link.get(), kPreparingText);
    link->ShowProgress(1);
}

}  // namespace

std::vector<uint8_t> DeviceItem(const DeviceString& text, size_t size) {
    return {text.begin(), text.begin() + static_cast<std::ptrdiff_t>(size)};
}

std::wstring UpdateFailureMessage(const UpdateSession& session, int code) {
    int text = kTextUpdateFailed;
    if (code == kNotFound) {
        text = kTextNotFound;
    } else if (code == kEnterBootModeFailed) {
        text = kTextBootModeFailed;
    } else if (code == kSerialUnread || code == kVersionUnread) {
        text = kTextDeviceUnread;
    } else if ((code >= 5 && code <= 6) || (code >= 11 && code <= 13) || code == 22 || code == 23) {
        text = 14;
    }
    return session.Message(text, code);
}

bool WriteFirmware(UpdateSession& session, int from, int to, bool enterBootMode,
                   bool leaveBootMode) {
    if (!InRange(from, to)) {
        return false;
    }
    MachineLink link(session.machine());
    CServerComm server(0);
    int code = 0;
    if (link.Open() != kLinkOk) {
        code = kNotFound;
    } else {
        AddItems(session.machine(), server,
                 {RequestHead(session.machine(), kOperationFirmware),
                  LanguageItem(session.job().languageIndex)});
        if (enterBootMode && link.EnterBootMode() != kLinkOk) {
            code = kEnterBootModeFailed;
        } else {
            ShowPreparing(link);
            code = AskFirmware(session, link, server);
        }
    }
    if (code == 0) {
        code = WriteFirmwareParts(session, link, server, from, to);
    }
    if (code == 0) {
        auto head = server.ReplyRecord(0);
        if (head.size() < kVersionRecordLimit && head.size() > kVersionBytes) {
            link->WriteParameter(6, 2, head.data() + 1, kVersionBytes);
        }
    }
    if (code != kNotFound) {
        int left = LeaveBootMode(link, code != 0, leaveBootMode);
        code = code != 0 ? code : left;
    }
    link->Close();
    if (code != 0) {
        session.Status(UpdateFailureMessage(session, code));
        session.Wait(milliseconds(5000));
        return false;
    }
    return true;
}

bool WriteSdData(UpdateSession& session, int from, int to, bool enterBootMode, bool leaveBootMode) {
    if (!InRange(from, to)) {
        return false;
    }
    MachineLink link(session.machine());
    CServerComm server(0);
    int code = 0;
    std::optional<std::wstring> downloadFailure;
    UniqueFile image;
    size_t length = 0;
    if (link.Open() != kLinkOk) {
        code = kNotFound;
    } else if (enterBootMode) {
        if (link.EnterBootMode() != kLinkOk) {
            code = kEnterBootModeFailed;
        } else {
            session.Wait(milliseconds(1000));
            ShowPreparing(link);
        }
    }
    DeviceString serial{};
    DeviceString version{};
    if (code == 0) {
        code = ReadIdentity(link, serial, version);
    }
    if (code == 0) {
        session.RestartTextTick();
        downloadFailure = DownloadSdData(
            session, server,
            {DeviceItem(serial, 10), DeviceItem(version, kVersionBytes), SelectedVersion(session)});
    }
    if (code == 0 && !downloadFailure) {
        auto path = platform::ToPath(WorkFile(session.job(), L"sdcard.bin"));
        std::error_code error;
        length = static_cast<size_t>(std::filesystem::file_size(path, error));
        image.reset(error ? nullptr : std::fopen(path.c_str(), "rb"));
        code = image ? 0 : kWorkFileFailed;
    }
    if (code != kNotFound) {
        ShowPreparing(link);
    }
    if (code == 0 && !downloadFailure) {
        if (link->BeginSdWrite() != kLinkOk) {
            code = kBeginSdRefused;
        } else {
            ShowMachineText(link.get(), kUpdatingText);
            code = WriteImageBlocks(
                session, link, length, 30, 70,
                [&](std::span<uint8_t> block) {
                    return std::fread(block.data(), 1, block.size(), image.get()) == block.size();
                },
                kWorkFileFailed);
            // A refused end leaves the image uncommitted on the machine.
            if (link->EndSdWrite() != kLinkOk && code == 0) {
                code = kEndSdWriteFailed;
            }
            WriteLog(L"time : " + IntToString(session.ElapsedSeconds()) + L" s");
        }
    }
    if (code != kNotFound) {
        int left = LeaveBootMode(link, code != 0 || downloadFailure, leaveBootMode);
        code = code != 0 || downloadFailure ? code : left;
    }
    bool failed = code != 0 || downloadFailure;
    std::wstring message = downloadFailure ? *downloadFailure : UpdateFailureMessage(session, code);
    if (!failed) {
        session.Progress(0);
        session.Status(session.ElapsedMessage(kTextUpdated));
        session.SuccessBeeps();
    } else {
        session.RunDown(message);
    }
    link->Close();
    if (!failed) {
        return true;
    }
    session.Status(message);
    if (!downloadFailure) {
        WriteLog(message);
    }
    session.Wait(milliseconds(3000));
    return false;
}
