// SPDX-License-Identifier: MIT
// tagPOINT: a point in the coordinates of a window's client area.
#pragma once

#include <cstdint>

struct tagPOINT {
    int32_t x;
    int32_t y;
};

inline bool operator==(const tagPOINT& a, const tagPOINT& b)
{
    return a.x == b.x && a.y == b.y;
}
