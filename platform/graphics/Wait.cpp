// SPDX-License-Identifier: MIT
// WaitTOF: the vertical blank of a display of up to 50 frames a second, on the platform's one clock.
#include "platform/graphics/Graphics.h"
#include "platform/common/Internal.h"
#include "platform/exec/State.h"

namespace amiga {

void WaitTOF()
{
    // A display that shows a new frame when there is one: the blank comes 1/50 s after the
    // previous one, or at once (the frame just drawn presented) when the display has been
    // still for longer. A run of waits, a slide, keeps to 50 Hz; the first after a pause costs
    // nothing. Meanwhile a blocking wait like any other: input and timer requests keep flowing.
    constexpr uint64_t kFrame = 20000;
    auto& exec = internal::Exec();
    const uint64_t now = internal::NowMicros();
    if (exec.lastBlankMicros == 0 || now >= exec.lastBlankMicros + kFrame) {
        internal::PresentIfDirty();
        exec.lastBlankMicros = now;
        return;
    }
    internal::WaitUntilMicros(exec.lastBlankMicros + kFrame);
    exec.lastBlankMicros += kFrame;
}

} // namespace amiga
