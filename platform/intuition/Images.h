// SPDX-License-Identifier: MIT
// intuition's planar Images and IntuiTexts, drawn into a RastPort.
#pragma once

#include "platform/graphics/Graphics.h"

namespace amiga {

// A planar picture. ImageData holds Depth planes one after another; each plane holds Height
// rows of (Width + 15) / 16 words. Words are stored most significant byte first whatever
// the host's byte order (the platform's layout), and within a row the leftmost pixel is the
// most significant bit of the first byte. A pixel's pen is the sum of 2^p over the planes
// p (0 = first) whose bit is set.
struct Image {
    WORD LeftEdge;
    WORD TopEdge;
    WORD Width;
    WORD Height;
    WORD Depth;
    UWORD* ImageData;
    UBYTE PlanePick;  // destination pen bits that receive the image's planes, lowest first
    UBYTE PlaneOnOff; // value of the pen bits that PlanePick leaves out
    struct Image* NextImage;
};

// Draws the image and every image linked through NextImage, each at
// (left + LeftEdge, top + TopEdge). Pen bit i comes from the next image plane when bit i of
// PlanePick is set, otherwise from bit i of PlaneOnOff; pixels are written whatever the
// RastPort's draw mode, clipped. An image without data (or of zero size) draws nothing;
// with PlanePick 0 it fills its rectangle with PlaneOnOff.
void DrawImage(RastPort* rp, const Image* image, LONG left, LONG top);

struct IntuiText {
    UBYTE FrontPen;
    UBYTE BackPen;
    UBYTE DrawMode;
    WORD LeftEdge;
    WORD TopEdge;
    const TextAttr* ITextFont; // null: the RastPort's font (PrintIText) or topaz 8 (length)
    CONST_STRPTR IText;
    struct IntuiText* NextText;
};

// Prints each text of the chain with its top-left corner at (left + LeftEdge,
// top + TopEdge), in its pens, draw mode and font; the RastPort's pens, mode, font and
// position are restored afterwards.
void PrintIText(RastPort* rp, const IntuiText* iText, LONG left, LONG top);
// The pixel width of the first text of the chain in its font (topaz 8 when the font is
// null or cannot be opened).
LONG IntuiTextLength(const IntuiText* iText);

} // namespace amiga
