// SPDX-License-Identifier: MIT
// WaitTOF: the vertical blank of a 50 Hz display, on the platform's one clock.
#include "platform/graphics/Graphics.h"
#include "platform/common/Internal.h"
#include "platform/exec/State.h"

namespace amiga {

void WaitTOF()
{
    // A blocking wait like any other: the frame just drawn is presented, and input and timer
    // requests keep flowing until the next 1/50 s boundary.
    constexpr uint64_t kFrame = 20000;
    const uint64_t now = internal::NowMicros();
    internal::WaitUntilMicros((now / kFrame + 1) * kFrame);
}

} // namespace amiga
