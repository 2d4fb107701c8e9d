// SPDX-License-Identifier: MIT
// The game's 256 colours, as the screen shows them.
#pragma once

#include <array>
#include <cstdint>

namespace pictures {

// 0xRRGGBB for each pen.
const std::array<std::uint32_t, 256>& GamePalette();

} // namespace pictures
