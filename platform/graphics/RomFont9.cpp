// SPDX-License-Identifier: MIT
// The ROM font topaz 9: topaz 8 with a ninth row, so that g, j, p, q and y keep the full
// x-height above a two-row descender; baseline on row 6. Only the characters that reach into
// the ninth row are drawn again here; every other one is topaz 8's with a blank row below.
#include "platform/graphics/Font.h"

#include <array>

namespace amiga::internal {

namespace {

constexpr int kFirst = 32;
constexpr int kCount = 95;
constexpr int kRows = 9;

struct TallGlyph {
    char code;
    const char* rows[kRows];
};

// 9 rows per character, '#' a set pixel.
// clang-format off
const TallGlyph kTallGlyphs[] = {
    {',',
     {"........",
      "........",
      "........",
      "........",
      "........",
      "...##...",
      "...##...",
      "...##...",
      "..##...."}},
    {';',
     {"........",
      "...##...",
      "...##...",
      "........",
      "........",
      "...##...",
      "...##...",
      "...##...",
      "..##...."}},
    {'_',
     {"........",
      "........",
      "........",
      "........",
      "........",
      "........",
      "........",
      "........",
      "#######."}},
    {'g',
     {"........",
      "........",
      ".#####..",
      "##..##..",
      "##..##..",
      "##..##..",
      ".#####..",
      "....##..",
      ".####..."}},
    {'j',
     {"....##..",
      "........",
      "...###..",
      "....##..",
      "....##..",
      "....##..",
      "....##..",
      "##..##..",
      ".####..."}},
    {'p',
     {"........",
      "........",
      "#####...",
      "##..##..",
      "##..##..",
      "##..##..",
      "#####...",
      "##......",
      "##......"}},
    {'q',
     {"........",
      "........",
      ".#####..",
      "##..##..",
      "##..##..",
      "##..##..",
      ".#####..",
      "....##..",
      "....##.."}},
    {'y',
     {"........",
      "........",
      "##..##..",
      "##..##..",
      "##..##..",
      "##..##..",
      ".#####..",
      "....##..",
      ".####..."}},
    {'|',
     {"...##...",
      "...##...",
      "...##...",
      "...##...",
      "...##...",
      "...##...",
      "...##...",
      "...##...",
      "...##..."}},
};
// clang-format on

// Topaz 8's rows with a blank ninth row, the tall characters replaced.
const std::array<const char*, kCount * kRows>& Art()
{
    static const std::array<const char*, kCount* kRows> art = [] {
        std::array<const char*, kCount * kRows> rows{};
        const char* const* topaz8 = Topaz8Art();
        for (int c = 0; c < kCount; ++c) {
            for (int y = 0; y < kRows - 1; ++y)
                rows[c * kRows + y] = topaz8[c * (kRows - 1) + y];
            rows[c * kRows + kRows - 1] = "........";
        }
        for (const TallGlyph& glyph : kTallGlyphs)
            for (int y = 0; y < kRows; ++y)
                rows[(glyph.code - kFirst) * kRows + y] = glyph.rows[y];
        return rows;
    }();
    return art;
}

} // namespace

std::unique_ptr<LoadedFont> MakeTopaz9()
{
    return MakeRomFont(Art().data(), kFirst, kCount, kRows, 6);
}

} // namespace amiga::internal
