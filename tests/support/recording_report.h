#pragma once
// An update report that records what the dialog would show and answers what it would ask.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "update/update_procedures.h"

namespace test {

class RecordingReport final : public UpdateReport {
  public:
    void SetStatusText(const std::wstring& text) override {
        statuses.push_back(text);
        if (onStatus) {
            onStatus(text);
        }
    }
    void SetProgress(int position) override {
        positions.push_back(position);
        if (onProgress) {
            onProgress(position);
        }
    }
    int Progress() override { return positions.empty() ? 0 : positions.back(); }
    void SetVersionNotes(const std::wstring& text) override { notes = text; }
    void SetVersionList(const std::vector<std::wstring>& list) override { versions = list; }
    void ShowDeviceString(DeviceField field, const std::wstring& text) override {
        device[field] = text;
    }
    std::optional<std::wstring> ChooseOfflineFileToOpen() override { return openAnswer; }
    std::optional<std::wstring> ChooseOfflineFileToSave(const std::wstring& initial) override {
        saveAsked = initial;
        return saveAnswer;
    }
    bool Confirm(const std::wstring& question) override {
        asked = question;
        return confirmAnswer;
    }

    std::wstring Status() const { return statuses.empty() ? L"" : statuses.back(); }

    std::vector<std::wstring> statuses;
    std::vector<int> positions;
    std::wstring notes;
    std::vector<std::wstring> versions;
    std::map<DeviceField, std::wstring> device;
    std::optional<std::wstring> openAnswer, saveAnswer;
    std::wstring saveAsked, asked;
    bool confirmAnswer = true;
    std::function<void(const std::wstring&)> onStatus;
    std::function<void(int)> onProgress;
};

}  // namespace test
