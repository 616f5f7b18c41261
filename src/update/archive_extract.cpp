#include "update/archive_extract.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "platform/fs/fs.h"
#include "platform/text/text.h"

namespace {

constexpr size_t kReadBlock = 1 << 20;

struct ArchiveCloser {
    void operator()(archive* reader) const { archive_read_free(reader); }
};
using ArchiveReader = std::unique_ptr<archive, ArchiveCloser>;

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    bool Close() {
        int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

  private:
    int m_fd;
};

// The decoder's own report, in the decoder sample's words; failures it has no words for
// leave the text alone.
void ReportArchiveError(archive* reader, std::wstring& errorText) {
    const char* text = archive_error_string(reader);
    std::string_view message = text != nullptr ? text : "";
    if (archive_errno(reader) == ENOMEM) {
        errorText = L"can not allocate memory";
    } else if (message.find("codec ID") != std::string_view::npos ||
               message.find("not supported") != std::string_view::npos) {
        errorText = L"decoder doesn't support this archive";
    } else if (message.find("CRC") != std::string_view::npos) {
        errorText = L"CRC error";
    }
}

bool WriteAt(int fd, const uint8_t* data, size_t size, off_t offset) {
    while (size > 0) {
        ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
        offset += n;
    }
    return true;
}

// Writes the current item's bytes to output, replacing the file. 0 or 1 as Extract7z.
int WriteItem(archive* reader, const std::filesystem::path& output, std::wstring& errorText) {
    FileDescriptor file(::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!file.valid()) {
        errorText = L"can not open output file";
        return 1;
    }
    for (;;) {
        const void* block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        int status = archive_read_data_block(reader, &block, &size, &offset);
        if (status == ARCHIVE_EOF) {
            break;
        }
        if (status < ARCHIVE_WARN) {
            ReportArchiveError(reader, errorText);
            return 1;
        }
        if (!WriteAt(file.get(), static_cast<const uint8_t*>(block), size, offset)) {
            errorText = L"can not write output file";
            return 1;
        }
        // The 7z reader passes a checksum mismatch as a mere warning with the item's last
        // bytes; the item is bad all the same.
        if (status == ARCHIVE_WARN) {
            errorText = L"CRC error";
            return 1;
        }
    }
    if (!file.Close()) {
        errorText = L"can not close output file";
        return 1;
    }
    return 0;
}

}  // namespace

int Extract7z(const Extract7zArguments& arguments, std::wstring& errorText) {
    auto archivePath =
        platform::ToPath(platform::MultiByteToWide(platform::AnsiCodePage(), arguments.archive));
    FileDescriptor input(::open(archivePath.c_str(), O_RDONLY | O_CLOEXEC));
    if (!input.valid()) {
        errorText = L"can not open input file";
        return 1;
    }
    if (arguments.command != "x") {
        errorText = L"incorrect command";
        return 1;
    }
    // A file left by an earlier run must not pass for this archive's content.
    auto output = platform::ToPath(arguments.output);
    ::unlink(output.c_str());

    ArchiveReader reader(archive_read_new());
    if (!reader) {
        errorText = L"can not allocate memory";
        return 1;
    }
    archive_read_support_format_7zip(reader.get());
    if (archive_read_open_fd(reader.get(), input.get(), kReadBlock) != ARCHIVE_OK) {
        ReportArchiveError(reader.get(), errorText);
        return 1;
    }
    bool wroteItem = false;
    for (;;) {
        archive_entry* entry = nullptr;
        int status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF) {
            break;
        }
        if (status < ARCHIVE_WARN) {
            ReportArchiveError(reader.get(), errorText);
            return 1;
        }
        if (archive_entry_filetype(entry) != AE_IFREG) {
            continue;
        }
        if (WriteItem(reader.get(), output, errorText) != 0) {
            return 1;
        }
        wroteItem = true;
    }
    return wroteItem ? 0 : 1;
}
