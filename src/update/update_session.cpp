#include "update/update_session.h"

#include <algorithm>

#include "log/log.h"
#include "platform/clock/clock.h"
#include "platform/sound/sound.h"

namespace {

using std::chrono::milliseconds;

platform::Clock& Time() {
    return platform::CurrentClock();
}

}  // namespace

UpdateSession::UpdateSession(const UpdateJob& job)
    : m_report(job.report, job.stop), m_job(job), m_start(Time().Now()), m_textTick(m_start) {
    m_job.report = &m_report;
}

int UpdateSession::ElapsedSeconds() const {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::seconds>(Time().Now() - m_start).count());
}

std::wstring UpdateSession::ElapsedMessage(int number) const {
    int seconds = ElapsedSeconds();
    return Message(number, seconds / 60, seconds % 60);
}

void UpdateSession::ShowElapsed(int number) {
    auto now = Time().Now();
    if (now - m_textTick > milliseconds(1000)) {
        Status(ElapsedMessage(number));
        m_textTick = now;
    }
}

void UpdateSession::RestartTextTick() {
    m_textTick = Time().Now();
}

void UpdateSession::RunDown(const std::wstring& message) const {
    for (int position = report().Progress(); position >= 0; --position) {
        Wait(milliseconds(5));
        Progress(position);
        Status(message);
    }
}

void UpdateSession::Wait(milliseconds duration) const {
    Time().StoppableSleep(duration, m_job.stop);
}

void UpdateSession::SuccessBeeps() const {
    platform::Beep(600, 200);
    Wait(milliseconds(200));
    platform::Beep(600, 200);
}

bool WriteWithRetries(const UpdateSession& session, const wchar_t* prefix,
                      const std::function<LinkResult()>& write) {
    if (write() == kLinkOk) {
        return true;
    }
    for (int retry = 1; retry <= 5; ++retry) {
        session.Wait(milliseconds(1000));
        WriteLog(std::wstring(prefix) + L" " + IntToString(retry));
        if (write() == kLinkOk) {
            return true;
        }
    }
    return false;
}

void MachinePercent::Show(CUsbComm& link, int percent) {
    if (percent != m_last && percent != 0) {
        link.ShowProgress(static_cast<uint32_t>(percent));
        m_last = percent;
    }
}

int ProgressStep(int from, int span, size_t index, size_t count) {
    return from + static_cast<int>(static_cast<size_t>(span) * index / std::max<size_t>(count, 1));
}

std::vector<uint8_t> AnsiItem(const std::wstring& text, size_t size) {
    std::string bytes = platform::WideToMultiByte(platform::AnsiCodePage(), text, size);
    std::vector<uint8_t> item(size, 0);
    std::copy(bytes.begin(), bytes.end(), item.begin());
    return item;
}

std::wstring RecordText(std::span<const uint8_t> record) {
    auto end = std::find(record.begin(), record.end(), uint8_t{0});
    std::string_view text(reinterpret_cast<const char*>(record.data()),
                          static_cast<size_t>(end - record.begin()));
    return platform::MultiByteToWide(platform::AnsiCodePage(), text);
}

std::vector<uint8_t> WordItem(uint32_t value) {
    std::vector<uint8_t> item(4);
    PutU32(std::span<uint8_t, 4>(item.data(), 4), value);
    return item;
}

std::vector<uint8_t> RequestHead(const MachineVariant& machine, uint8_t operation) {
    auto bytes = ServerRequestHead{machine.product, 0x01, operation}.Bytes();
    return {bytes.begin(), bytes.end()};
}

std::vector<uint8_t> LanguageItem(int languageIndex) {
    std::vector<uint8_t> item(2);
    CServerComm::LanguageCode(languageIndex, std::span<uint8_t, 2>(item.data(), 2));
    return item;
}

void AddItems(const MachineVariant& machine, CServerComm& server,
              std::initializer_list<std::vector<uint8_t>> items) {
    for (const auto& item : items) {
        (server.*machine.addParam)(item);
    }
}

void Transact(const MachineVariant& machine, CServerComm& server) {
    (server.*machine.transact)();
}

void ShowMachineText(CUsbComm& link, std::string_view text) {
    // The terminator goes with the text.
    link.ShowText(text.data(), text.size() + 1);
}

std::wstring WorkFile(const UpdateJob& job, const wchar_t* name) {
    // Without a folder the name would land at the root.
    if (job.workFolder.empty()) {
        return L"";
    }
    return job.workFolder + L"/" + name;
}
