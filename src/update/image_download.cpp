#include "update/image_download.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "log/log.h"
#include "platform/fs/fs.h"
#include "update/archive_extract.h"

namespace {

constexpr uint32_t kChunkSize = 1048576;

constexpr int kSizeNoRecord = 11;
constexpr int kSizeOneRecord = 12;
constexpr int kSizeUnusable = 13;
constexpr int kChunkNoRecord = 22;
constexpr int kChunkUnusable = 23;

// The reply's record count as a failure code, or 0 when the reply carries data.
int CountFailure(const CServerComm& server, int noRecord, int oneRecord) {
    if (server.ReplyCount() < 1) {
        return noRecord;
    }
    return server.ReplyCount() == 1 ? oneRecord : 0;
}

// The image size from record 1, 0 when the record cannot hold it.
uint32_t ImageSize(const CServerComm& server) {
    auto record = server.ReplyRecord(1);
    if (record.size() < 4) {
        return 0;
    }
    return GetU32(record.first<4>());
}

size_t ChunkBytes(const CServerComm& server) {
    size_t total = 0;
    for (int i = 1; i < server.ReplyCount(); ++i) {
        total += server.ReplyRecord(i).size();
    }
    return total;
}

class Download {
  public:
    Download(UpdateSession& session, CServerComm& server)
        : m_session(session),
          m_server(server),
          m_archive(platform::ToPath(WorkFile(session.job(), L"temp.7z"))) {}

    // 0, or the failure code, with text 14 or 18 by the code.
    int FetchArchive(const ImageIdentity& identity) {
        const MachineVariant& machine = m_session.machine();
        m_server.ClearParams();
        AddItems(machine, m_server,
                 {RequestHead(machine, kOperationImageSize),
                  LanguageItem(m_session.job().languageIndex), identity.serial,
                  identity.machineVersion, identity.selectedVersion, WordItem(0), WordItem(0)});
        m_session.Status(m_session.Message(kTextServer));
        Transact(machine, m_server);
        if (int failure = CountFailure(m_server, kSizeNoRecord, kSizeOneRecord)) {
            return failure;
        }
        uint32_t size = ImageSize(m_server);
        if (size == 0) {
            m_server.DumpReply();
            return kSizeUnusable;
        }
        std::error_code ignored;
        std::filesystem::remove(m_archive, ignored);
        UniqueFile archive(std::fopen(m_archive.c_str(), "wb"));
        if (!archive) {
            return kWorkFileFailed;
        }
        m_server.ClearReply();
        m_server.SetParam(0, RequestHead(machine, kOperationImageChunk));
        if (int failure = FetchChunks(archive.get(), size)) {
            return failure;
        }
        if (std::fclose(archive.release()) != 0 ||
            std::filesystem::file_size(m_archive, ignored) != size) {
            return kWorkFileFailed;
        }
        return 0;
    }

    std::wstring FailureMessage(int code) const {
        bool server = code != kWorkFileFailed;
        return m_session.Message(server ? kTextServerFailed : kTextUpdateFailed, code);
    }

    // The extraction's own text on failure, never an empty one.
    std::optional<std::wstring> Extract() const {
        std::wstring error;
        Extract7zArguments arguments{
            "", "x",
            platform::WideToMultiByte(platform::AnsiCodePage(),
                                      WorkFile(m_session.job(), L"temp.7z")),
            WorkFile(m_session.job(), L"sdcard.bin")};
        if (Extract7z(arguments, error) == 0) {
            return std::nullopt;
        }
        return error.empty() ? FailureMessage(kWorkFileFailed) : error;
    }

  private:
    int FetchChunks(std::FILE* archive, uint32_t size) {
        uint32_t whole = size / kChunkSize;
        for (uint32_t i = 0; i <= whole; ++i) {
            uint32_t length = i < whole ? kChunkSize : size % kChunkSize;
            if (length == 0) {
                break;
            }
            m_server.ClearReply();
            m_server.SetParam(7, WordItem(i * kChunkSize));
            m_server.SetParam(8, WordItem(length));
            Transact(m_session.machine(), m_server);
            if (int failure = CountFailure(m_server, kChunkNoRecord, kChunkUnusable)) {
                return failure;
            }
            // A chunk of another length would shift everything after it.
            if (ChunkBytes(m_server) != length) {
                return kChunkUnusable;
            }
            m_session.Progress(ProgressStep(20, 30, i, whole));
            for (int r = 1; r < m_server.ReplyCount(); ++r) {
                m_session.ShowElapsed(kTextDownloading);
                auto record = m_server.ReplyRecord(r);
                if (std::fwrite(record.data(), 1, record.size(), archive) != record.size()) {
                    return kWorkFileFailed;
                }
            }
        }
        return 0;
    }

    UpdateSession& m_session;
    CServerComm& m_server;
    std::filesystem::path m_archive;
};

}  // namespace

std::optional<std::wstring> DownloadSdData(UpdateSession& session, CServerComm& server,
                                           const ImageIdentity& identity) {
    Download download(session, server);
    std::optional<std::wstring> message;
    if (int failure = download.FetchArchive(identity)) {
        message = download.FailureMessage(failure);
    } else {
        message = download.Extract();
    }
    if (message) {
        session.Status(*message);
        WriteLog(*message);
    }
    return message;
}

void RemoveDownloadedImage(const UpdateJob& job) {
    std::error_code ignored;
    std::filesystem::remove(platform::ToPath(WorkFile(job, L"sdcard.bin")), ignored);
    std::filesystem::remove(platform::ToPath(WorkFile(job, L"temp.7z")), ignored);
}
