// SPDX-License-Identifier: MIT
// Colour maps and the ways the platform loads colours into a ViewPort.
#include "platform/graphics/Graphics.h"

namespace amiga {

namespace {

// The top byte of a left-justified 32-bit component.
ULONG Top8(ULONG component)
{
    return component >> 24;
}

void Store(ColorMap* map, ULONG pen, ULONG red8, ULONG green8, ULONG blue8)
{
    if (!map || pen >= map->Count)
        return;
    map->ColorTable[pen] = (red8 & 0xFF) << 16 | (green8 & 0xFF) << 8 | (blue8 & 0xFF);
}

} // namespace

ColorMap* GetColorMap(LONG entries)
{
    if (entries < 1 || entries > 256)
        return nullptr;
    auto* map = new ColorMap{};
    map->Count = static_cast<UWORD>(entries);
    return map;
}

void FreeColorMap(ColorMap* colorMap)
{
    delete colorMap;
}

void LoadRGB32(ViewPort* viewPort, const ULONG* table)
{
    if (!viewPort || !viewPort->ColorMap || !table)
        return;
    ColorMap* map = viewPort->ColorMap;
    for (;;) {
        const ULONG count = *table >> 16;
        const ULONG first = *table & 0xFFFF;
        if (count == 0)
            break;
        ++table;
        for (ULONG i = 0; i < count; ++i, table += 3)
            Store(map, first + i, Top8(table[0]), Top8(table[1]), Top8(table[2]));
    }
    ++map->Changes;
}

void SetRGB32(ViewPort* viewPort, ULONG pen, ULONG red, ULONG green, ULONG blue)
{
    if (!viewPort || !viewPort->ColorMap)
        return;
    Store(viewPort->ColorMap, pen, Top8(red), Top8(green), Top8(blue));
    ++viewPort->ColorMap->Changes;
}

} // namespace amiga
