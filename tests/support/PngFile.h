// SPDX-License-Identifier: MIT
// PNG files read back for comparisons.
#pragma once

#include "platform/common/Types.h"

#include <string>
#include <vector>

namespace testsupport {

struct PngImage {
    int width = 0;
    int height = 0;
    bool paletted = false;             // true: `indices` and `palette` hold the picture
    std::vector<amiga::UBYTE> indices; // width * height pen numbers (paletted files)
    std::vector<amiga::ULONG> palette; // 0x00RRGGBB per palette entry (paletted files)
    std::vector<amiga::UBYTE> rgb;     // width * height * 3 bytes (files without a palette)

    // 0x00RRGGBB of one pixel.
    amiga::ULONG ColorAt(int x, int y) const;
};

// Reads a PNG: paletted files fill `indices` and `palette`, others `rgb`. False (with the
// reason in `error` when given) when it cannot be read.
bool LoadPNG(const char* path, PngImage& image, std::string* error = nullptr);

} // namespace testsupport
