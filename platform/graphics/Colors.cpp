// SPDX-License-Identifier: MIT
// Colour maps and the ways the platform loads colours into a ViewPort.
#include "platform/graphics/Graphics.h"

namespace amiga {

namespace {

// The top byte of a left-justified 32-bit component.
ULONG Top8(ULONG component) { return component >> 24; }

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

void FreeColorMap(ColorMap* colorMap) { delete colorMap; }

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

void LoadRGB4(ViewPort* viewPort, const UWORD* colors, LONG count)
{
    if (!viewPort || !viewPort->ColorMap || !colors)
        return;
    for (LONG i = 0; i < count; ++i) {
        const ULONG c = colors[i];
        Store(viewPort->ColorMap, static_cast<ULONG>(i), ((c >> 8) & 15) * 0x11, ((c >> 4) & 15) * 0x11,
              (c & 15) * 0x11);
    }
    ++viewPort->ColorMap->Changes;
}

void SetRGB32(ViewPort* viewPort, ULONG pen, ULONG red, ULONG green, ULONG blue)
{
    if (!viewPort || !viewPort->ColorMap)
        return;
    Store(viewPort->ColorMap, pen, Top8(red), Top8(green), Top8(blue));
    ++viewPort->ColorMap->Changes;
}

void SetRGB4(ViewPort* viewPort, LONG pen, ULONG red, ULONG green, ULONG blue)
{
    if (!viewPort || !viewPort->ColorMap || pen < 0)
        return;
    Store(viewPort->ColorMap, static_cast<ULONG>(pen), (red & 15) * 0x11, (green & 15) * 0x11,
          (blue & 15) * 0x11);
    ++viewPort->ColorMap->Changes;
}

void GetRGB32(const ColorMap* colorMap, ULONG first, ULONG count, ULONG* table)
{
    if (!colorMap || !table)
        return;
    for (ULONG i = 0; i < count; ++i) {
        const ULONG pen = first + i;
        const ULONG rgb = pen < colorMap->Count ? colorMap->ColorTable[pen] : 0;
        // Each 8-bit component replicated over the 32 bits, as the platform returns them.
        table[3 * i] = ((rgb >> 16) & 0xFF) * 0x01010101u;
        table[3 * i + 1] = ((rgb >> 8) & 0xFF) * 0x01010101u;
        table[3 * i + 2] = (rgb & 0xFF) * 0x01010101u;
    }
}

LONG GetRGB4(const ColorMap* colorMap, LONG pen)
{
    if (!colorMap || pen < 0 || pen >= colorMap->Count)
        return -1;
    const ULONG rgb = colorMap->ColorTable[pen];
    return static_cast<LONG>(((rgb >> 20) & 15) << 8 | ((rgb >> 12) & 15) << 4 | ((rgb >> 4) & 15));
}

} // namespace amiga
