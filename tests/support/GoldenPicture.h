// SPDX-License-Identifier: MIT
// Golden pictures: a rectangle of pens cut from a bitmap or a composed screen, compared
// pen by pen (palette indexes, never colours) with a checked-in paletted PNG.
//
// On a mismatch the actual picture and a difference picture (red where the pens differ)
// are written into the output directory, by default the test's working directory (ctest
// runs each test in build/<preset>/tests), as <golden name>-actual.png and -diff.png.
// With KESA_REGENERATE_GOLDEN set to anything but "" or "0", the golden is written from
// the actual picture instead and the comparison passes.
#pragma once

#include "platform/graphics/Graphics.h"
#include "platform/testing/InputTesting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testsupport {

struct PenPicture {
    int width = 0;
    int height = 0;
    std::vector<amiga::UBYTE> pens;    // width * height, row after row
    std::vector<amiga::ULONG> palette; // 256 entries of 0x00RRGGBB, for the PNG written

    amiga::UBYTE At(int x, int y) const
    {
        return pens[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

// The rectangle of the bitmap (pixels outside it read as pen 0), with the palette given
// (256 entries; null: a grey ramp).
PenPicture CutBitMap(const amiga::BitMap* bitmap, int left, int top, int width, int height,
                     const amiga::ULONG* palette);
// The rectangle of a composed screen, with the screen's palette.
PenPicture CutScreen(const amiga::ComposedScreen& screen, int left, int top, int width, int height);

// Writes the picture as an 8-bit paletted PNG.
bool SavePenPicture(const PenPicture& picture, const std::string& path, std::string* error = nullptr);

// True when KESA_REGENERATE_GOLDEN asks for goldens to be written.
bool RegeneratingGoldens();

// Compares with the paletted PNG at goldenPath; see the top of this file for what a
// mismatch leaves behind.
::testing::AssertionResult MatchesGolden(const PenPicture& actual, std::string goldenPath,
                                         const std::string& outputDirectory = ".");

} // namespace testsupport
