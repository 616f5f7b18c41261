#include "platform/afx/file_dialog.h"

#include <QFileDialog>
#include <QStringList>
#include <mutex>

#include "platform/afx/dialog_template.h"
#include "platform/afx/qt_text.h"
#include "platform/afx/ui_thread.h"

namespace afx {
namespace {

std::mutex g_scriptMutex;
std::optional<std::optional<std::wstring>> g_nextAnswer;
std::optional<FileDialog::Request> g_lastRequest;

QString QtFilter(const FileFilter& filter) {
    QString patterns = ToQString(filter.patterns.empty() ? L"*" : filter.patterns);
    patterns.replace(u';', u' ');
    QString description = ToQString(filter.description);
    // Qt reads the patterns from the description's closing parentheses.
    if (description.endsWith(u'(' + patterns + u')')) {
        return description;
    }
    return description + QStringLiteral(" (") + patterns + u')';
}

std::optional<std::wstring> RunQtDialog(const FileDialog::Request& request, QWidget* owner) {
    QFileDialog dialog(owner, ToQString(request.title), ToQString(request.initialFolder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.flags & kOverwritePrompt));
    dialog.setDefaultSuffix(ToQString(request.defaultExtension));
    QStringList filters;
    for (const auto& filter : request.filters) {
        filters << QtFilter(filter);
    }
    dialog.setNameFilters(filters);
    if (!request.fileName.empty()) {
        dialog.selectFile(ToQString(request.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return FromQString(dialog.selectedFiles().front());
}

}  // namespace

std::vector<FileFilter> ParseFileFilter(const std::wstring& filter) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t bar = filter.find(L'|'); bar != std::wstring::npos;
         start = bar + 1, bar = filter.find(L'|', start)) {
        parts.push_back(filter.substr(start, bar - start));
    }
    if (start < filter.size()) {
        parts.push_back(filter.substr(start));
    }
    std::vector<FileFilter> filters;
    for (size_t i = 0; i < parts.size() && !parts[i].empty(); i += 2) {
        filters.push_back({parts[i], i + 1 < parts.size() ? parts[i + 1] : std::wstring()});
    }
    return filters;
}

std::wstring WithDefaultExtension(const std::wstring& name, const std::wstring& extension) {
    if (extension.empty() || name.empty()) {
        return name;
    }
    size_t slash = name.find_last_of(L"/\\");
    std::wstring file = slash == std::wstring::npos ? name : name.substr(slash + 1);
    return file.find(L'.') == std::wstring::npos ? name + L"." + extension : name;
}

FileDialog::FileDialog(bool open, std::wstring defaultExtension, std::wstring fileName,
                       unsigned flags, std::wstring filter) {
    request_.open = open;
    request_.defaultExtension = std::move(defaultExtension);
    request_.fileName = std::move(fileName);
    request_.flags = flags;
    request_.filters = ParseFileFilter(filter);
}

int FileDialog::DoModal(QWidget* owner) {
    std::optional<std::optional<std::wstring>> scripted;
    {
        std::lock_guard lock(g_scriptMutex);
        g_lastRequest = request_;
        scripted = std::exchange(g_nextAnswer, std::nullopt);
    }
    std::optional<std::wstring> answer;
    if (scripted) {
        answer = *scripted;
        if (answer) {
            *answer = WithDefaultExtension(*answer, request_.defaultExtension);
        }
    } else {
        answer = OnUiThread([&] { return RunQtDialog(request_, owner); });
    }
    path_ = answer.value_or(std::wstring());
    return answer && !answer->empty() ? kIdOk : kIdCancel;
}

void FileDialog::ScriptNextAnswer(std::optional<std::wstring> name) {
    std::lock_guard lock(g_scriptMutex);
    g_nextAnswer = std::move(name);
}

std::optional<FileDialog::Request> FileDialog::LastRequest() {
    std::lock_guard lock(g_scriptMutex);
    return g_lastRequest;
}

}  // namespace afx
