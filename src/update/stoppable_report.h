#pragma once
// The dialog's report as a command that may be stopped sees it: every call passes until stop is
// requested and none after, so that a dialog closed under the command hears no more of it.

#include <stop_token>
#include <utility>

#include "update/update_report.h"

class StoppableReport final : public UpdateReport {
  public:
    StoppableReport(UpdateReport* report, std::stop_token stop)
        : m_report(report), m_stop(std::move(stop)) {}

    void SetStatusText(const std::wstring& text) override;
    void SetProgress(int position) override;
    int Progress() override;
    void SetVersionNotes(const std::wstring& notes) override;
    void SetVersionList(const std::vector<std::wstring>& versions) override;
    void ShowDeviceString(DeviceField field, const std::wstring& text) override;
    // A stopped command is answered as if the user had cancelled.
    std::optional<std::wstring> ChooseOfflineFileToOpen() override;
    std::optional<std::wstring> ChooseOfflineFileToSave(const std::wstring& initialName) override;
    bool Confirm(const std::wstring& question) override;

  private:
    bool Passes() const { return !m_stop.stop_requested(); }

    UpdateReport* m_report;
    std::stop_token m_stop;
};
