// SPDX-License-Identifier: MIT
// The host's sound output over SDL audio.
#include "platform/host/HostAudio.h"

#include "platform/host/sdl/HostState.h"

#include <algorithm>
#include <string>

namespace amiga::host {

struct AudioOutput::Impl {
    SDL_AudioDeviceID device = 0;
    Render render;
    int rate = 0;
    int channels = 0;
    bool subsystemStarted = false;
};

namespace {

void Fill(void* user, Uint8* stream, int length)
{
    auto* impl = static_cast<AudioOutput::Impl*>(user);
    const int frameBytes = static_cast<int>(sizeof(int16_t)) * impl->channels;
    impl->render(reinterpret_cast<int16_t*>(stream), length / frameBytes, impl->channels);
}

// A driver asked for by name (SDL_AUDIODRIVER, a comma-separated list) that this SDL lacks is
// the one missing output known without starting SDL audio, which would fail the same way.
bool RequestedDriverExists()
{
    const char* requested = SDL_GetHint(SDL_HINT_AUDIODRIVER);
    if (requested == nullptr || *requested == '\0') {
        return true;
    }
    const std::string list = requested;
    size_t begin = 0;
    while (begin <= list.size()) {
        const size_t end = std::min(list.find(',', begin), list.size());
        std::string name = list.substr(begin, end - begin);
        if (SDL_strcasecmp(name.c_str(), "pulse") == 0) {
            name = "pulseaudio"; // SDL's own alias
        }
        for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i) {
            if (SDL_strcasecmp(name.c_str(), SDL_GetAudioDriver(i)) == 0) {
                return true;
            }
        }
        begin = end + 1;
    }
    return false;
}

} // namespace

std::unique_ptr<AudioOutput> AudioOutput::Create()
{
    // SDL audio itself starts with the first sound: starting it costs start-up time and
    // memory, and with ALSA a thread that wakes ten times a second to look for new devices.
    if (!RequestedDriverExists()) {
        State().lastError = std::string("audio driver not available: ") + SDL_GetHint(SDL_HINT_AUDIODRIVER);
        return nullptr;
    }
    return std::unique_ptr<AudioOutput>(new AudioOutput(std::make_unique<Impl>()));
}

AudioOutput::AudioOutput(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

AudioOutput::~AudioOutput()
{
    Stop();
    if (impl_->subsystemStarted) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool AudioOutput::Start(Render render)
{
    if (impl_->device != 0) {
        return true;
    }
    if (!impl_->subsystemStarted) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            State().lastError = SDL_GetError();
            return false;
        }
        impl_->subsystemStarted = true;
    }
    impl_->render = std::move(render);
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = 1024;
    wanted.callback = &Fill;
    wanted.userdata = impl_.get();
    SDL_AudioSpec obtained{};
    // Rate and channels as the device likes them (the caller resamples); the sample format is
    // converted by SDL when the device wants another.
    impl_->device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                                        SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (impl_->device == 0) {
        State().lastError = SDL_GetError();
        return false;
    }
    impl_->rate = obtained.freq;
    impl_->channels = obtained.channels;
    SDL_PauseAudioDevice(impl_->device, 0);
    return true;
}

void AudioOutput::Stop()
{
    if (impl_->device != 0) {
        SDL_CloseAudioDevice(impl_->device);
        impl_->device = 0;
    }
}

bool AudioOutput::Started() const
{
    return impl_->device != 0;
}

int AudioOutput::Rate() const
{
    return impl_->rate;
}

int AudioOutput::Channels() const
{
    return impl_->channels;
}

} // namespace amiga::host
