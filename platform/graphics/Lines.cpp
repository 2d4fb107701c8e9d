// SPDX-License-Identifier: MIT
// Lines in the line pattern, filled rectangles, clearing and scrolling.
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <cstdlib>

namespace amiga {

void Draw(RastPort* rp, LONG x, LONG y)
{
    if (!rp)
        return;
    const int x0 = rp->cp_x;
    const int y0 = rp->cp_y;
    const int x1 = static_cast<WORD>(x);
    const int y1 = static_cast<WORD>(y);
    internal::Canvas canvas(rp);

    // Bresenham along the major axis, both end points included. The pattern advances one
    // bit per pixel, clipped or not, and keeps its place for the next Draw. Without
    // FRST_DOT the first pixel is skipped (it is the previous line's last one) without
    // using a bit, so a polyline's pattern runs on unbroken.
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int steps = xMajor ? dx : dy;
    int error = (xMajor ? dx : dy) / 2;
    int px = x0;
    int py = y0;
    int count = rp->linpatcnt & 15;
    const UWORD pattern = rp->LinePtrn;
    const bool drawFirst = (rp->Flags & FRST_DOT) != 0;
    const bool visible = !canvas.Empty();
    for (int i = 0; i <= steps; ++i) {
        if (i > 0 || drawFirst) {
            if (visible && canvas.Inside(px, py))
                canvas.Plot(px, py, ((pattern >> count) & 1) != 0);
            count = (count - 1) & 15;
        }
        if (xMajor) {
            px += sx;
            error -= dy;
            if (error < 0) {
                py += sy;
                error += dx;
            }
        } else {
            py += sy;
            error -= dx;
            if (error < 0) {
                px += sx;
                error += dy;
            }
        }
    }
    rp->linpatcnt = static_cast<BYTE>(count);
    rp->Flags &= static_cast<UWORD>(~FRST_DOT);
    rp->cp_x = static_cast<WORD>(x1);
    rp->cp_y = static_cast<WORD>(y1);
    if (visible)
        canvas.Touch();
}

void PolyDraw(RastPort* rp, LONG count, const WORD* polyTable)
{
    if (!rp || !polyTable)
        return;
    for (LONG i = 0; i < count; ++i)
        Draw(rp, polyTable[2 * i], polyTable[2 * i + 1]);
}

void RectFill(RastPort* rp, LONG xMin, LONG yMin, LONG xMax, LONG yMax)
{
    internal::Canvas canvas(rp);
    const int x0 = static_cast<WORD>(xMin);
    const int y0 = static_cast<WORD>(yMin);
    const int x1 = static_cast<WORD>(xMax);
    const int y1 = static_cast<WORD>(yMax);
    if (canvas.Empty() || x1 < x0 || y1 < y0)
        return;
    canvas.Fill(x0, y0, x1, y1, true);
    canvas.Touch();
}

namespace {

// Fills in the B pen whatever the draw mode: clearing is not drawing.
void ClearRect(RastPort* rp, int x0, int y0, int x1, int y1)
{
    RastPort clear = *rp;
    clear.DrawMode = JAM2;
    internal::Canvas canvas(&clear);
    if (canvas.Empty() || x1 < x0 || y1 < y0)
        return;
    canvas.Fill(x0, y0, x1, y1, false);
    canvas.Touch();
}

int TextTop(const RastPort* rp)
{
    return rp->cp_y - rp->TxBaseline;
}

} // namespace

void ClearEOL(RastPort* rp)
{
    if (!rp || !rp->BitMap)
        return;
    const int top = TextTop(rp);
    ClearRect(rp, rp->cp_x, top, 0x7FFF, top + std::max<int>(rp->TxHeight, 1) - 1);
}

void ClearScreen(RastPort* rp)
{
    if (!rp || !rp->BitMap)
        return;
    ClearEOL(rp);
    ClearRect(rp, -0x8000, TextTop(rp) + std::max<int>(rp->TxHeight, 1), 0x7FFF, 0x7FFF);
}

} // namespace amiga
