#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/fs/fs.h"
#include "update/image_download.h"
#include "update/offline_file.h"

namespace {

using std::chrono::milliseconds;

constexpr int kFirmwareNoRecord = 5;
constexpr int kFirmwareOneRecord = 6;
constexpr size_t kImagePiece = 104857;
// The version the server is told for a machine it does not see.
constexpr const wchar_t* kAnyMachineVersion = L"0.0.2";

// The new file takes a name of its own beside the chosen one until it is whole, so that a
// failure leaves neither a partial file nor a lost earlier one.
class StagedFile {
  public:
    explicit StagedFile(const std::filesystem::path& target)
        : m_target(target), m_staging(target.string() + ".XXXXXX") {
        std::string name = m_staging;
        m_fd = ::mkstemp(name.data());
        m_staging = name;
    }
    ~StagedFile() {
        if (m_fd >= 0) {
            ::close(m_fd);
            ::unlink(m_staging.c_str());
        }
    }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    bool Append(std::span<const uint8_t> bytes) {
        if (!WriteAt(bytes, m_end)) {
            return false;
        }
        m_end += static_cast<off_t>(bytes.size());
        return true;
    }
    bool Overwrite(std::span<const uint8_t> bytes) { return WriteAt(bytes, 0); }
    bool Commit() {
        bool done = m_fd >= 0 && ::fchmod(m_fd, 0644) == 0 && ::fsync(m_fd) == 0;
        done = ::close(m_fd) == 0 && done;
        m_fd = -1;
        done = done && ::rename(m_staging.c_str(), m_target.c_str()) == 0;
        if (!done) {
            ::unlink(m_staging.c_str());
        }
        return done;
    }

  private:
    bool WriteAt(std::span<const uint8_t> bytes, off_t at) {
        size_t done = 0;
        while (m_fd >= 0 && done < bytes.size()) {
            ssize_t n = ::pwrite(m_fd, bytes.data() + done, bytes.size() - done,
                                 at + static_cast<off_t>(done));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            done += static_cast<size_t>(n);
        }
        return m_fd >= 0;
    }

    std::filesystem::path m_target;
    std::string m_staging;
    int m_fd = -1;
    off_t m_end = 0;
};

class OfflineCreate {
  public:
    explicit OfflineCreate(UpdateSession& session)
        : m_session(session), m_server(0, session.job().stop) {}

    // The failure message, or nullopt once the file stands complete under its name.
    std::optional<std::wstring> Run() {
        const UpdateJob& job = m_session.job();
        m_header.serial = Fixed<10>(AnsiItem(job.serial, 10));
        m_header.version = Fixed<5>(AnsiItem(job.selectedVersion, 5));
        const MachineVariant& machine = m_session.machine();
        AddItems(machine, m_server,
                 {RequestHead(machine, kOperationFirmware), LanguageItem(job.languageIndex),
                  Identity().serial, Identity().machineVersion, Identity().selectedVersion});
        m_session.Status(m_session.Message(kTextServer));
        Transact(machine, m_server);
        if (m_server.ReplyCount() <= 1) {
            int code = m_server.ReplyCount() < 1 ? kFirmwareNoRecord : kFirmwareOneRecord;
            return m_session.Message(kTextServerFailed, code);
        }
        m_session.Status(m_session.Message(kTextPrepareCreate));
        auto path =
            m_session.report().ChooseOfflineFileToSave(job.serial + L"_" + job.selectedVersion);
        if (!path || path->empty()) {
            return m_session.Message(kTextCancelled);
        }
        StagedFile file(platform::ToPath(*path));
        auto provisional = ProvisionalOfflineHeader();
        if (!file.Append(provisional) || !AppendFirmware(file)) {
            return m_session.Message(kTextCreateFailed);
        }
        if (auto failure = DownloadSdData(m_session, m_server, Identity())) {
            return failure;
        }
        // Stopped while the image was unpacked: it is not copied for nothing.
        if (m_session.Stopped()) {
            return m_session.Message(kTextCreateFailed);
        }
        bool appended = AppendImage(file);
        auto header = BuildOfflineHeader(m_header);
        // Stopped while the image was copied: the file is not made after all.
        if (!appended || m_session.Stopped() || !file.Overwrite(header) || !file.Commit()) {
            return m_session.Message(kTextCreateFailed);
        }
        return std::nullopt;
    }

  private:
    template <size_t N>
    static std::array<uint8_t, N> Fixed(const std::vector<uint8_t>& bytes) {
        std::array<uint8_t, N> fixed{};
        std::copy_n(bytes.begin(), N, fixed.begin());
        return fixed;
    }

    ImageIdentity Identity() const {
        return {AnsiItem(m_session.job().serial, 10), AnsiItem(kAnyMachineVersion, 5),
                AnsiItem(m_session.job().selectedVersion, 5)};
    }

    bool AppendFirmware(StagedFile& file) {
        auto count = static_cast<size_t>(m_server.ReplyCount());
        for (size_t i = 1; i < count; ++i) {
            m_session.Progress(ProgressStep(0, 10, i, count));
            m_session.ShowElapsed(kTextCreating);
            auto record = m_server.ReplyRecord(static_cast<int>(i));
            if (!file.Append(record)) {
                return false;
            }
            m_header.firmwareLength += static_cast<uint32_t>(record.size());
        }
        return true;
    }

    // The unpacked image goes into the file and leaves the work folder with its archive.
    bool AppendImage(StagedFile& file) {
        auto imagePath = platform::ToPath(WorkFile(m_session.job(), L"sdcard.bin"));
        std::error_code error;
        uint64_t length = std::filesystem::file_size(imagePath, error);
        UniqueFile image(error ? nullptr : std::fopen(imagePath.c_str(), "rb"));
        bool appended = image != nullptr;
        if (appended) {
            std::vector<uint8_t> piece(kImagePiece);
            uint64_t pieces = length / kImagePiece;
            for (uint64_t i = 0; i <= pieces && appended; ++i) {
                size_t size = i < pieces ? kImagePiece : static_cast<size_t>(length % kImagePiece);
                m_session.Progress(
                    ProgressStep(60, 40, static_cast<size_t>(i), static_cast<size_t>(pieces)));
                m_session.ShowElapsed(kTextCreating);
                appended = std::fread(piece.data(), 1, size, image.get()) == size &&
                           file.Append(std::span(piece).first(size));
            }
            image.reset();
            RemoveDownloadedImage(m_session.job());
        }
        return appended;
    }

    UpdateSession& m_session;
    CServerComm m_server;
    OfflineHeader m_header;
};

}  // namespace

void CreateOfflineUpdateFile(const UpdateJob& job) {
    UpdateSession session(job);
    session.Status(session.Message(kTextPrepareCreate));
    std::optional<std::wstring> failure = OfflineCreate(session).Run();
    // Wherever the stop came, nothing of the download stays behind.
    if (session.Stopped()) {
        RemoveDownloadedImage(job);
    }
    if (!failure) {
        session.Progress(0);
        session.Status(session.ElapsedMessage(kTextCreated));
        session.SuccessBeeps();
        return;
    }
    session.RunDown(*failure);
    session.Status(*failure);
    session.Wait(milliseconds(5000));
}
