#include "update/stoppable_report.h"

void StoppableReport::SetStatusText(const std::wstring& text) {
    if (Passes()) {
        m_report->SetStatusText(text);
    }
}

void StoppableReport::SetProgress(int position) {
    if (Passes()) {
        m_report->SetProgress(position);
    }
}

int StoppableReport::Progress() {
    return Passes() ? m_report->Progress() : 0;
}

void StoppableReport::SetVersionNotes(const std::wstring& notes) {
    if (Passes()) {
        m_report->SetVersionNotes(notes);
    }
}

void StoppableReport::SetVersionList(const std::vector<std::wstring>& versions) {
    if (Passes()) {
        m_report->SetVersionList(versions);
    }
}

void StoppableReport::ShowDeviceString(DeviceField field, const std::wstring& text) {
    if (Passes()) {
        m_report->ShowDeviceString(field, text);
    }
}

std::optional<std::wstring> StoppableReport::ChooseOfflineFileToOpen() {
    return Passes() ? m_report->ChooseOfflineFileToOpen() : std::nullopt;
}

std::optional<std::wstring> StoppableReport::ChooseOfflineFileToSave(
    const std::wstring& initialName) {
    return Passes() ? m_report->ChooseOfflineFileToSave(initialName) : std::nullopt;
}

bool StoppableReport::Confirm(const std::wstring& question) {
    return Passes() && m_report->Confirm(question);
}
