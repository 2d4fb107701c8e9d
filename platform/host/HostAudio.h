// SPDX-License-Identifier: MIT
// The host's sound output: a stream of signed 16-bit frames that a render function fills on
// the host's audio thread. No SDL type crosses this header.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace amiga::host {

class AudioOutput {
public:
    // Fills frameCount frames of `channels` interleaved samples; called on the audio thread.
    using Render = std::function<void(int16_t* frames, int frameCount, int channels)>;

    // Opens nothing and starts nothing: the host's audio system starts with the first Start.
    // Null when the audio driver asked for is not there (the reason is in host::LastError()).
    static std::unique_ptr<AudioOutput> Create();
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Opens the device at whatever rate and channel count it accepts and starts rendering;
    // false when the host's audio system or the device cannot start.
    bool Start(Render render);
    // Closes the device; once it returns, render is not called any more.
    void Stop();
    bool Started() const;
    // Of the device last started; 0 before.
    int Rate() const;
    int Channels() const;

    struct Impl;

private:
    explicit AudioOutput(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace amiga::host
