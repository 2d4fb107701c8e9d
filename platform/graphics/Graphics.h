// SPDX-License-Identifier: MIT
// graphics.library: chunky 8-bit bitmaps, RastPorts with pens, patterns and fonts, colour maps.
//
// Every bitmap holds one byte per pixel (a pen number); Depth only limits which pen bits a
// drawing operation may set, as the planes of the platform would. Every drawing operation
// clips to the bitmap and to the RastPort's clip rectangle, and bumps the bitmap's Changes
// counter so intuition knows when to compose the screen again.
#pragma once

#include "platform/common/Types.h"

namespace amiga {

struct TextFont;
struct Layer; // owned by intuition; graphics never looks inside

namespace internal {
class FontFace;
} // namespace internal

using PLANEPTR = UBYTE*;

// ---- Bitmaps ------------------------------------------------------------------------------

constexpr ULONG BMF_CLEAR = 1u << 0;
constexpr ULONG BMF_DISPLAYABLE = 1u << 1;
constexpr ULONG BMF_INTERLEAVED = 1u << 2;
constexpr ULONG BMF_STANDARD = 1u << 3;
constexpr ULONG BMF_MINPLANES = 1u << 4;

struct BitMap {
    UWORD BytesPerRow; // bytes from one row to the next (one byte per pixel, maybe padded)
    UWORD Rows;
    UBYTE Flags;
    UBYTE Depth; // 1..8: pens are masked to Depth bits when drawn
    UWORD pad;
    UWORD Width;   // pixels per row (chunky extension)
    UBYTE* Pixels; // Rows * BytesPerRow pen numbers, row after row (chunky extension)
    ULONG Changes; // bumped by every drawing operation that may have changed a pixel
};

// Pixels are always cleared to pen 0 (BMF_CLEAR or not); null when a size is zero or the
// depth is outside 1..8. The friend bitmap is accepted and ignored.
BitMap* AllocBitMap(ULONG sizeX, ULONG sizeY, ULONG depth, ULONG flags, const BitMap* friendBitMap);
void FreeBitMap(BitMap* bitmap);

// Copies a rectangle between bitmaps (or within one; overlaps are handled). Only the
// plain copy minterm (0xC0) and its inversion (0x30) are distinguished: any other minterm
// copies. `mask` selects which pen bits of the destination are written. Clipped to both
// bitmaps. Returns the number of planes touched (8), or 0 when nothing was copied.
LONG BltBitMap(const BitMap* source, LONG xSource, LONG ySource, BitMap* destination, LONG xDest, LONG yDest,
               LONG xSize, LONG ySize, ULONG minterm, ULONG mask, PLANEPTR tempA);

// ---- RastPort -----------------------------------------------------------------------------

struct Rectangle {
    WORD MinX;
    WORD MinY;
    WORD MaxX;
    WORD MaxY;
};

constexpr UBYTE JAM1 = 0;
constexpr UBYTE JAM2 = 1;
constexpr UBYTE COMPLEMENT = 2;
constexpr UBYTE INVERSVID = 4;

// RastPort Flags
constexpr UWORD FRST_DOT = 0x01;
constexpr UWORD ONE_DOT = 0x02;
constexpr UWORD DBUFFER = 0x04;
constexpr UWORD NOCROSSFILL = 0x20;

struct RastPort {
    struct Layer* Layer; // intuition's link to the owning window; may be null
    struct BitMap* BitMap;
    UWORD* AreaPtrn;
    UBYTE Mask;  // pen bits that drawing may change
    UBYTE FgPen; // the A pen
    UBYTE BgPen; // the B pen
    UBYTE AOlPen;
    UBYTE DrawMode; // JAM1, JAM2, COMPLEMENT, optionally | INVERSVID
    BYTE AreaPtSz;
    BYTE linpatcnt; // bit of LinePtrn used for the next pixel (15 = first)
    UWORD Flags;    // FRST_DOT...
    UWORD LinePtrn; // 16-bit pattern of lines, bit 15 first
    WORD cp_x;      // current pen position
    WORD cp_y;
    struct TextFont* Font;
    UBYTE AlgoStyle; // FSF_* styles added algorithmically (SetSoftStyle)
    UBYTE TxFlags;
    UWORD TxHeight;
    UWORD TxWidth;
    UWORD TxBaseline;
    WORD TxSpacing;
    // Drawing is limited to this rectangle (inclusive, bitmap coordinates), intersected
    // with the bitmap. InitRastPort opens it to the whole bitmap; intuition narrows it to
    // the part of its window's bitmap that drawing may reach.
    struct Rectangle ClipRect;
};

// Pens 1 and 0, JAM2, solid pattern with FRST_DOT, no font (Text then uses topaz 8), no
// bitmap, an unlimited clip rectangle.
void InitRastPort(RastPort* rp);

ULONG GetAPen(const RastPort* rp);
void SetAPen(RastPort* rp, ULONG pen);
ULONG GetBPen(const RastPort* rp);
void SetBPen(RastPort* rp, ULONG pen);
void SetDrMd(RastPort* rp, ULONG mode);
ULONG GetDrMd(const RastPort* rp);
// The platform's macro: LinePtrn = pattern, Flags |= FRST_DOT | 0x10, linpatcnt = 15.
void SetDrPt(RastPort* rp, UWORD pattern);
// Sets the clip rectangle (inclusive corners); an empty one (max < min) blocks all drawing.
void SetClipRect(RastPort* rp, LONG minX, LONG minY, LONG maxX, LONG maxY);

void Move(RastPort* rp, LONG x, LONG y);
// A line from the current position to (x, y) in the line pattern, which continues from
// where the previous line left it; the end point becomes the current position.
void Draw(RastPort* rp, LONG x, LONG y);
// Draw to each of `count` (x, y) pairs in turn, from the current position.
void PolyDraw(RastPort* rp, LONG count, const WORD* polyTable);
// Fills xMin..xMax × yMin..yMax inclusive with the A pen (COMPLEMENT inverts); nothing when
// the rectangle is empty.
void RectFill(RastPort* rp, LONG xMin, LONG yMin, LONG xMax, LONG yMax);
// 0 when the pixel was drawn, -1 when it lies outside the bitmap or the clip rectangle.
LONG WritePixel(RastPort* rp, LONG x, LONG y);
// The pen at (x, y), -1 outside the bitmap.
LONG ReadPixel(const RastPort* rp, LONG x, LONG y);
// The whole bitmap (within the clip rectangle) in `pen`.
void SetRast(RastPort* rp, ULONG pen);
// From the current position to the end of its text line, then every line below, in the B pen.
void ClearScreen(RastPort* rp);
// From the current position to the end of its text line (the font's height) in the B pen.
void ClearEOL(RastPort* rp);

// ---- Fonts --------------------------------------------------------------------------------

constexpr UBYTE FS_NORMAL = 0;
constexpr UBYTE FSF_UNDERLINED = 0x01;
constexpr UBYTE FSF_BOLD = 0x02;
constexpr UBYTE FSF_ITALIC = 0x04;
constexpr UBYTE FSF_EXTENDED = 0x08;
constexpr UBYTE FSF_COLORFONT = 0x40;
constexpr UBYTE FSF_TAGGED = 0x80;

constexpr UBYTE FPF_ROMFONT = 0x01;
constexpr UBYTE FPF_DISKFONT = 0x02;
constexpr UBYTE FPF_REVPATH = 0x04;
constexpr UBYTE FPF_TALLDOT = 0x08;
constexpr UBYTE FPF_WIDEDOT = 0x10;
constexpr UBYTE FPF_PROPORTIONAL = 0x20;
constexpr UBYTE FPF_DESIGNED = 0x40;
constexpr UBYTE FPF_REMOVED = 0x80;

struct TextAttr {
    CONST_STRPTR ta_Name; // "topaz.font", "helvetica.font"...
    UWORD ta_YSize;       // height in pixels
    UBYTE ta_Style;       // FSF_*
    UBYTE ta_Flags;       // FPF_*
};

struct TextFont {
    CONST_STRPTR tf_Name; // the name it was opened by ("topaz.font"); owned by the font
    UWORD tf_YSize;       // line height in pixels
    UBYTE tf_Style;       // styles drawn by the font itself
    UBYTE tf_Flags;       // FPF_ROMFONT or FPF_DISKFONT, FPF_PROPORTIONAL, FPF_DESIGNED
    UWORD tf_XSize;       // nominal width: the widest advance of the printable characters
    UWORD tf_Baseline;    // rows from the top of the line to the baseline row
    UWORD tf_BoldSmear;
    UWORD tf_Accessors; // open count: OpenFont/OpenDiskFont add one, CloseFont removes one
    UBYTE tf_LoChar;
    UBYTE tf_HiChar;
    internal::FontFace* tf_Face; // the glyphs; private to graphics
};

// Finds the font in memory: the ROM fonts "topaz.font" (sizes 8 and 9; other sizes get the
// nearer one) and every disk font opened and not yet closed. Null for any other name.
TextFont* OpenFont(const TextAttr* textAttr);
void CloseFont(TextFont* font);
// Also sets TxHeight, TxWidth, TxBaseline from the font. Returns TRUE.
LONG SetFont(RastPort* rp, TextFont* font);
// Draws `count` characters with their baseline at cp_y and their left edge at cp_x, and
// advances cp_x by their length. JAM1: glyph pixels only, in the A pen; JAM2: the cell
// background in the B pen as well; COMPLEMENT inverts the glyph pixels; INVERSVID swaps.
LONG Text(RastPort* rp, CONST_STRPTR string, ULONG count);
// The advance of `count` characters in the RastPort's font and soft style, without drawing.
WORD TextLength(RastPort* rp, CONST_STRPTR string, ULONG count);
// Changes the bits of `enable` in the algorithmic style to those of `style` (only bold,
// italic, underlined, and only those the font does not already have); returns the new style.
ULONG SetSoftStyle(RastPort* rp, ULONG style, ULONG enable);
// The styles SetSoftStyle can add to the RastPort's font.
ULONG AskSoftStyle(const RastPort* rp);

// ---- Colours ------------------------------------------------------------------------------

// Black and white in the default palette, and the shadow and shine of bevels; a program
// that loads its own palette keeps them there.
constexpr UBYTE PenBlack = 1;
constexpr UBYTE PenWhite = 2;

struct ColorMap {
    UWORD Count;           // entries in use (up to 256)
    ULONG ColorTable[256]; // 0x00RRGGBB per pen
    ULONG Changes;         // bumped whenever a colour is set, so the host converts again
};

struct ViewPort {
    struct ColorMap* ColorMap;
    WORD DWidth;
    WORD DHeight;
    WORD DxOffset; // the screen's position on the display
    WORD DyOffset;
    UWORD Modes;
};

// A colour map of `entries` (1..256) colours, all black; null for other counts.
ColorMap* GetColorMap(LONG entries);
void FreeColorMap(ColorMap* colorMap);
// The platform's table: (count << 16 | first), then red, green, blue as left-justified
// 32-bit values for each colour, then more such runs, ended by a 0 count word.
void LoadRGB32(ViewPort* viewPort, const ULONG* table);
// One colour, components left-justified 32-bit.
void SetRGB32(ViewPort* viewPort, ULONG pen, ULONG red, ULONG green, ULONG blue);

// Lets the screen be shown and returns at the display's next vertical blank: 1/50 s after the
// previous one, or at once when the display has been still for longer than that.
void WaitTOF();

} // namespace amiga
