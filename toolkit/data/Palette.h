// SPDX-License-Identifier: MIT
// The game's 256 colours as a LoadRGB32 table, generated at build time by
// kesa_picture_generator from tools/pictures/GamePalette.cpp.
#pragma once

#include "platform/common/Types.h"

// 770 words (3080 bytes): 256 << 16 | 0 (256 colours from pen 0); red, green and blue of
// each pen as 8-bit intensities in the top byte of a word; a terminating 0.
extern const amiga::ULONG palettedata[770];
