// SPDX-License-Identifier: MIT
// Lettering: text set in the platform's built-in ROM font (topaz), for the logos.
#pragma once

#include "tools/pictures/PenCanvas.h"

#include <string>

namespace pictures {

struct LetteringStyle {
    int fontSize = 8;  // topaz 8 or 9
    bool bold = false; // the platform's algorithmic bold (one pixel of smear)
};

// The text as the platform's Text draws it: a mask as wide as the text's advance and as
// high as the font's line, 1 where a glyph pixel is set. An empty mask when the ROM font
// does not open.
PenCanvas SetInRomFont(const std::string& text, LetteringStyle style = {});

} // namespace pictures
