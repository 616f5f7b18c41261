#include "update/image_blocks.h"

#include <algorithm>
#include <vector>

#include "log/log.h"

namespace {}  // namespace

void ShowTransferStep(UpdateSession& session, MachineLink& link, MachinePercent& percent,
                      int position) {
    session.Progress(position);
    percent.Show(link.get(), position);
    session.ShowElapsed(kTextUpdating);
}

int WriteImageBlocks(UpdateSession& session, MachineLink& link, uint64_t length, int from, int span,
                     const std::function<bool(std::span<uint8_t>)>& read, int readFailure) {
    size_t blockSize = session.machine().sdBlockSize;
    uint64_t whole = length / blockSize;
    std::vector<uint8_t> block(blockSize);
    MachinePercent percent;
    uint32_t offset = 0;
    for (uint64_t i = 0; i <= whole; ++i) {
        size_t size = i < whole ? blockSize : static_cast<size_t>(length % blockSize);
        if (size == 0) {
            break;
        }
        std::fill(block.begin(), block.end(), uint8_t{0});
        if (!read(std::span(block).first(size))) {
            return readFailure;
        }
        ShowTransferStep(
            session, link, percent,
            ProgressStep(from, span, static_cast<size_t>(i), static_cast<size_t>(whole)));
        if (!WriteWithRetries(session, L"re w s",
                              [&] { return link.WriteSdBlock(block.data(), offset, size); })) {
            return kSdBlockFailed;
        }
        offset += static_cast<uint32_t>(size);
        WriteLog(L"part " + IntToString(static_cast<int32_t>(i)) + L"/" +
                 IntToString(static_cast<int32_t>(whole)) + L" time : " +
                 IntToString(session.ElapsedSeconds()) + L" s");
    }
    return 0;
}
