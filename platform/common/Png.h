// SPDX-License-Identifier: MIT
// PNG files of 8-bit bitmaps: screenshots, and reading them back in tests.
#pragma once

#include "platform/graphics/Graphics.h"

#include <string>
#include <vector>

namespace amiga {

// Writes the bitmap as an 8-bit paletted PNG through `palette` (256 entries of 0x00RRGGBB).
// False (with the reason in `error` when given) when the file cannot be written.
bool SaveBitMapPNG(const BitMap* bitmap, const ULONG* palette, const char* path,
                   std::string* error = nullptr);
// The same through a colour map (pens beyond its Count are black).
bool SaveBitMapPNG(const BitMap* bitmap, const ColorMap* colorMap, const char* path,
                   std::string* error = nullptr);

struct PngImage {
    int width = 0;
    int height = 0;
    bool paletted = false;        // true: `indices` and `palette` hold the picture
    std::vector<UBYTE> indices;   // width * height pen numbers (paletted files)
    std::vector<ULONG> palette;   // 0x00RRGGBB per palette entry (paletted files)
    std::vector<UBYTE> rgb;       // width * height * 3 bytes (every file)

    // 0x00RRGGBB of one pixel.
    ULONG ColorAt(int x, int y) const;
};

// Reads a PNG: paletted files of depth 8 or less fill `indices` and `palette`; every file
// fills `rgb`. False (with the reason in `error` when given) when it cannot be read.
bool LoadPNG(const char* path, PngImage& image, std::string* error = nullptr);

} // namespace amiga
