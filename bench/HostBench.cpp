// SPDX-License-Identifier: MIT
// The host's share of showing a screen: palette conversion of a full 800 x 600 8-bit image
// into the host window, at 1x, enlarged 2x and smoothly to fill a 1920 x 1080 display.
#include "platform/testing/Testing.h"
#include "platform/host/Host.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace amiga;

namespace {

void PresentScreen(benchmark::State& state, int windowW, int windowH)
{
    if (!host::OpenWindow(800, 600, "host bench")) {
        state.SkipWithError("no display");
        return;
    }
    SimulateHostResize(windowW, windowH);
    std::vector<UBYTE> screen(800 * 600);
    for (size_t i = 0; i < screen.size(); ++i) {
        screen[i] = static_cast<UBYTE>(i * 7 + i / 800);
    }
    ULONG palette[256];
    for (ULONG i = 0; i < 256; ++i) {
        palette[i] = i * 0x010203u;
    }
    for (auto _ : state) {
        host::Present(screen.data(), 800, 600, 800, palette);
    }
    ResetPlatform();
}

void Present800x600(benchmark::State& state)
{
    PresentScreen(state, 800, 600);
}

void Present800x600Scaled2x(benchmark::State& state)
{
    PresentScreen(state, 1600, 1200);
}

void Present800x600At1920x1080(benchmark::State& state)
{
    PresentScreen(state, 1920, 1080);
}

} // namespace

BENCHMARK(Present800x600)->Unit(benchmark::kMicrosecond);
BENCHMARK(Present800x600Scaled2x)->Unit(benchmark::kMicrosecond);
BENCHMARK(Present800x600At1920x1080)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
