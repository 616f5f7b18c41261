#pragma once
// The data image written to the machine in the variant's blocks, the last one short.

#include <cstdint>
#include <functional>
#include <span>

#include "update/update_session.h"

inline constexpr int kSdBlockFailed = 24;

// Reads fill the whole span or fail. The bar runs from `from` over `span`. 0, readFailure when
// a read fails, or 24 when a block failed six times.
int WriteImageBlocks(UpdateSession& session, MachineLink& link, uint64_t length, int from, int span,
                     const std::function<bool(std::span<uint8_t>)>& read, int readFailure);

// One step of a transfer: the bar, the machine's percent, the elapsed time.
void ShowTransferStep(UpdateSession& session, MachineLink& link, MachinePercent& percent,
                      int position);
