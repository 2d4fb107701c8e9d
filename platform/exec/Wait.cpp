// SPDX-License-Identifier: MIT
// Waiting: the one place the program sleeps. Before sleeping it completes what is due,
// presents the screen, then sleeps in the host until input, a wake-up or the next deadline.
#include "platform/exec/State.h"
#include "platform/common/Internal.h"
#include "platform/host/Host.h"

#include <algorithm>

namespace amiga::internal {

// PresentIfDirty and HandleHostEvent are intuition's. No weak stand-ins here: in a static
// library a weak definition would satisfy the linker and keep intuition's input module out.

void PumpHostEvents()
{
    HostEvent event;
    while (host::PollEvent(event)) {
        HandleHostEvent(event);
    }
}

namespace {

ULONG TakeSignals(ULONG mask)
{
    return Exec().receivedSignals.fetch_and(~mask) & mask;
}

// One sleep: present, wait for an event or the deadline, hand over what came. Signals in
// `wakeMask` raised meanwhile cut the sleep short.
void SleepOnce(uint64_t deadlineMicros, ULONG wakeMask)
{
    PresentIfDirty();
    auto& exec = Exec();
    exec.waitingSignals.store(wakeMask);
    if ((exec.receivedSignals.load() & wakeMask) != 0) {
        exec.waitingSignals.store(0);
        return;
    }
    const uint64_t now = NowMicros();
    uint64_t timeout = UINT64_MAX;
    if (deadlineMicros != UINT64_MAX) {
        timeout = deadlineMicros > now ? deadlineMicros - now : 0;
    }
    HostEvent event;
    const bool gotEvent = host::WaitEvent(timeout, event);
    exec.waitingSignals.store(0);
    if (gotEvent) {
        HandleHostEvent(event);
        PumpHostEvents();
    }
}

} // namespace

void WaitUntilMicros(uint64_t deadlineMicros)
{
    for (;;) {
        const uint64_t next = std::min(ServiceDevices(), deadlineMicros);
        if (NowMicros() >= deadlineMicros) {
            return;
        }
        SleepOnce(next, 0);
    }
}

} // namespace amiga::internal

namespace amiga {

ULONG Wait(ULONG signalSet)
{
    using namespace internal;
    for (;;) {
        ULONG got = TakeSignals(signalSet);
        if (got != 0) {
            return got;
        }
        const uint64_t deadline = ServiceDevices();
        got = TakeSignals(signalSet);
        if (got != 0) {
            return got;
        }
        SleepOnce(deadline, signalSet);
    }
}

} // namespace amiga
