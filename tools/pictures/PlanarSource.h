// SPDX-License-Identifier: MIT
// PlanarSource: pictures turned into the platform's planar Image layout and written out as
// C++ definitions, with the picture lists and the LoadRGB32 colour table.
#pragma once

#include "tools/pictures/PenCanvas.h"

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace pictures {

struct PlanarPicture {
    std::string name; // the name of the Image definition
    int width = 0;
    int height = 0;
    int depth = 0;
    Pen planePick = 0;
    // Depth planes one after another, Height rows each, (Width + 15) / 16 words a row,
    // each word most significant byte first; the leftmost pixel is the top bit.
    std::vector<std::uint8_t> planes;
};

// Plane p holds the pen bit of the p-th bit set in planePick. False (with the reason) when
// a pixel's pen has a bit outside planePick: PlaneOnOff is 0, so it could not be shown.
bool ToPlanar(const std::string& name, const PenCanvas& canvas, int depth, Pen planePick, PlanarPicture& picture,
              std::string& error);

// A null-terminated list of Image pointers.
struct PictureList {
    std::string name;
    std::vector<std::string> entries;
};

// An Image pointer defined as the address of one picture (LogoIFF = &LogoIFFRaw).
struct PictureAlias {
    std::string name;
    std::string target;
};

// One C++ source defining every picture (its planes and its Image header), the lists and
// the aliases; `header` is the include that declares them.
void WriteImageSource(std::ostream& out, const std::string& header, const std::vector<PlanarPicture>& pictures,
                      const std::vector<PictureList>& lists, const std::vector<PictureAlias>& aliases);

// One C++ source defining `name` as the colour table in the LoadRGB32 layout: the word
// (256 << 16 | 0), red, green and blue of each pen as 8-bit intensities in the top byte,
// and a terminating 0.
void WritePaletteSource(std::ostream& out, const std::string& header, const std::string& name,
                        const std::array<std::uint32_t, 256>& colours);

} // namespace pictures
