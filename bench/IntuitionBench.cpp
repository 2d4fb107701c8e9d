// SPDX-License-Identifier: MIT
// Composing and presenting the front screen: an 800 × 600 screen with a backdrop window and
// three overlapping windows, as the game and its dialogs show it.
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "platform/testing/Testing.h"

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace amiga;

namespace {

struct Desktop {
    Screen* screen = nullptr;
    Window* backdrop = nullptr;
    Window* windows[3] = {};

    Desktop()
    {
        screen = OpenScreenTags(nullptr, SA_Depth, 8, SA_LikeWorkbench, TRUE, SA_Width, 800, SA_Height, 600, SA_Title,
                                "Bench", TAG_DONE);
        if (screen == nullptr) {
            std::fprintf(stderr, "IntuitionBench: %s\n", IntuitionLastError());
            return;
        }
        backdrop = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Width, 800, WA_Height, 600, WA_Flags,
                                  WFLG_BACKDROP | WFLG_BORDERLESS, TAG_DONE);
        SetAPen(backdrop->RPort, 5);
        RectFill(backdrop->RPort, 0, 0, 799, 599);
        for (int i = 0; i < 3; ++i) {
            windows[i] =
                OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Left, 100 + i * 120, WA_Top, 80 + i * 90,
                               WA_InnerWidth, 320, WA_InnerHeight, 200, WA_Title, "Window", WA_Flags, 0x120E, TAG_DONE);
        }
    }
    ~Desktop()
    {
        ResetIntuition();
        ResetPlatform();
    }
};

// Something changes every time (one pixel of the backdrop), so every call composes and presents.
void ComposeAndPresentChangedScreen(benchmark::State& state)
{
    Desktop desktop;
    if (desktop.screen == nullptr) {
        state.SkipWithError("no screen");
        return;
    }
    ULONG pen = 0;
    for (auto _ : state) {
        SetAPen(desktop.backdrop->RPort, ++pen & 0xFF);
        WritePixel(desktop.backdrop->RPort, 10, 590);
        internal::PresentIfDirty();
    }
    state.counters["presents"] = static_cast<double>(PresentCount());
}
BENCHMARK(ComposeAndPresentChangedScreen)->Unit(benchmark::kMicrosecond);

// Nothing changed: what a program pays each time it blocks.
void PresentUnchangedScreen(benchmark::State& state)
{
    Desktop desktop;
    if (desktop.screen == nullptr) {
        state.SkipWithError("no screen");
        return;
    }
    internal::PresentIfDirty();
    for (auto _ : state) {
        internal::PresentIfDirty();
    }
}
BENCHMARK(PresentUnchangedScreen)->Unit(benchmark::kMicrosecond);

// Composition alone, without the host's conversion.
void ComposeOnly(benchmark::State& state)
{
    Desktop desktop;
    if (desktop.screen == nullptr) {
        state.SkipWithError("no screen");
        return;
    }
    for (auto _ : state) {
        ComposedScreen composed = ComposeScreen(desktop.screen);
        benchmark::DoNotOptimize(composed.pixels.data());
    }
}
BENCHMARK(ComposeOnly)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
