// SPDX-License-Identifier: MIT
// diskfont.library: fonts loaded from the system's font files.
#pragma once

#include "platform/graphics/Graphics.h"

namespace amiga {

// Opens a font at ta_YSize pixels: ROM font names go to OpenFont; "helvetica.font",
// "times.font" and "courier.font" map to the system's sans-serif, serif and monospaced
// faces; any other "name.font" is looked up as the family "name". Bold and italic requests
// pick the matching face; an underline request is drawn by the font. Null when no font
// file of that family exists (the system's arbitrary fallback is not accepted), and for
// heights of 0 or above 1024 pixels.
TextFont* OpenDiskFont(const TextAttr* textAttr);

} // namespace amiga
