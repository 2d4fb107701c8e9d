// SPDX-License-Identifier: MIT
// The 48 × 48 board and peg pictures of the list lstImg, by index.
#pragma once

#include "tools/pictures/PenCanvas.h"

namespace pictures {

constexpr int BoardPictureSize = 48;
constexpr int BoardPictureCount = 15;
// Pixels of every peg disc.
constexpr int PegDiscPixels = 1174;

// Picture `index` (0 to 14) of the list; an empty canvas for any other index.
PenCanvas DrawBoardPicture(int index);

} // namespace pictures
