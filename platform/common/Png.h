// SPDX-License-Identifier: MIT
// Paletted PNG files of 8-bit images: screenshots and the pictures tools write.
#pragma once

#include "platform/common/Types.h"

#include <string>

namespace amiga {

// Writes `height` rows of `width` pen numbers (`bytesPerRow` apart) as an 8-bit paletted PNG
// through `palette` (256 entries of 0x00RRGGBB). False (with the reason in `error` when
// given) when the file cannot be written.
bool SavePNG(const UBYTE* pixels, int width, int height, int bytesPerRow, const ULONG* palette, const char* path,
             std::string* error = nullptr);

} // namespace amiga
