// SPDX-License-Identifier: MIT
// intuition's window frames: the borders, the title bar and the system gadgets in them.
#include "platform/intuition/State.h"

#include <cstring>
#include <initializer_list>

namespace amiga {

namespace internal {

namespace {

struct FramePainter {
    RastPort rp;
    const UWORD* pens;

    explicit FramePainter(WindowRecord* window) : pens(window->screen->pens)
    {
        InitRastPort(&rp);
        rp.BitMap = window->bitmap;
        SetFont(&rp, window->screen->font);
        SetDrMd(&rp, JAM1);
    }
    void Fill(UWORD pen, int x0, int y0, int x1, int y1)
    {
        SetAPen(&rp, pens[pen]);
        RectFill(&rp, x0, y0, x1, y1);
    }
    // A raised (or, pressed, recessed) bevel around the box.
    void Bevel(int x0, int y0, int x1, int y1, bool recessed)
    {
        SetAPen(&rp, pens[recessed ? SHADOWPEN : SHINEPEN]);
        Move(&rp, x0, y1);
        Draw(&rp, x0, y0);
        Draw(&rp, x1, y0);
        SetAPen(&rp, pens[recessed ? SHINEPEN : SHADOWPEN]);
        Move(&rp, x0 + 1, y1);
        Draw(&rp, x1, y1);
        Draw(&rp, x1, y0 + 1);
    }
    void Outline(UWORD pen, int x0, int y0, int x1, int y1)
    {
        SetAPen(&rp, pens[pen]);
        Move(&rp, x0, y0);
        Draw(&rp, x1, y0);
        Draw(&rp, x1, y1);
        Draw(&rp, x0, y1);
        Draw(&rp, x0, y0 + 1);
    }
};

constexpr int kCloseGadgetWidth = 20;
constexpr int kDepthGadgetWidth = 23;
constexpr int kZoomGadgetWidth = 23;

struct SystemGadgetBoxes {
    bool titleBar = false;
    Rectangle close{0, 0, -1, -1};
    Rectangle depth{0, 0, -1, -1};
    Rectangle zoom{0, 0, -1, -1};
    Rectangle size{0, 0, -1, -1};
};

SystemGadgetBoxes BoxesOf(const WindowRecord* window)
{
    SystemGadgetBoxes boxes;
    const int w = window->Width;
    const int h = window->Height;
    const int top = window->BorderTop;
    boxes.titleBar = HasTitleBar(window->Flags, window->Title) && top > 0;
    int right = w - 1;
    if (boxes.titleBar && (window->Flags & WFLG_DEPTHGADGET) != 0) {
        boxes.depth = {static_cast<WORD>(right - kDepthGadgetWidth + 1), 0, static_cast<WORD>(right),
                       static_cast<WORD>(top - 1)};
        right -= kDepthGadgetWidth;
    }
    if (boxes.titleBar && (window->Flags & WFLG_HASZOOM) != 0) {
        boxes.zoom = {static_cast<WORD>(right - kZoomGadgetWidth + 1), 0, static_cast<WORD>(right),
                      static_cast<WORD>(top - 1)};
    }
    if (boxes.titleBar && (window->Flags & WFLG_CLOSEGADGET) != 0) {
        boxes.close = {0, 0, static_cast<WORD>(kCloseGadgetWidth - 1), static_cast<WORD>(top - 1)};
    }
    if ((window->Flags & WFLG_SIZEGADGET) != 0) {
        boxes.size = {static_cast<WORD>(w - kSizeGadgetWidth), static_cast<WORD>(h - kSizeGadgetHeight),
                      static_cast<WORD>(w - 1), static_cast<WORD>(h - 1)};
    }
    return boxes;
}

Rectangle BoxOf(const SystemGadgetBoxes& boxes, UWORD systemType)
{
    switch (systemType) {
    case GTYP_CLOSE:
        return boxes.close;
    case GTYP_WDEPTH:
        return boxes.depth;
    case GTYP_WZOOM:
        return boxes.zoom;
    case GTYP_SIZING:
        return boxes.size;
    default:
        return {0, 0, -1, -1};
    }
}

void DrawBorders(FramePainter& paint, const WindowRecord* window, UWORD fill)
{
    const int w = window->Width;
    const int h = window->Height;
    const int bl = window->BorderLeft;
    const int bt = window->BorderTop;
    const int br = window->BorderRight;
    const int bb = window->BorderBottom;
    if ((window->Flags & WFLG_BORDERLESS) == 0) {
        paint.Fill(fill, 0, 0, w - 1, bt - 1);
        paint.Fill(fill, 0, bt, bl - 1, h - 1);
        paint.Fill(fill, w - br, bt, w - 1, h - 1);
        paint.Fill(fill, bl, h - bb, w - br - 1, h - 1);
        paint.Bevel(0, 0, w - 1, h - 1, false);
        // The content lies in a recessed frame.
        paint.Bevel(bl - 1, bt - 1, w - br, h - bb, true);
    } else if (bt > 0) {
        paint.Fill(fill, 0, 0, w - 1, bt - 1);
        paint.Bevel(0, 0, w - 1, bt - 1, false);
    }
}

// The title between the gadgets of the bar, clipped to the room they leave.
void DrawTitle(FramePainter& paint, const WindowRecord* window, const SystemGadgetBoxes& boxes, bool active)
{
    const int left = (boxes.close.MaxX >= 0 ? boxes.close.MaxX + 1 : 0) + 4;
    int right = window->Width - 2;
    if (boxes.zoom.MaxX >= 0) {
        right = boxes.zoom.MinX - 2;
    } else if (boxes.depth.MaxX >= 0) {
        right = boxes.depth.MinX - 2;
    }
    const TextFont* font = window->screen->font;
    SetClipRect(&paint.rp, left, 1, right, window->BorderTop - 2);
    SetAPen(&paint.rp, paint.pens[active ? FILLTEXTPEN : TEXTPEN]);
    Move(&paint.rp, left, (window->BorderTop - font->tf_YSize) / 2 + font->tf_Baseline);
    Text(&paint.rp, window->Title, static_cast<ULONG>(std::strlen(window->Title)));
}

void DrawSymbol(FramePainter& paint, UWORD systemType, int cx, int cy)
{
    switch (systemType) {
    case GTYP_CLOSE:
        paint.Fill(SHINEPEN, cx - 2, cy - 2, cx + 2, cy + 2);
        paint.Outline(SHADOWPEN, cx - 3, cy - 3, cx + 3, cy + 3);
        break;
    case GTYP_WDEPTH:
        paint.Outline(SHADOWPEN, cx - 7, cy - 3, cx + 1, cy + 2);
        paint.Fill(SHINEPEN, cx - 3, cy - 1, cx + 5, cy + 4);
        paint.Outline(SHADOWPEN, cx - 3, cy - 1, cx + 5, cy + 4);
        break;
    case GTYP_WZOOM:
        paint.Outline(SHADOWPEN, cx - 6, cy - 3, cx + 6, cy + 3);
        paint.Fill(SHINEPEN, cx - 5, cy - 2, cx - 1, cy + 2);
        break;
    case GTYP_SIZING:
        paint.Outline(SHADOWPEN, cx - 5, cy - 3, cx + 5, cy + 3);
        paint.Fill(SHINEPEN, cx - 4, cy - 2, cx - 1, cy);
        break;
    default:
        break;
    }
}

} // namespace

bool HasTitleBar(ULONG flags, const char* title)
{
    return title != nullptr || (flags & (WFLG_DRAGBAR | WFLG_CLOSEGADGET | WFLG_DEPTHGADGET | WFLG_HASZOOM)) != 0;
}

void DrawFrame(WindowRecord* window)
{
    FramePainter paint(window);
    const bool active = (window->Flags & WFLG_WINDOWACTIVE) != 0;
    DrawBorders(paint, window, active ? FILLPEN : BACKGROUNDPEN);
    const SystemGadgetBoxes boxes = BoxesOf(window);
    if (boxes.titleBar && window->Title != nullptr) {
        DrawTitle(paint, window, boxes, active);
    }
    for (const UWORD systemType : {GTYP_CLOSE, GTYP_WDEPTH, GTYP_WZOOM, GTYP_SIZING}) {
        if (BoxOf(boxes, systemType).MaxX >= 0) {
            DrawSystemGadget(window, systemType, false);
        }
    }
}

void DrawSystemGadget(WindowRecord* window, UWORD systemType, bool selected)
{
    const Rectangle box = BoxOf(BoxesOf(window), systemType);
    if (box.MaxX < box.MinX) {
        return;
    }
    FramePainter paint(window);
    const UWORD fill = selected ? SHADOWPEN : ((window->Flags & WFLG_WINDOWACTIVE) != 0 ? FILLPEN : BACKGROUNDPEN);
    paint.Fill(fill, box.MinX, box.MinY, box.MaxX, box.MaxY);
    paint.Bevel(box.MinX, box.MinY, box.MaxX, box.MaxY, selected);
    DrawSymbol(paint, systemType, (box.MinX + box.MaxX) / 2, (box.MinY + box.MaxY) / 2);
}

UWORD SystemGadgetAt(const WindowRecord* window, int x, int y)
{
    const SystemGadgetBoxes boxes = BoxesOf(window);
    for (const UWORD systemType : {GTYP_CLOSE, GTYP_WDEPTH, GTYP_WZOOM, GTYP_SIZING}) {
        if (Inside(BoxOf(boxes, systemType), x, y)) {
            return systemType;
        }
    }
    if (boxes.titleBar && (window->Flags & WFLG_DRAGBAR) != 0 && y >= 0 && y < window->BorderTop && x >= 0 &&
        x < window->Width) {
        return GTYP_WDRAGGING;
    }
    return 0;
}

} // namespace internal

void RefreshWindowFrame(Window* window)
{
    if (internal::IsOpenWindow(window)) {
        internal::DrawFrame(internal::Record(window));
        internal::Touch();
    }
}

} // namespace amiga
