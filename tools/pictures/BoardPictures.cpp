// SPDX-License-Identifier: MIT
// The board and peg pictures, described as shapes in palette pens.
//
// Pens of the game's palette used here: 0 the grey ground of a peg's place, 1 black,
// 2 white, 4 blue, 17 red, 24 grey, 42 dark red (the board's frame), 69 yellow, 101 green,
// 183 magenta.
#include "tools/pictures/BoardPictures.h"

#include "platform/graphics/Graphics.h"

#include <string>
#include <vector>

namespace pictures {

namespace {

constexpr Pen Ground = 0;
using amiga::PenBlack;
using amiga::PenWhite;
constexpr Pen Blue = 4;
constexpr Pen Red = 17;
constexpr Pen Grey = 24;
constexpr Pen FrameRed = 42;
constexpr Pen Yellow = 69;
constexpr Pen Green = 101;
constexpr Pen Magenta = 183;

constexpr int Size = BoardPictureSize;

// A peg: the pixels within 19.32 pixels of (24, 23.5), in doubled coordinates so that the
// test stays in integers. The disc is 39 pixels wide (columns 5 to 43), 38 high (rows 5 to
// 42) and has exactly PegDiscPixels pixels.
bool InPegDisc(int x, int y)
{
    const int dx = 2 * x - 48;
    const int dy = 2 * y - 47;
    return dx * dx + dy * dy <= 1493;
}

PenCanvas Peg(Pen pen)
{
    PenCanvas canvas(Size, Size, Ground);
    canvas.FillWhere(InPegDisc, pen);
    return canvas;
}

// The question mark of the covered peg in the secret row, centred on the disc.
// clang-format off
const std::vector<std::string> QuestionMark = {
    "....######....",
    "..##########..",
    ".####....####.",
    ".###......###.",
    ".###......###.",
    "..........###.",
    ".........####.",
    "........####..",
    ".......####...",
    "......####....",
    ".....####.....",
    ".....###......",
    ".....###......",
    "..............",
    "..............",
    ".....###......",
    ".....###......",
    ".....###......",
};
// clang-format on

// The board's frame: dark-red bars 16 pixels across along the rows' ends, a rail 8 pixels
// high under the last row and an 18 × 8 block at each end of the rail, each with a
// one-pixel black edge where it meets the white of the board.
constexpr int BarWidth = 16;
constexpr int RailHeight = 8;
constexpr int BlockWidth = 18;

PenCanvas BarAtLeft()
{
    PenCanvas canvas(Size, Size, PenWhite);
    canvas.FillRect(0, 0, BarWidth, Size, FrameRed);
    canvas.FillRect(BarWidth, 0, 1, Size, PenBlack);
    return canvas;
}

PenCanvas BarAtRight()
{
    PenCanvas canvas(Size, Size, PenWhite);
    canvas.FillRect(Size - BarWidth, 0, BarWidth, Size, FrameRed);
    canvas.FillRect(Size - BarWidth - 1, 0, 1, Size, PenBlack);
    return canvas;
}

PenCanvas RailAtTop()
{
    PenCanvas canvas(Size, Size, PenWhite);
    canvas.FillRect(0, 0, Size, RailHeight, FrameRed);
    canvas.FillRect(0, RailHeight, Size, 1, PenBlack);
    return canvas;
}

PenCanvas BlockAtTopLeft()
{
    PenCanvas canvas(Size, Size, PenWhite);
    canvas.FillRect(0, 0, BlockWidth, RailHeight, FrameRed);
    canvas.FillRect(BlockWidth, 0, 1, RailHeight + 1, PenBlack);
    canvas.FillRect(0, RailHeight, BlockWidth + 1, 1, PenBlack);
    return canvas;
}

PenCanvas BlockAtTopRight()
{
    PenCanvas canvas(Size, Size, PenWhite);
    canvas.FillRect(Size - BlockWidth, 0, BlockWidth, RailHeight, FrameRed);
    canvas.FillRect(Size - BlockWidth - 1, 0, 1, RailHeight + 1, PenBlack);
    canvas.FillRect(Size - BlockWidth - 1, RailHeight, BlockWidth + 1, 1, PenBlack);
    return canvas;
}

PenCanvas CoveredPeg()
{
    PenCanvas canvas = Peg(Magenta);
    const int width = static_cast<int>(QuestionMark.front().size());
    const int height = static_cast<int>(QuestionMark.size());
    canvas.Stamp((Size - width) / 2 + 1, (Size - height) / 2, QuestionMark, PenWhite);
    return canvas;
}

} // namespace

PenCanvas DrawBoardPicture(int index)
{
    switch (index) {
    case 0:
        return Peg(PenBlack);
    case 1:
        return Peg(PenWhite);
    case 2:
        return BarAtLeft();
    case 3:
        return BarAtRight();
    case 4:
        return RailAtTop();
    case 5:
        return BlockAtTopLeft();
    case 6:
        return BlockAtTopRight();
    case 7:
        return Peg(Blue);
    case 8:
        return Peg(Red);
    case 9:
        return Peg(Grey);
    case 10:
        return Peg(Green);
    case 11:
        return Peg(Magenta);
    case 12:
        return Peg(Yellow);
    case 13:
        return CoveredPeg();
    case 14:
        return PenCanvas(Size, Size, PenBlack); // an empty place of a play row
    default:
        return PenCanvas(0, 0);
    }
}

} // namespace pictures
