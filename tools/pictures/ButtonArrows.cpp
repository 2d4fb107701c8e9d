// SPDX-License-Identifier: MIT
// The combo arrow, drawn as ASCII art.
#include "tools/pictures/ButtonArrows.h"

#include <string>
#include <vector>

namespace pictures {

namespace {

// clang-format off
const std::vector<std::string> DownArrow = {
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "...##########...",
    "....########....",
    ".....######.....",
    "......####......",
    ".......##.......",
    "................",
    "................",
    "................",
    "................",
    "................",
};
// clang-format on

} // namespace

PenCanvas DrawComboArrow(Pen pen)
{
    PenCanvas canvas(ArrowSize, ArrowSize, 0);
    canvas.Stamp(0, 0, DownArrow, pen);
    return canvas;
}

} // namespace pictures
