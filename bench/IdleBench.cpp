// SPDX-License-Identifier: MIT
// CPU time used by a program blocked in Wait for 5 s (a pending 5 s timer request), without
// and with a host window. An idle program should sleep, not poll: target <= 10 ms.
// Uses the video driver the host picks (set SDL_VIDEODRIVER=dummy for a headless run).
#include "platform/exec/Exec.h"
#include "platform/common/Internal.h"
#include "platform/testing/Testing.h"
#include "platform/timer/Timer.h"
#include "platform/host/Host.h"

#include <cstdio>
#include <sys/resource.h>

using namespace amiga;

namespace {

double CpuMillis()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

// Blocks in Wait on a 5 s timer request; prints wall and CPU time.
bool MeasureWait(const char* label)
{
    MsgPort* port = CreateMsgPort();
    auto* request = reinterpret_cast<timerequest*>(CreateExtIO(port, sizeof(timerequest)));
    if (request == nullptr || OpenDevice(TIMERNAME, UNIT_VBLANK, &request->tr_node, 0) != 0) {
        std::fprintf(stderr, "cannot open timer.device\n");
        return false;
    }
    request->tr_node.io_Command = TR_ADDREQUEST;
    request->tr_time.tv_secs = 5;
    request->tr_time.tv_micro = 0;
    SendIO(&request->tr_node);

    const double cpuBefore = CpuMillis();
    const uint64_t wallBefore = internal::NowMicros();
    Wait(1u << port->mp_SigBit);
    const double cpu = CpuMillis() - cpuBefore;
    const double wall = static_cast<double>(internal::NowMicros() - wallBefore) / 1000.0;
    WaitIO(&request->tr_node);

    std::printf("%-28s wall %8.1f ms   cpu %6.2f ms   (target <= 10 ms)\n", label, wall, cpu);
    CloseDevice(&request->tr_node);
    DeleteExtIO(&request->tr_node);
    DeleteMsgPort(port);
    return true;
}

} // namespace

int main()
{
    bool ok = MeasureWait("Wait 5 s, no host window");
    if (!host::OpenWindow(800, 600, "idle bench")) {
        return 1;
    }
    std::vector<UBYTE> screen(800 * 600, 1);
    ULONG palette[256] = {0x000000, 0xAAAAAA};
    host::Present(screen.data(), 800, 600, 800, palette);
    char label[64];
    std::snprintf(label, sizeof label, "Wait 5 s, window (%s)", host::DriverName().c_str());
    ok = MeasureWait(label) && ok;
    ResetPlatform();
    return ok ? 0 : 1;
}
