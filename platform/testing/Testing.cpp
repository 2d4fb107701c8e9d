// SPDX-License-Identifier: MIT
// Hooks for tests.
#include "platform/testing/Testing.h"

#include "platform/exec/State.h"
#include "platform/testing/InputTesting.h"
#include "platform/host/Host.h"

namespace amiga {

void ResetPlatform()
{
    // Windows and screens hold ports and the host window: they go first.
    ResetIntuition();
    internal::ResetExec();
    host::Reset();
}

void SetLibraryMissing(const char* name, bool missing)
{
    if (name == nullptr) {
        return;
    }
    auto& missingLibraries = internal::Exec().missingLibraries;
    if (missing) {
        missingLibraries.insert(name);
    } else {
        missingLibraries.erase(name);
    }
}

void FailNextAllocation()
{
    internal::Exec().failNextAllocation = true;
}

void FailNextPortCreation()
{
    internal::Exec().failNextPort = true;
}

void FailNextRequestCreation()
{
    internal::Exec().failNextRequest = true;
}

void FailNextDeviceOpen()
{
    internal::Exec().failNextDeviceOpen = true;
}

void AudioOutputFormat(int& rate, int& channels)
{
    internal::AudioOutputFormat(rate, channels);
}

void SetExecuteRunner(std::function<LONG(const std::string&)> runner)
{
    internal::Exec().executeRunner = std::move(runner);
}

void InjectHostEvent(const internal::HostEvent& event)
{
    host::PushEvent(event);
}

void PumpInput()
{
    internal::PumpHostEvents();
}

} // namespace amiga
