// SPDX-License-Identifier: MIT
// The logos: a blue ground darkening downwards, the name in topaz 8 bold blown up to
// blocks with a black shadow, the flag, and on the large one the credit line.
//
// Pens of the game's palette used here: 1 black, 2 white, 10 yellow, 15 green, 17 red,
// 144 to 159 the blues from 0000FF down to 000040.
#include "tools/pictures/Logos.h"

#include "platform/graphics/Graphics.h"
#include "tools/pictures/Lettering.h"

namespace pictures {

namespace {

using amiga::PenBlack;
using amiga::PenWhite;
constexpr Pen Yellow = 10;
constexpr Pen FlagGreen = 15;
constexpr Pen FlagRed = 17;
constexpr Pen BrightBlue = 144;
constexpr int BlueShades = 10; // 144 (0000FF) to 153 (00009B)

constexpr const char* CreditLine = "(c) 2026 The Kesa Pegline developers";

PenCanvas BlueGround(int width, int height)
{
    PenCanvas canvas(width, height);
    for (int y = 0; y < height; ++y)
        canvas.FillRect(0, y, width, 1, static_cast<Pen>(BrightBlue + y * BlueShades / height));
    return canvas;
}

// Text set in topaz 8, each font pixel a scale × scale block, with a black shadow one font
// pixel down and to the right.
void Letter(PenCanvas& canvas, int x, int y, const char* text, int scale, Pen pen, bool bold)
{
    const PenCanvas mask = SetInRomFont(text, {8, bold});
    canvas.StampMask(x + scale, y + scale, mask, scale, PenBlack);
    canvas.StampMask(x, y, mask, scale, pen);
}

// Three upright stripes, green, white and red, in a black outline.
void Flag(PenCanvas& canvas, int x, int y, int stripeWidth, int height)
{
    canvas.FillRect(x - 1, y - 1, 3 * stripeWidth + 2, height + 2, PenBlack);
    canvas.FillRect(x, y, stripeWidth, height, FlagGreen);
    canvas.FillRect(x + stripeWidth, y, stripeWidth, height, PenWhite);
    canvas.FillRect(x + 2 * stripeWidth, y, stripeWidth, height, FlagRed);
}

} // namespace

PenCanvas DrawSmallLogo()
{
    PenCanvas canvas = BlueGround(SmallLogoWidth, SmallLogoHeight);
    Letter(canvas, 8, 4, "Kesa", 2, Yellow, true);
    Letter(canvas, 30, 24, "Pegline", 2, Yellow, true);
    Flag(canvas, 124, 7, 8, 12);
    return canvas;
}

PenCanvas DrawLargeLogo()
{
    PenCanvas canvas = BlueGround(LargeLogoWidth, LargeLogoHeight);
    Letter(canvas, 10, 8, "Kesa Pegline", 3, Yellow, false);
    Flag(canvas, 308, 10, 10, 20);
    const PenCanvas credit = SetInRomFont(CreditLine);
    canvas.StampMask((LargeLogoWidth - credit.Width()) / 2, 56, credit, 1, PenWhite);
    return canvas;
}

} // namespace pictures
