// SPDX-License-Identifier: MIT
// Drawing costs that a repaint of the game board pays: planar images and lines of text.
#include "platform/diskfont/DiskFont.h"
#include "platform/graphics/Internal.h"
#include "platform/intuition/Images.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

using namespace amiga;

namespace {

struct Screen {
    Screen()
    {
        bitmap = AllocBitMap(800, 600, 8, BMF_CLEAR, nullptr);
        InitRastPort(&rp);
        rp.BitMap = bitmap;
    }
    ~Screen() { FreeBitMap(bitmap); }
    BitMap* bitmap;
    RastPort rp{};
};

// The game board repaints 66 pictures of 48 × 48 in 8 planes.
void DrawImages66(benchmark::State& state)
{
    Screen screen;
    constexpr int kSize = 48;
    constexpr int kDepth = 8;
    std::vector<UBYTE> data(2 * ((kSize + 15) / 16) * kSize * kDepth);
    std::mt19937 random(1);
    for (UBYTE& b : data)
        b = static_cast<UBYTE>(random());
    Image image{};
    image.Width = kSize;
    image.Height = kSize;
    image.Depth = kDepth;
    image.ImageData = reinterpret_cast<UWORD*>(data.data());
    image.PlanePick = 0xFF;
    for (auto _ : state) {
        for (int i = 0; i < 66; ++i)
            DrawImage(&screen.rp, &image, 20 + (i % 11) * 50, 20 + (i / 11) * 50);
        benchmark::DoNotOptimize(screen.bitmap->Pixels[100 * 800 + 100]);
    }
}
BENCHMARK(DrawImages66)->Unit(benchmark::kMicrosecond);

const char kLine[] = "Kesa Pegline: proposte 0123456789, colori esatti e fuori posto ... fine riga!!";
static_assert(sizeof(kLine) - 1 >= 78);

void TextLine(benchmark::State& state, TextFont* font)
{
    Screen screen;
    if (!font) {
        state.SkipWithError("font not available");
        return;
    }
    SetFont(&screen.rp, font);
    SetDrMd(&screen.rp, JAM2);
    char line[81];
    for (int i = 0; i < 80; ++i)
        line[i] = kLine[i % (sizeof(kLine) - 1)];
    line[80] = '\0';
    for (auto _ : state) {
        Move(&screen.rp, 0, 300);
        Text(&screen.rp, line, 80);
    }
    CloseFont(font);
}

void Text80Topaz8(benchmark::State& state)
{
    const TextAttr topaz{"topaz.font", 8, FS_NORMAL, FPF_ROMFONT};
    TextLine(state, OpenFont(&topaz));
}
BENCHMARK(Text80Topaz8)->Unit(benchmark::kMicrosecond);

void Text80Helvetica24(benchmark::State& state)
{
    const TextAttr helvetica{"helvetica.font", 24, FS_NORMAL, FPF_DISKFONT};
    TextLine(state, OpenDiskFont(&helvetica));
}
BENCHMARK(Text80Helvetica24)->Unit(benchmark::kMicrosecond);

// Opening a disk font renders its whole character set once.
void OpenHelvetica24(benchmark::State& state)
{
    const TextAttr helvetica{"helvetica.font", 24, FS_NORMAL, FPF_DISKFONT};
    for (auto _ : state) {
        TextFont* font = OpenDiskFont(&helvetica);
        benchmark::DoNotOptimize(font);
        CloseFont(font);
    }
}
BENCHMARK(OpenHelvetica24)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
