// SPDX-License-Identifier: MIT
// IconPicture: the desktop icon made from the large logo, a true-colour picture with alpha.
#pragma once

#include "platform/intuition/Images.h"

#include <cstdint>
#include <string>
#include <vector>

namespace icon {

struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // width * height * 4 bytes, row after row, straight alpha
};

// The image as drawn by the platform, each pen through a LoadRGB32 colour table; opaque.
// Empty when the image cannot be drawn.
RgbaPicture ImageToRgba(const amiga::Image& image, const amiga::ULONG* loadRgb32Table);

// A size × size tile with rounded, transparent corners: the logo scaled down (averaging the
// area each pixel covers, in linear light) to fit across it with a small margin, centred,
// and the logo's top and bottom rows carried on to the tile's edges so that its ground
// fills the tile without a seam.
RgbaPicture SquareIcon(const RgbaPicture& logo, int size);

// An 8-bit RGBA PNG. False with the reason in `error` when the file cannot be written.
bool SaveRgbaPng(const RgbaPicture& picture, const std::string& path, std::string& error);

} // namespace icon
