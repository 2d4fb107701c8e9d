// SPDX-License-Identifier: MIT
// exec's state object.
#include "platform/exec/State.h"

#include "platform/common/Internal.h"

#include <ctime>
#include <unistd.h>

namespace amiga::internal {

namespace {

// Seconds from 1 January 1970 to 1 January 1978, where the platform's clock starts.
constexpr int64_t kEpochShiftSeconds = 252460800;

char gTaskName[] = "Kesa Pegline";

} // namespace

ExecState::ExecState()
{
    task.tc_Node.ln_Type = NT_TASK;
    task.tc_Node.ln_Name = gTaskName;
    task.tc_SigAlloc = 0xFFFFu;

    timespec wall{};
    clock_gettime(CLOCK_REALTIME, &wall);
    const int64_t wallMicros = (static_cast<int64_t>(wall.tv_sec) - kEpochShiftSeconds) * 1000000 + wall.tv_nsec / 1000;
    systemTimeOffsetMicros = wallMicros - static_cast<int64_t>(NowMicros());
}

ExecState::~ExecState()
{
    for (const auto& [handle, fd] : files) {
        close(fd);
    }
}

std::unique_ptr<ExecState>& ExecHolder()
{
    static std::unique_ptr<ExecState> state = std::make_unique<ExecState>();
    return state;
}

ExecState& Exec()
{
    return *ExecHolder();
}

} // namespace amiga::internal
