// SPDX-License-Identifier: MIT
// timer.device: pending TR_ADDREQUESTs ordered by their due time on the monotonic clock;
// exec's waiting loop completes them (Service) and sleeps until the earliest (NextDeadline).
#include "platform/exec/State.h"
#include "platform/common/Internal.h"
#include "platform/timer/Timer.h"

#include <map>

namespace amiga::internal {

namespace {

constexpr ULONG kUnitCount = UNIT_WAITECLOCK + 1;

uint64_t MicrosOf(const timeval& time)
{
    return static_cast<uint64_t>(time.tv_secs) * 1000000u + time.tv_micro;
}

class TimerDevice final : public DeviceDriver {
public:
    BYTE Open(ULONG unit, IORequest* request, ULONG flags) override
    {
        (void)flags;
        const UWORD length = request->io_Message.mn_Length;
        if (unit >= kUnitCount || (length != 0 && length < sizeof(timerequest))) {
            return IOERR_OPENFAIL;
        }
        request->io_Unit = &units_[unit];
        return 0;
    }

    void BeginIO(IORequest* request) override
    {
        auto* timer = reinterpret_cast<timerequest*>(request);
        switch (request->io_Command) {
        case TR_ADDREQUEST: {
            request->io_Flags &= static_cast<UBYTE>(~IOF_QUICK);
            pending_.emplace(DueTime(timer), timer);
            return;
        }
        case TR_GETSYSTIME:
            GetSysTime(&timer->tr_time);
            CompleteIO(request, 0);
            return;
        case TR_SETSYSTIME: {
            const int64_t wanted = static_cast<int64_t>(MicrosOf(timer->tr_time));
            Exec().systemTimeOffsetMicros = wanted - static_cast<int64_t>(NowMicros());
            CompleteIO(request, 0);
            return;
        }
        default:
            CompleteIO(request, IOERR_NOCMD);
            return;
        }
    }

    void Close(IORequest* request) override
    {
        // Closing with the request still queued is the caller's mistake: forget it rather
        // than later complete a request its owner is about to free. It is not replied.
        if (Unqueue(request)) {
            std::lock_guard lock(Exec().messageLock);
            request->io_Error = IOERR_ABORTED;
            request->io_Message.mn_Node.ln_Type = NT_REPLYMSG;
        }
    }

    void AbortIO(IORequest* request) override
    {
        if (Unqueue(request))
            CompleteIO(request, IOERR_ABORTED);
    }

    uint64_t NextDeadlineMicros() const override { return pending_.empty() ? UINT64_MAX : pending_.begin()->first; }

    void Service(uint64_t nowMicros) override
    {
        while (!pending_.empty() && pending_.begin()->first <= nowMicros) {
            timerequest* due = pending_.begin()->second;
            pending_.erase(pending_.begin());
            CompleteIO(&due->tr_node, 0);
        }
    }

private:
    // Takes the request off the pending list; false when it was not there.
    bool Unqueue(const IORequest* request)
    {
        for (auto it = pending_.begin(); it != pending_.end(); ++it) {
            if (&it->second->tr_node == request) {
                pending_.erase(it);
                return true;
            }
        }
        return false;
    }

    uint64_t DueTime(const timerequest* timer) const
    {
        const auto unit = static_cast<ULONG>(timer->tr_node.io_Unit - units_);
        const uint64_t wanted = MicrosOf(timer->tr_time);
        if (unit == UNIT_WAITUNTIL || unit == UNIT_WAITECLOCK) {
            // Absolute system time (the e-clock units take it in the same form here).
            const int64_t monotonic = static_cast<int64_t>(wanted) - Exec().systemTimeOffsetMicros;
            return monotonic > 0 ? static_cast<uint64_t>(monotonic) : 0;
        }
        return NowMicros() + wanted;
    }

    Unit units_[kUnitCount];
    std::multimap<uint64_t, timerequest*> pending_;
};

} // namespace

std::unique_ptr<DeviceDriver> CreateTimerDevice()
{
    return std::make_unique<TimerDevice>();
}

} // namespace amiga::internal

namespace amiga {

void GetSysTime(timeval* dest)
{
    if (dest == nullptr) {
        return;
    }
    const int64_t micros = static_cast<int64_t>(internal::NowMicros()) + internal::Exec().systemTimeOffsetMicros;
    const uint64_t positive = micros > 0 ? static_cast<uint64_t>(micros) : 0;
    dest->tv_secs = static_cast<ULONG>(positive / 1000000u);
    dest->tv_micro = static_cast<ULONG>(positive % 1000000u);
}

} // namespace amiga
