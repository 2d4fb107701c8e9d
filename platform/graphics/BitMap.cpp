// SPDX-License-Identifier: MIT
// Bitmaps, RastPort set-up, pens, pixels and blits.
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Internal.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace amiga {

namespace {

UBYTE DepthMask(const BitMap* bitmap)
{
    return bitmap->Depth >= 8 ? UBYTE{0xFF} : static_cast<UBYTE>((1u << bitmap->Depth) - 1);
}

} // namespace

namespace internal {

Canvas::Canvas(const RastPort* rp)
{
    if (!rp || !rp->BitMap || !rp->BitMap->Pixels)
        return;
    bitmap_ = rp->BitMap;
    minX_ = std::max<int>(0, rp->ClipRect.MinX);
    minY_ = std::max<int>(0, rp->ClipRect.MinY);
    maxX_ = std::min<int>(bitmap_->Width - 1, rp->ClipRect.MaxX);
    maxY_ = std::min<int>(bitmap_->Rows - 1, rp->ClipRect.MaxY);
    mask_ = static_cast<UBYTE>(rp->Mask & DepthMask(bitmap_));
    fg_ = rp->FgPen;
    bg_ = rp->BgPen;
    jam2_ = (rp->DrawMode & 3) == JAM2;
    complement_ = (rp->DrawMode & COMPLEMENT) != 0;
    inverse_ = (rp->DrawMode & INVERSVID) != 0;
}

void Canvas::FillClipped(int x0, int y0, int x1, int y1, bool bit) const
{
    if (inverse_)
        bit = !bit;
    if (!bit && (!jam2_ || complement_))
        return;
    const int width = x1 - x0 + 1;
    if (bit && complement_) {
        for (int y = y0; y <= y1; ++y) {
            UBYTE* row = Row(y) + x0;
            for (int i = 0; i < width; ++i)
                row[i] ^= mask_;
        }
        return;
    }
    const UBYTE pen = bit ? fg_ : bg_;
    for (int y = y0; y <= y1; ++y) {
        UBYTE* row = Row(y) + x0;
        if (mask_ == 0xFF) {
            std::memset(row, pen, static_cast<size_t>(width));
        } else {
            for (int i = 0; i < width; ++i)
                row[i] = static_cast<UBYTE>((row[i] & ~mask_) | (pen & mask_));
        }
    }
}

void Canvas::Fill(int x0, int y0, int x1, int y1, bool bit) const
{
    x0 = std::max(x0, minX_);
    y0 = std::max(y0, minY_);
    x1 = std::min(x1, maxX_);
    y1 = std::min(y1, maxY_);
    if (x1 < x0 || y1 < y0)
        return;
    FillClipped(x0, y0, x1, y1, bit);
}

} // namespace internal

BitMap* AllocBitMap(ULONG sizeX, ULONG sizeY, ULONG depth, ULONG flags, const BitMap* friendBitMap)
{
    (void)friendBitMap;
    if (sizeX == 0 || sizeY == 0 || sizeX > 0x7FFF || sizeY > 0x7FFF || depth < 1 || depth > 8)
        return nullptr;
    auto* bitmap = new BitMap{};
    bitmap->Width = static_cast<UWORD>(sizeX);
    bitmap->BytesPerRow = static_cast<UWORD>(sizeX);
    bitmap->Rows = static_cast<UWORD>(sizeY);
    bitmap->Depth = static_cast<UBYTE>(depth);
    bitmap->Flags = static_cast<UBYTE>(flags);
    bitmap->Pixels = new UBYTE[static_cast<size_t>(sizeX) * sizeY]();
    return bitmap;
}

void FreeBitMap(BitMap* bitmap)
{
    if (!bitmap)
        return;
    delete[] bitmap->Pixels;
    delete bitmap;
}

namespace {

// Clips a copy of xSize × ySize from (sx, sy) to (dx, dy) against the source bitmap and
// the destination rectangle [minX..maxX] × [minY..maxY]; false when nothing is left.
// Worked in 64 bits, so that coordinates anywhere in the LONG range clip instead of
// overflowing; what is left always fits back.
bool ClipCopy(const BitMap* source, LONG& sx, LONG& sy, LONG& dx, LONG& dy, LONG& w, LONG& h, LONG minX, LONG minY,
              LONG maxX, LONG maxY)
{
    int64_t fromX = sx, fromY = sy, toX = dx, toY = dy, width = w, height = h;
    auto clipStart = [](int64_t& from, int64_t& to, int64_t& size, int64_t toMin) {
        const int64_t cut = std::max(-from, toMin - to);
        if (cut > 0) {
            from += cut;
            to += cut;
            size -= cut;
        }
    };
    clipStart(fromX, toX, width, minX);
    clipStart(fromY, toY, height, minY);
    width = std::min({width, int64_t{source->Width} - fromX, int64_t{maxX} - toX + 1});
    height = std::min({height, int64_t{source->Rows} - fromY, int64_t{maxY} - toY + 1});
    if (width <= 0 || height <= 0)
        return false;
    sx = static_cast<LONG>(fromX);
    sy = static_cast<LONG>(fromY);
    dx = static_cast<LONG>(toX);
    dy = static_cast<LONG>(toY);
    w = static_cast<LONG>(width);
    h = static_cast<LONG>(height);
    return true;
}

void CopyRows(const BitMap* source, LONG sx, LONG sy, BitMap* destination, LONG dx, LONG dy, LONG w, LONG h,
              bool invert, UBYTE mask)
{
    // Rows are copied through memmove in the order that keeps an overlapping copy intact.
    const bool upward = source == destination && dy > sy;
    for (LONG i = 0; i < h; ++i) {
        const LONG row = upward ? h - 1 - i : i;
        const UBYTE* from = source->Pixels + static_cast<long>(sy + row) * source->BytesPerRow + sx;
        UBYTE* to = destination->Pixels + static_cast<long>(dy + row) * destination->BytesPerRow + dx;
        if (!invert && mask == 0xFF) {
            std::memmove(to, from, static_cast<size_t>(w));
            continue;
        }
        if (source == destination && dx > sx) {
            for (LONG x = w - 1; x >= 0; --x) {
                const UBYTE value = invert ? static_cast<UBYTE>(~from[x]) : from[x];
                to[x] = static_cast<UBYTE>((to[x] & ~mask) | (value & mask));
            }
        } else {
            for (LONG x = 0; x < w; ++x) {
                const UBYTE value = invert ? static_cast<UBYTE>(~from[x]) : from[x];
                to[x] = static_cast<UBYTE>((to[x] & ~mask) | (value & mask));
            }
        }
    }
    ++destination->Changes;
}

} // namespace

LONG BltBitMap(const BitMap* source, LONG xSource, LONG ySource, BitMap* destination, LONG xDest, LONG yDest,
               LONG xSize, LONG ySize, ULONG minterm, ULONG mask, PLANEPTR tempA)
{
    (void)tempA;
    if (!source || !destination || !source->Pixels || !destination->Pixels)
        return 0;
    if (!ClipCopy(source, xSource, ySource, xDest, yDest, xSize, ySize, 0, 0, destination->Width - 1,
                  destination->Rows - 1))
        return 0;
    const UBYTE planes = static_cast<UBYTE>(mask & DepthMask(destination));
    CopyRows(source, xSource, ySource, destination, xDest, yDest, xSize, ySize, (minterm & 0xF0) == 0x30, planes);
    return 8;
}

void InitRastPort(RastPort* rp)
{
    if (!rp)
        return;
    *rp = RastPort{};
    rp->Mask = 0xFF;
    rp->FgPen = 1;
    rp->BgPen = 0;
    rp->AOlPen = 1;
    rp->DrawMode = JAM2;
    rp->LinePtrn = 0xFFFF;
    rp->linpatcnt = 15;
    rp->Flags = FRST_DOT;
    rp->ClipRect = {0, 0, 0x7FFF, 0x7FFF};
    SetFont(rp, internal::DefaultFont());
}

ULONG GetAPen(const RastPort* rp)
{
    return rp ? rp->FgPen : 0;
}
void SetAPen(RastPort* rp, ULONG pen)
{
    if (rp)
        rp->FgPen = static_cast<UBYTE>(pen);
}
ULONG GetBPen(const RastPort* rp)
{
    return rp ? rp->BgPen : 0;
}
void SetBPen(RastPort* rp, ULONG pen)
{
    if (rp)
        rp->BgPen = static_cast<UBYTE>(pen);
}
void SetDrMd(RastPort* rp, ULONG mode)
{
    if (rp)
        rp->DrawMode = static_cast<UBYTE>(mode);
}
ULONG GetDrMd(const RastPort* rp)
{
    return rp ? rp->DrawMode : 0;
}

void SetDrPt(RastPort* rp, UWORD pattern)
{
    if (!rp)
        return;
    rp->LinePtrn = pattern;
    rp->Flags |= FRST_DOT | 0x10;
    rp->linpatcnt = 15;
}

void SetClipRect(RastPort* rp, LONG minX, LONG minY, LONG maxX, LONG maxY)
{
    if (!rp)
        return;
    auto clamp = [](LONG v) { return static_cast<WORD>(std::clamp<LONG>(v, -0x8000, 0x7FFF)); };
    rp->ClipRect = {clamp(minX), clamp(minY), clamp(maxX), clamp(maxY)};
}

void Move(RastPort* rp, LONG x, LONG y)
{
    if (!rp)
        return;
    // A new line starts here: the pattern restarts and its first dot is drawn.
    rp->cp_x = static_cast<WORD>(x);
    rp->cp_y = static_cast<WORD>(y);
    rp->linpatcnt = 15;
    rp->Flags |= FRST_DOT;
}

LONG WritePixel(RastPort* rp, LONG x, LONG y)
{
    internal::Canvas canvas(rp);
    const int px = static_cast<WORD>(x);
    const int py = static_cast<WORD>(y);
    if (canvas.Empty() || !canvas.Inside(px, py))
        return -1;
    canvas.Plot(px, py, true);
    canvas.Touch();
    return 0;
}

LONG ReadPixel(const RastPort* rp, LONG x, LONG y)
{
    if (!rp || !rp->BitMap || !rp->BitMap->Pixels)
        return -1;
    const BitMap* bitmap = rp->BitMap;
    const int px = static_cast<WORD>(x);
    const int py = static_cast<WORD>(y);
    if (px < 0 || py < 0 || px >= bitmap->Width || py >= bitmap->Rows)
        return -1;
    return bitmap->Pixels[static_cast<long>(py) * bitmap->BytesPerRow + px];
}

void SetRast(RastPort* rp, ULONG pen)
{
    internal::Canvas canvas(rp);
    if (canvas.Empty())
        return;
    const UBYTE value = static_cast<UBYTE>(pen);
    for (int y = canvas.MinY(); y <= canvas.MaxY(); ++y)
        for (int x = canvas.MinX(); x <= canvas.MaxX(); ++x)
            canvas.Put(x, y, value);
    canvas.Touch();
}

} // namespace amiga
