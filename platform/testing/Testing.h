// SPDX-License-Identifier: MIT
// Hooks for tests: tear-down, failure switches, the command runner and injected input.
#pragma once

#include "platform/common/Internal.h"
#include "platform/common/Types.h"

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
void FailNextAllocation();     // AllocMem / AllocVec
void FailNextPortCreation();   // CreateMsgPort
void FailNextRequestCreation(); // CreateExtIO / CreateIORequest
void FailNextDeviceOpen();     // OpenDevice

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

// The argument vector Execute starts for a command line: {"xdg-open", address} for a web or
// mailto address (without the blanks around it), {"/bin/sh", "-c", line} otherwise.
std::vector<std::string> CommandArgv(const std::string& line);

} // namespace amiga::internal

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
