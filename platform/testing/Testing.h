// SPDX-License-Identifier: MIT
// Hooks for tests: tear-down, failure switches, the command runner and injected input. They
// are built into the testing library, which only tests, benchmarks and the demo link.
#pragma once

#include "platform/common/Internal.h"
#include "platform/common/Types.h"
#include "platform/exec/Device.h"

#include <functional>
#include <vector>
#include <string>

namespace amiga {

// Returns exec, timer, dos and the host to their starting state: pending timer requests are
// dropped, libraries and devices forgotten, signals freed, switches cleared, the host window
// closed and its queue emptied. Objects the test still holds become invalid.
void ResetPlatform();

// OpenLibrary of this library fails while the switch is on.
void SetLibraryMissing(const char* name, bool missing);
// One-shot switches: the next call of the kind fails as if the system had run out.
void FailNextAllocation();      // AllocMem / AllocVec
void FailNextPortCreation();    // CreateMsgPort
void FailNextRequestCreation(); // CreateExtIO / CreateIORequest
void FailNextDeviceOpen();      // OpenDevice

// The rate and channel count of the host's sound output since a sound first started it;
// both 0 before.
void AudioOutputFormat(int& rate, int& channels);

// Replaces what Execute runs; an empty function restores the real runner.
void SetExecuteRunner(std::function<LONG(const std::string&)> runner);

// Queues a host event as if the host had produced it.
void InjectHostEvent(const internal::HostEvent& event);
// Hands every queued host event to intuition without blocking.
void PumpInput();

} // namespace amiga

namespace amiga::internal {

// Adds a device for this run (built-in devices are in exec/Devices.cpp's table).
void RegisterDevice(const char* name, DeviceFactory factory);
// Forgets every font (open or not) so that a test can start afresh; fonts still held by
// callers become invalid.
void ResetFonts();

} // namespace amiga::internal

namespace amiga::host {

// The colour (0x00RRGGBB) the host window shows at a pixel of its own; false outside it or
// without a window.
bool ReadWindowPixel(int windowX, int windowY, ULONG& rgb);
// Drops the window, queued events and pending wake-ups.
void Reset();

} // namespace amiga::host

namespace amiga {

// Host-level input for tests of the host itself: pushes a real host key or pointer event
// (needs an open host window), so translation, key mapping and unscaling are exercised.
// Keys are given as USB HID usage ids, the key positions the host reports.
void SimulateHostKey(int usbUsage, bool down);
void SimulateHostPointer(int windowX, int windowY);
void SimulateHostButton(int button, bool down, int windowX, int windowY);
void SimulateHostResize(int windowWidth, int windowHeight);
void SimulateHostCloseRequest();

} // namespace amiga
