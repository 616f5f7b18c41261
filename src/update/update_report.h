#pragma once
// What an update procedure tells the update dialog, and what it asks of the user. The
// procedures run on a worker thread; the dialog's implementation carries each call over to the
// UI thread and waits for it, so a call returns only once the dialog has done it.
//
// Locking is not here: the dialog disables its buttons on the UI thread before it starts a
// worker and enables them again when the worker has returned.

#include <optional>
#include <string>
#include <vector>

enum class DeviceField {
    kSerialNumber,     // static 1088, device string 1
    kSoftwareVersion,  // static 1089, device string 6
};

class UpdateReport {
  public:
    virtual ~UpdateReport() = default;

    // The status line; the text is shown as it is (already formatted, possibly empty).
    virtual void SetStatusText(const std::wstring& text) = 0;
    // The progress bar, whose range is 0 to 100.
    virtual void SetProgress(int position) = 0;
    virtual int Progress() = 0;

    // The version refresh: the notes box and the version list (emptied, then filled in this
    // order, the first entry selected when there is one).
    virtual void SetVersionNotes(const std::wstring& notes) = 0;
    virtual void SetVersionList(const std::vector<std::wstring>& versions) = 0;

    // The device information statics; each keeps its text until it is set again.
    virtual void ShowDeviceString(DeviceField field, const std::wstring& text) = 0;

    // The user's answers, asked while the worker waits. Files: the path chosen, or nullopt
    // when the dialog was cancelled.
    virtual std::optional<std::wstring> ChooseOfflineFileToOpen() = 0;
    virtual std::optional<std::wstring> ChooseOfflineFileToSave(
        const std::wstring& initialName) = 0;
    // A yes/no question; true for yes.
    virtual bool Confirm(const std::wstring& question) = 0;
};
