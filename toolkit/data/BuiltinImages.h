// SPDX-License-Identifier: MIT
// The pictures the program carries inside itself, in the platform's planar Image layout.
// Their planes are drawn at build time by kesa_picture_generator from the descriptions in
// tools/pictures/; every header has LeftEdge = TopEdge = 0, PlaneOnOff = 0 and no NextImage.
#pragma once

#include "platform/intuition/Images.h"

// The board and peg pictures: 48 × 48, depth 8, PlanePick 0xFF, 2304 bytes each.
//  0 black peg     1 white peg     2 frame bar at the left   3 frame bar at the right
//  4 frame rail at the top         5 frame block top left    6 frame block top right
//  7 blue peg      8 red peg       9 grey peg               10 green peg
// 11 magenta peg  12 yellow peg   13 covered peg (magenta with a white question mark)
// 14 empty place (solid black)
// The pegs are discs of 1174 pixels on pen 0.
extern amiga::Image frame0;
extern amiga::Image frame1;
extern amiga::Image frame2;
extern amiga::Image frame3;
extern amiga::Image frame4;
extern amiga::Image frame5;
extern amiga::Image frame6;
extern amiga::Image frame7;
extern amiga::Image frame8;
extern amiga::Image frame9;
extern amiga::Image frame10;
extern amiga::Image frame11;
extern amiga::Image frame12;
extern amiga::Image frame13;
extern amiga::Image frame14;
// frame0 … frame14 in index order, then null.
extern amiga::Image* lstImg[16];

// The small title logo of the about window: 164 × 50, depth 8, PlanePick 0xFF.
extern amiga::Image LogoIFFRaw;
extern amiga::Image* LogoIFF; // &LogoIFFRaw
// The large title logo of the game window: 350 × 75, depth 8, PlanePick 0xFF.
extern amiga::Image LogoIFFLargeRaw;
extern amiga::Image* LogoIFFLarge; // &LogoIFFLargeRaw

// A button's combo arrow, pointing down: 16 × 16, depth 4, PlanePick 0x0F; pen 1 on pen 0,
// and in pen 15 for a disabled button.
extern amiga::Image imgCbo;
extern amiga::Image imgCboDis;
