// SPDX-License-Identifier: MIT
// The title logos: the game's name in the ROM font on a blue ground with the small
// green-white-red flag.
#pragma once

#include "tools/pictures/PenCanvas.h"

namespace pictures {

constexpr int SmallLogoWidth = 164;
constexpr int SmallLogoHeight = 50;
constexpr int LargeLogoWidth = 350;
constexpr int LargeLogoHeight = 75;

// The about window's logo: the name on two lines.
PenCanvas DrawSmallLogo();
// The game window's logo: the name on one line and the makers' credit under it.
PenCanvas DrawLargeLogo();

} // namespace pictures
