// SPDX-License-Identifier: MIT
// Hooks for tests. Linking this file arms the audio device's hook; the program never links it.
#include "platform/testing/Testing.h"

#include "platform/exec/State.h"
#include "platform/graphics/Font.h"
#include "platform/testing/InputTesting.h"
#include "platform/host/Host.h"

#include <algorithm>

namespace amiga {

namespace {

int gOutputRate = 0;
int gOutputChannels = 0;

const bool armed = [] {
    internal::gAudioOutputStarted = [](int rate, int channels) {
        gOutputRate = rate;
        gOutputChannels = channels;
    };
    return true;
}();

} // namespace

void ResetPlatform()
{
    // Windows and screens hold ports and the host window: they go first.
    ResetIntuition();
    internal::ExecHolder() = std::make_unique<internal::ExecState>();
    gOutputRate = gOutputChannels = 0;
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
    rate = gOutputRate;
    channels = gOutputChannels;
}

void SetExecuteRunner(std::function<LONG(const std::string&)> runner)
{
    internal::Exec().executeRunner = std::move(runner);
}

void PumpInput()
{
    internal::PumpHostEvents();
}

} // namespace amiga

namespace amiga::internal {

void RegisterDevice(const char* name, DeviceFactory factory)
{
    Exec().extraDevices.emplace_back(name, std::move(factory));
}

void FontList::Reset()
{
    // The ROM fonts stay where they are: RastPorts of screens still open point at them.
    std::erase_if(fonts_, [](const auto& f) { return !f->face->rom; });
    for (const auto& f : fonts_)
        f->font.tf_Accessors = 0;
}

void ResetFonts()
{
    Fonts().Reset();
}

} // namespace amiga::internal
