#pragma once
// What every update command shares while it runs: its start tick, the elapsed-time texts, the
// failure messages, the progress run-down, the percent on the machine's display and the
// success beeps.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "link/usb_comm.h"
#include "platform/text/text.h"
#include "update/stoppable_report.h"
#include "update/update_procedures.h"

// Failure codes added to those the commands always had: every one is shown with update
// text 18, or update text 7 while a file is created.
inline constexpr int kEndSdWriteFailed = 25;
inline constexpr int kLeaveBootModeFailed = 26;
inline constexpr int kWorkFileFailed = 27;
inline constexpr int kOfflineFileDamaged = 28;

// The update texts the commands show, by number.
enum UpdateTextNumber : int {
    kTextGettingVersions = 1,
    kTextPrepare = 2,
    kTextPrepareCreate = 3,
    kTextUpdated = 4,
    kTextCreated = 5,
    kTextCancelled = 6,
    kTextCreateFailed = 7,
    kTextRepairedIn = 8,
    kTextRepairFailedIn = 9,
    kTextNotFound = 10,
    kTextBootModeFailed = 11,
    kTextDeviceUnread = 12,
    kTextServer = 13,
    kTextServerFailed = 14,
    kTextCreating = 15,
    kTextDownloading = 16,
    kTextUpdating = 17,
    kTextUpdateFailed = 18,
    kTextGettingDeviceInfo = 19,
    kTextRepaired = 20,
    kTextRepairFailed = 21,
    kTextSettingClamp = 22,
    kTextClampSet = 23,
    kTextClampFailed = 24,
    kTextDeviceInfoRead = 41,
    kTextDeviceInfoFailed = 42,
};

class UpdateSession {
  public:
    explicit UpdateSession(const UpdateJob& job);
    UpdateSession(const UpdateSession&) = delete;
    UpdateSession& operator=(const UpdateSession&) = delete;

    // The job with the report that falls silent once the job is stopped.
    const UpdateJob& job() const { return m_job; }
    const MachineVariant& machine() const { return *m_job.machine; }
    UpdateReport& report() const { return *m_job.report; }
    bool Stopped() const { return m_job.stop.stop_requested(); }

    // Update text `number` formatted with args; a text that does not take them stays as it is.
    template <typename... Args>
    std::wstring Message(int number, const Args&... args) const {
        const std::wstring& text = m_job.texts[static_cast<size_t>(number - 1)];
        try {
            return platform::Format(text, args...);
        } catch (const fmt::format_error&) {
            return text;
        }
    }
    // Update text `number` with the minutes and seconds since the start.
    std::wstring ElapsedMessage(int number) const;
    int ElapsedSeconds() const;

    void Status(const std::wstring& text) const { report().SetStatusText(text); }
    void Progress(int position) const { report().SetProgress(position); }
    // The elapsed-time text, at most once a second.
    void ShowElapsed(int number);
    void RestartTextTick();
    // After a failure: the bar runs down to 0, the message shown at every step.
    void RunDown(const std::wstring& message) const;
    // Ends early when the job is stopped.
    void Wait(std::chrono::milliseconds duration) const;
    void SuccessBeeps() const;

  private:
    using TimePoint = std::chrono::steady_clock::time_point;

    StoppableReport m_report;
    UpdateJob m_job;
    TimePoint m_start;
    TimePoint m_textTick;
};

// The percent shown on the machine: sent once per change and never 0.
class MachinePercent {
  public:
    void Show(CUsbComm& link, int percent);
    void Reset() { m_last = 1; }

  private:
    int m_last = 1;
};

// A write tried once and retried up to 5 times, a second apart, each retry logged as
// prefix + " 1" to prefix + " 5".
bool WriteWithRetries(const UpdateSession& session, const wchar_t* prefix,
                      const std::function<LinkResult()>& write);

// The command's own link, reached the variant's way; the link closes itself when it goes.
class MachineLink {
  public:
    explicit MachineLink(const MachineVariant& machine)
        : m_machine(machine), m_link(machine.linkRate) {}
    MachineLink(const MachineLink&) = delete;
    MachineLink& operator=(const MachineLink&) = delete;

    LinkResult Open() { return (m_link.*m_machine.open)(); }
    LinkResult EnterBootMode() { return (m_link.*m_machine.enterBootMode)(); }
    LinkResult LeaveBootMode() { return (m_link.*m_machine.leaveBootMode)(); }
    LinkResult WriteSdBlock(const uint8_t* data, uint32_t byteOffset, size_t length) {
        return (m_link.*m_machine.writeSdBlock)(data, byteOffset, length);
    }
    CUsbComm* operator->() { return &m_link; }
    CUsbComm& get() { return m_link; }

  private:
    const MachineVariant& m_machine;
    CUsbComm m_link;
};

// Position `index` of `count` steps within from..to; a count of 0 counts as 1.
int ProgressStep(int from, int span, size_t index, size_t count);

// The first `size` bytes of text in the ANSI code page, zero-filled.
std::vector<uint8_t> AnsiItem(const std::wstring& text, size_t size);
// A NUL-terminated text within a record, in the ANSI code page.
std::wstring RecordText(std::span<const uint8_t> record);
std::vector<uint8_t> WordItem(uint32_t value);
std::vector<uint8_t> RequestHead(const MachineVariant& machine, uint8_t operation);
std::vector<uint8_t> LanguageItem(int languageIndex);
// Items added and the exchange made with the variant's method set.
void AddItems(const MachineVariant& machine, CServerComm& server,
              std::initializer_list<std::vector<uint8_t>> items);
void Transact(const MachineVariant& machine, CServerComm& server);

// The machine's texts, sent with their terminator.
void ShowMachineText(CUsbComm& link, std::string_view text);
inline constexpr std::string_view kPreparingText = "Preparing to update ...";
inline constexpr std::string_view kUpdatingText = "Updating ...";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// The path of a file in the job's work folder; empty, a path no file operation accepts, when the
// job has no work folder.
std::wstring WorkFile(const UpdateJob& job, const wchar_t* name);
