// SPDX-License-Identifier: MIT
// The browser host's sound output: a Web Audio node that asks for frames as it plays. It
// runs on the page's one thread, between the program's waits, as the input callbacks do.
#include "platform/host/HostAudio.h"

#include <emscripten.h>

#include <cstdlib>

namespace amiga::host {

struct AudioOutput::Impl {
    Render render;
    int16_t* buffer = nullptr;
    int rate = 0;
    int channels = 0;
    bool started = false;
};

namespace {

constexpr int kFrames = 2048;
constexpr int kChannels = 2;

// The context exists from the first sound on; the page resumes it at the first gesture
// (browsers keep a page silent until then).
// The page's side, in JavaScript: clang-format would read it as C++.
// clang-format off
EM_JS(int, JsAudioStart, (void* impl, int16_t* buffer, int frames, int channels), {
    const AudioContextClass = window.AudioContext || window.webkitAudioContext;
    if (!AudioContextClass) return 0;
    const ctx = Module.kesaAudio || (Module.kesaAudio = new AudioContextClass());
    const node = ctx.createScriptProcessor(frames, 0, channels);
    node.onaudioprocess = (e) => {
        _kesa_audio_render(impl, buffer, frames, channels);
        for (let c = 0; c < channels; c++) {
            const out = e.outputBuffer.getChannelData(c);
            for (let i = 0; i < frames; i++) out[i] = HEAP16[(buffer >> 1) + i * channels + c] / 32768;
        }
    };
    node.connect(ctx.destination);
    Module.kesaAudioNode = node;
    return ctx.sampleRate;
});
EM_JS(void, JsAudioStop, (), {
    const node = Module.kesaAudioNode;
    if (node) {
        node.onaudioprocess = null;
        node.disconnect();
        Module.kesaAudioNode = null;
    }
});
// clang-format on

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void kesa_audio_render(AudioOutput::Impl* impl, int16_t* frames, int count,
                                                       int channels)
{
    if (impl->started) {
        impl->render(frames, count, channels);
    }
}

std::unique_ptr<AudioOutput> AudioOutput::Create()
{
    return std::unique_ptr<AudioOutput>(new AudioOutput(std::make_unique<Impl>()));
}

AudioOutput::AudioOutput(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

AudioOutput::~AudioOutput()
{
    Stop();
}

bool AudioOutput::Start(Render render)
{
    if (impl_->started) {
        return true;
    }
    impl_->render = std::move(render);
    impl_->buffer = static_cast<int16_t*>(std::calloc(kFrames * kChannels, sizeof(int16_t)));
    const int rate = impl_->buffer != nullptr ? JsAudioStart(impl_.get(), impl_->buffer, kFrames, kChannels) : 0;
    if (rate <= 0) {
        std::free(impl_->buffer);
        impl_->buffer = nullptr;
        return false;
    }
    impl_->rate = rate;
    impl_->channels = kChannels;
    impl_->started = true;
    return true;
}

void AudioOutput::Stop()
{
    if (!impl_->started) {
        return;
    }
    JsAudioStop();
    impl_->started = false;
    std::free(impl_->buffer);
    impl_->buffer = nullptr;
}

bool AudioOutput::Started() const
{
    return impl_->started;
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
