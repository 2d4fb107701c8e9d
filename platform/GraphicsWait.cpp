// SPDX-License-Identifier: MIT
// WaitTOF: the vertical blank of a 50 Hz display, on the platform's one clock.
#include "platform/Graphics.h"
#include "platform/Internal.h"

#include <chrono>
#include <thread>

namespace amiga {

void WaitTOF()
{
    // A program that waits for the blank expects the frame it drew to be shown.
    internal::PresentIfDirty();
    constexpr uint64_t kFrame = 20000;
    const uint64_t now = internal::NowMicros();
    const uint64_t next = (now / kFrame + 1) * kFrame;
    std::this_thread::sleep_for(std::chrono::microseconds(next - now));
}

} // namespace amiga
