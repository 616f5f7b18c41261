#pragma once
// Open and save file dialogs, as CFileDialog: filters in "Text|patterns|...||" form, a default
// extension added to a name typed without one, an initial folder and file name. Tests script the
// next answer instead of typing; the dialog may be run from a worker (it then runs on the UI
// thread).

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace afx {

enum FileDialogFlags : unsigned {
    kHideReadOnly = 1u << 0,
    kOverwritePrompt = 1u << 1,
};

struct FileFilter {
    std::wstring description;
    std::wstring patterns;  // ";" between patterns
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// "Key File(*.u)|*.u|*.*||" as pairs of description and patterns.
std::vector<FileFilter> ParseFileFilter(const std::wstring& filter);

class FileDialog {
  public:
    FileDialog(bool open, std::wstring defaultExtension, std::wstring fileName, unsigned flags,
               std::wstring filter);

    void SetTitle(std::wstring title) { request_.title = std::move(title); }
    void SetInitialFolder(std::wstring folder) { request_.initialFolder = std::move(folder); }

    // kIdOk with a chosen path, or kIdCancel.
    int DoModal(QWidget* owner = nullptr);
    const std::wstring& GetPathName() const { return path_; }

    // What a dialog was asked to show.
    struct Request {
        bool open = true;
        std::wstring title;
        std::wstring initialFolder;
        std::wstring fileName;
        std::wstring defaultExtension;
        std::vector<FileFilter> filters;
        unsigned flags = 0;
    };
    // Test seam: the next DoModal answers as if the user typed `name` and confirmed (none:
    // cancelled), without showing anything.
    static void ScriptNextAnswer(std::optional<std::wstring> name);
    static std::optional<Request> LastRequest();

  private:
    Request request_;
    std::wstring path_;
};

// The default extension is added to a name whose file part has no extension.
std::wstring WithDefaultExtension(const std::wstring& name, const std::wstring& extension);

}  // namespace afx
