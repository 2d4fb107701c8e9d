// SPDX-License-Identifier: MIT
// Planar Images drawn into chunky bitmaps, and IntuiTexts.
#include "platform/intuition/Images.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Internal.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace amiga {

namespace {

// For each byte of a plane, its eight pixels as eight 0/1 bytes in memory order, so one
// OR of a shifted entry sets one pen bit of eight pixels at once.
std::array<uint64_t, 256> MakeSpreadTable()
{
    std::array<uint64_t, 256> table{};
    for (int value = 0; value < 256; ++value) {
        std::array<uint8_t, 8> pixels{};
        for (int i = 0; i < 8; ++i)
            pixels[static_cast<size_t>(i)] = static_cast<uint8_t>((value >> (7 - i)) & 1);
        // The builtin: not every C++ library this builds with has std::bit_cast yet.
        table[static_cast<size_t>(value)] = __builtin_bit_cast(uint64_t, pixels);
    }
    return table;
}

const std::array<uint64_t, 256>& SpreadTable()
{
    static const std::array<uint64_t, 256> table = MakeSpreadTable();
    return table;
}

void DrawOne(const internal::Canvas& canvas, const Image& image, int x0, int y0)
{
    const int width = image.Width;
    const int height = image.Height;
    const UBYTE pick = image.PlanePick;
    if (width <= 0 || height <= 0)
        return;
    if (pick != 0 && !image.ImageData)
        return;
    // The rows of the image that land inside the canvas, and its columns.
    const int firstRow = std::max(0, canvas.MinY() - y0);
    const int lastRow = std::min(height - 1, canvas.MaxY() - y0);
    const int firstColumn = std::max(0, canvas.MinX() - x0);
    const int lastColumn = std::min(width - 1, canvas.MaxX() - x0);
    if (lastRow < firstRow || lastColumn < firstColumn)
        return;

    // The destination bits each image plane feeds, in order; at most Depth planes.
    std::array<int, 8> targets{};
    int planes = 0;
    for (int bit = 0; bit < 8 && planes < std::max<int>(image.Depth, 0); ++bit)
        if (pick & (1u << bit))
            targets[static_cast<size_t>(planes++)] = bit;

    const auto* data = reinterpret_cast<const UBYTE*>(image.ImageData);
    const size_t rowBytes = 2 * ((static_cast<size_t>(width) + 15) / 16);
    const size_t planeBytes = rowBytes * static_cast<size_t>(height);
    const uint64_t base = uint64_t{static_cast<UBYTE>(image.PlaneOnOff & ~pick)} * 0x0101010101010101ull;
    const auto& spread = SpreadTable();
    const size_t words = (static_cast<size_t>(width) + 7) / 8;
    // Only the bytes covering the visible columns are decoded.
    const size_t firstByte = static_cast<size_t>(firstColumn) / 8;
    const size_t lastByte = static_cast<size_t>(lastColumn) / 8;
    std::vector<uint64_t> row(words);
    const bool plainMask = canvas.Mask() == 0xFF;

    for (int y = firstRow; y <= lastRow; ++y) {
        std::fill(row.begin() + static_cast<long>(firstByte), row.begin() + static_cast<long>(lastByte) + 1, base);
        for (int p = 0; p < planes; ++p) {
            const UBYTE* source = data + planeBytes * static_cast<size_t>(p) + rowBytes * static_cast<size_t>(y);
            const int shift = targets[static_cast<size_t>(p)];
            for (size_t b = firstByte; b <= lastByte; ++b)
                row[b] |= spread[source[b]] << shift;
        }
        const auto* pens = reinterpret_cast<const UBYTE*>(row.data());
        const int py = y0 + y;
        if (plainMask) {
            std::memcpy(canvas.Row(py) + x0 + firstColumn, pens + firstColumn,
                        static_cast<size_t>(lastColumn - firstColumn + 1));
        } else {
            for (int x = firstColumn; x <= lastColumn; ++x)
                canvas.Put(x0 + x, py, pens[x]);
        }
    }
    canvas.Touch();
}

} // namespace

void DrawImage(RastPort* rp, const Image* image, LONG left, LONG top)
{
    internal::Canvas canvas(rp);
    if (canvas.Empty())
        return;
    // A chain that loops back on itself would never end; the platform would hang, we stop.
    int guard = 0;
    for (const Image* i = image; i && guard < 4096; i = i->NextImage, ++guard)
        DrawOne(canvas, *i, static_cast<WORD>(left + i->LeftEdge), static_cast<WORD>(top + i->TopEdge));
}

void PrintIText(RastPort* rp, const IntuiText* iText, LONG left, LONG top)
{
    if (!rp)
        return;
    const UBYTE savedA = rp->FgPen;
    const UBYTE savedB = rp->BgPen;
    const UBYTE savedMode = rp->DrawMode;
    TextFont* savedFont = rp->Font;
    const WORD savedX = rp->cp_x;
    const WORD savedY = rp->cp_y;
    for (const IntuiText* t = iText; t; t = t->NextText) {
        TextFont* font = t->ITextFont ? OpenFont(t->ITextFont) : nullptr;
        SetFont(rp, font ? font : savedFont ? savedFont : internal::DefaultFont());
        SetAPen(rp, t->FrontPen);
        SetBPen(rp, t->BackPen);
        SetDrMd(rp, t->DrawMode);
        Move(rp, left + t->LeftEdge, top + t->TopEdge + rp->TxBaseline);
        if (t->IText)
            Text(rp, t->IText, static_cast<ULONG>(std::strlen(t->IText)));
        if (font)
            CloseFont(font);
    }
    rp->FgPen = savedA;
    rp->BgPen = savedB;
    rp->DrawMode = savedMode;
    if (savedFont)
        SetFont(rp, savedFont);
    rp->cp_x = savedX;
    rp->cp_y = savedY;
}

LONG IntuiTextLength(const IntuiText* iText)
{
    if (!iText || !iText->IText)
        return 0;
    TextFont* font = iText->ITextFont ? OpenFont(iText->ITextFont) : nullptr;
    RastPort rp;
    InitRastPort(&rp);
    if (font)
        SetFont(&rp, font);
    const LONG length = TextLength(&rp, iText->IText, static_cast<ULONG>(std::strlen(iText->IText)));
    if (font)
        CloseFont(font);
    return length;
}

} // namespace amiga
