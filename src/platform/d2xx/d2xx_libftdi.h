#pragma once
// The D2XX backend that drives real FTDI converter chips through libftdi1.

#include "platform/d2xx/d2xx.h"

namespace platform {

D2xxBackend& LibFtdiBackend();

}  // namespace platform
