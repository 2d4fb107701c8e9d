// SPDX-License-Identifier: MIT
// timer.device: requests that complete on the platform's one monotonic clock.
#pragma once

#include "platform/exec/Exec.h"

namespace amiga {

constexpr const char* TIMERNAME = "timer.device";

constexpr ULONG UNIT_MICROHZ = 0;
constexpr ULONG UNIT_VBLANK = 1;
constexpr ULONG UNIT_ECLOCK = 2;
constexpr ULONG UNIT_WAITUNTIL = 3;
constexpr ULONG UNIT_WAITECLOCK = 4;

constexpr UWORD TR_ADDREQUEST = CMD_NONSTD;
constexpr UWORD TR_GETSYSTIME = CMD_NONSTD + 1;
constexpr UWORD TR_SETSYSTIME = CMD_NONSTD + 2;

struct timeval {
    ULONG tv_secs = 0;
    ULONG tv_micro = 0;
};

struct EClockVal {
    ULONG ev_hi = 0;
    ULONG ev_lo = 0;
};

// TR_ADDREQUEST waits tr_time (relative; absolute system time for UNIT_WAITUNTIL), then the
// request is replied to its port. TR_GETSYSTIME fills tr_time with the system time.
struct timerequest {
    IORequest tr_node;
    timeval tr_time;
};

// The timer device's library calls. The system time is seconds since 1 January 1978.
void GetSysTime(timeval* dest);

} // namespace amiga
