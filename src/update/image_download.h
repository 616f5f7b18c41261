#pragma once
// The data image fetched from the server in chunks of 1 MiB into "temp.7z" in the work folder
// and unpacked into "sdcard.bin" beside it.

#include <optional>
#include <string>
#include <vector>

#include "update/update_session.h"

// Who asks: the machine's serial (10 bytes), the machine's version (5) and the version
// wanted (5).
struct ImageIdentity {
    std::vector<uint8_t> serial;
    std::vector<uint8_t> machineVersion;
    std::vector<uint8_t> selectedVersion;
};

// nullopt when the image lies unpacked in the work folder; else the failure message, which
// is already on the status line and in the log. The bar runs from 20 to 50.
std::optional<std::wstring> DownloadSdData(UpdateSession& session, CServerComm& server,
                                           const ImageIdentity& identity);

// Deletes the archive and the unpacked image from the work folder.
void RemoveDownloadedImage(const UpdateJob& job);
