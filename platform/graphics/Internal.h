// SPDX-License-Identifier: MIT
// Seams of graphics for the rest of the platform; not part of the API the toolkit sees.
#pragma once

#include "platform/graphics/Graphics.h"

namespace amiga::internal {

// The ROM font topaz 8, opened once and kept: what a RastPort without a font draws with.
TextFont* DefaultFont();

} // namespace amiga::internal
