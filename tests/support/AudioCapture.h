// SPDX-License-Identifier: MIT
// What SDL's disk audio driver captured: the host's output as raw 16-bit frames, read back as
// the 8-bit samples that were played (each one held for several frames) and where each began.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace capture {

// Sends the host's sound to a file: call before the audio device is first opened.
inline void UseDiskDriver(const std::string& file)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
}

struct Played {
    std::vector<int> samples;   // one per run of equal frames, silence at both ends left out
    std::vector<size_t> starts; // the frame where each began
};

// A full-volume sample s reaches the host as s * 256 on every channel.
inline Played Read(const std::string& file, int channels)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> frames(bytes.size() / sizeof(int16_t));
    std::copy(bytes.data(), bytes.data() + frames.size() * sizeof(int16_t), reinterpret_cast<char*>(frames.data()));
    const auto step = static_cast<size_t>(channels);
    size_t first = SIZE_MAX;
    size_t last = 0;
    for (size_t i = 0; i < frames.size(); i += step) {
        if (frames[i] != 0) {
            first = std::min(first, i);
            last = i;
        }
    }
    Played played;
    for (size_t i = first; first != SIZE_MAX && i <= last; i += step) {
        const int value = frames[i] % 256 == 0 ? frames[i] / 256 : 1000; // 1000: no sample at full volume
        if (played.samples.empty() || value != played.samples.back()) {
            played.samples.push_back(value);
            played.starts.push_back(i / step);
        }
    }
    return played;
}

// Samples per second: the frames from the first sample's start to the last one's, at `rate`.
inline double MeasuredRate(const Played& played, int rate)
{
    if (played.starts.size() < 2)
        return 0;
    const double frames = static_cast<double>(played.starts.back() - played.starts.front());
    return static_cast<double>(played.starts.size() - 1) * rate / frames;
}

} // namespace capture
