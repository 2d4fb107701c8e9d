// SPDX-License-Identifier: MIT
// The one clock: CLOCK_MONOTONIC, which never jumps when the wall clock is set.
#include "platform/common/Internal.h"

#include <ctime>

namespace amiga::internal {

uint64_t NowMicros()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000u + static_cast<uint64_t>(now.tv_nsec) / 1000u;
}

} // namespace amiga::internal
