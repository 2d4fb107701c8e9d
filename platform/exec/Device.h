// SPDX-License-Identifier: MIT
// The seam between exec and the device implementations. Adding a device: implement
// DeviceDriver, and add its name and factory to the table in exec/Devices.cpp.
#pragma once

#include "platform/exec/Exec.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace amiga::internal {

class DeviceDriver {
public:
    virtual ~DeviceDriver() = default;
    // 0 on success, or an IOERR_ code; exec has already set io_Device.
    virtual BYTE Open(ULONG unit, IORequest* request, ULONG flags) = 0;
    virtual void Close(IORequest* request) { (void)request; }
    // Starts a request. Finish it with CompleteIO, at once or later (from any thread).
    virtual void BeginIO(IORequest* request) = 0;
    // Completes the request with IOERR_ABORTED when it is still pending; otherwise nothing.
    virtual void AbortIO(IORequest* request) = 0;
    // For devices driven by the clock: the earliest time something falls due, and the call
    // that completes what is due. exec calls both from its waiting loop.
    virtual uint64_t NextDeadlineMicros() const { return UINT64_MAX; }
    virtual void Service(uint64_t nowMicros) { (void)nowMicros; }
};

using DeviceFactory = std::function<std::unique_ptr<DeviceDriver>()>;

// Finishes a request: with IOF_QUICK still set it is only marked done; otherwise it is
// replied to its port. Safe from any thread.
void CompleteIO(IORequest* request, BYTE error);

std::unique_ptr<DeviceDriver> CreateTimerDevice();
// Null when the host has no sound output: OpenDevice then fails as for a missing device.
std::unique_ptr<DeviceDriver> CreateAudioDevice();
// Called, when set, each time the audio device starts the host's sound output. The program
// leaves it null; the testing library records the format.
inline void (*gAudioOutputStarted)(int rate, int channels) = nullptr;

} // namespace amiga::internal
