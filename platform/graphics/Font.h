// SPDX-License-Identifier: MIT
// The glyphs behind a TextFont and the list of fonts in memory; private to graphics and
// diskfont.
#pragma once

#include "platform/graphics/Graphics.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace amiga::internal {

// One character's picture, positioned relative to the pen: its top-left pixel lands at
// (cp_x + left, cp_y + top), so a pixel resting on the baseline has row -top.
struct Glyph {
    bool defined = false;
    int advance = 0; // how far cp_x moves
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<UBYTE> bits; // width * height, 1 for a set pixel
};

class FontFace {
public:
    std::string name; // as opened, owns the TextFont's tf_Name
    std::array<Glyph, 256> glyphs;
    Glyph missing;         // drawn for characters the font does not have
    UBYTE drawnStyles = 0; // FSF_* the drawing adds for this font (styles it lacks)
    bool rom = false;      // stays in memory when its last user closes it

    const Glyph& For(UBYTE c) const { return glyphs[c].defined ? glyphs[c] : missing; }
};

// A font in memory: the TextFont handed out and the glyphs it draws with.
struct LoadedFont {
    TextFont font{};
    std::unique_ptr<FontFace> face;
    UWORD requestedSize = 0;  // ta_YSize it was opened for
    UBYTE requestedStyle = 0; // ta_Style it was opened for
};

// The fonts in memory, as the platform's font list: ROM fonts (made on first use, never
// removed) and disk fonts (removed when their last user closes them).
class FontList {
public:
    // The best match among the fonts in memory with this name: nearest height, then the
    // closest style. Adds one user. Null when no font of that name is in memory.
    TextFont* Find(const TextAttr& attr);
    // An exact match of name, height and requested style, with one user added; null otherwise.
    TextFont* FindExact(const TextAttr& attr);
    // Takes a new font into memory with one user.
    TextFont* Add(std::unique_ptr<LoadedFont> font);
    void Close(TextFont* font);
    void Reset(); // in the testing library: drops the disk fonts

private:
    void EnsureRomFonts();
    std::vector<std::unique_ptr<LoadedFont>> fonts_;
};

FontList& Fonts();

// The built-in topaz faces, drawn in RomFont8.cpp and RomFont9.cpp.
std::unique_ptr<LoadedFont> MakeTopaz8();
// Topaz 8's ASCII art: 8 rows per character, characters 32 to 126 (topaz 9 builds on it).
const char* const* Topaz8Art();
std::unique_ptr<LoadedFont> MakeTopaz9();
// Builds a ROM font from rows of ASCII art ('#' set, anything else clear), `rows` rows per
// glyph, glyphs for characters first..first + count - 1 in order.
std::unique_ptr<LoadedFont> MakeRomFont(const char* const* art, int first, int count, int rows, int baseline);

// Case-insensitive comparison of font names.
bool SameFontName(const char* a, const char* b);

} // namespace amiga::internal
