// SPDX-License-Identifier: MIT
// intuition's gadget lists: where a window's gadgets are, drawing them, adding and removing
// them.
#include "platform/intuition/State.h"

namespace amiga {

namespace internal {

namespace {

// The last of `numGad` gadgets from `gadget` on (-1: to the end of its list).
Gadget* LastOf(Gadget* gadget, WORD numGad)
{
    Gadget* last = gadget;
    for (WORD n = 1; (numGad < 0 || n < numGad) && last->NextGadget != nullptr; ++n) {
        last = last->NextGadget;
    }
    return last;
}

} // namespace

Rectangle GadgetBox(const WindowRecord* window, const Gadget* gadget)
{
    int left = gadget->LeftEdge;
    int top = gadget->TopEdge;
    int width = gadget->Width;
    int height = gadget->Height;
    if ((gadget->Flags & GFLG_RELRIGHT) != 0) {
        left += window->Width - 1;
    }
    if ((gadget->Flags & GFLG_RELBOTTOM) != 0) {
        top += window->Height - 1;
    }
    if ((gadget->Flags & GFLG_RELWIDTH) != 0) {
        width += window->Width;
    }
    if ((gadget->Flags & GFLG_RELHEIGHT) != 0) {
        height += window->Height;
    }
    return {static_cast<WORD>(left), static_cast<WORD>(top), static_cast<WORD>(left + width - 1),
            static_cast<WORD>(top + height - 1)};
}

Gadget* GadgetAt(WindowRecord* window, int x, int y)
{
    for (Gadget* gadget = window->FirstGadget; gadget != nullptr; gadget = gadget->NextGadget) {
        // Disabled gadgets, and ones with nothing to report, let the click through.
        if ((gadget->Flags & GFLG_DISABLED) != 0 || gadget->Width <= 0 || gadget->Height <= 0 ||
            (gadget->Activation & (GACT_RELVERIFY | GACT_IMMEDIATE)) == 0) {
            continue;
        }
        if (Inside(GadgetBox(window, gadget), x, y)) {
            return gadget;
        }
    }
    return nullptr;
}

void RenderGadget(WindowRecord* window, Gadget* gadget)
{
    if (RenderGadToolsGadget(window, gadget)) {
        return;
    }
    const Rectangle box = GadgetBox(window, gadget);
    RastPort rp;
    InitRastPort(&rp);
    rp.BitMap = window->bitmap;
    SetFont(&rp, window->screen->font);
    const bool selected = (gadget->Flags & GFLG_SELECTED) != 0;
    if ((gadget->Flags & GFLG_GADGIMAGE) != 0 && gadget->GadgetRender != nullptr) {
        const auto* image = static_cast<const Image*>(gadget->GadgetRender);
        if (selected && (gadget->Flags & GFLG_GADGHIGHBITS) == GFLG_GADGHIMAGE && gadget->SelectRender != nullptr) {
            image = static_cast<const Image*>(gadget->SelectRender);
        }
        DrawImage(&rp, image, box.MinX, box.MinY);
    }
    if (gadget->GadgetText != nullptr && (gadget->Flags & GFLG_LABELMASK) == GFLG_LABELITEXT) {
        PrintIText(&rp, gadget->GadgetText, box.MinX, box.MinY);
    }
    if (selected && (gadget->Flags & GFLG_GADGHIGHBITS) == GFLG_GADGHCOMP) {
        SetDrMd(&rp, COMPLEMENT);
        RectFill(&rp, box.MinX, box.MinY, box.MaxX, box.MaxY);
    }
}

} // namespace internal

using namespace internal;

UWORD AddGList(Window* window, Gadget* gadget, UWORD position, WORD numGad, Requester* requester)
{
    (void)requester;
    if (!IsOpenWindow(window) || gadget == nullptr) {
        return 0xFFFF;
    }
    Gadget* last = LastOf(gadget, numGad);
    Gadget** link = &window->FirstGadget;
    UWORD index = 0;
    while (*link != nullptr && index < position) {
        link = &(*link)->NextGadget;
        ++index;
    }
    last->NextGadget = *link;
    *link = gadget;
    return index;
}

UWORD RemoveGList(Window* window, Gadget* gadget, WORD numGad)
{
    if (!IsOpenWindow(window) || gadget == nullptr) {
        return 0xFFFF;
    }
    Gadget** link = &window->FirstGadget;
    UWORD index = 0;
    while (*link != nullptr && *link != gadget) {
        link = &(*link)->NextGadget;
        ++index;
    }
    if (*link == nullptr) {
        return 0xFFFF;
    }
    Gadget* last = LastOf(gadget, numGad);
    *link = last->NextGadget;
    last->NextGadget = nullptr;
    auto& pressed = Intuition().pressed;
    for (Gadget* g = gadget; g != nullptr; g = g->NextGadget) {
        if (pressed.gadget == g) {
            pressed = {};
        }
    }
    return index;
}

void RefreshGList(Gadget* gadgets, Window* window, Requester* requester, WORD numGad)
{
    (void)requester;
    if (!IsOpenWindow(window)) {
        return;
    }
    WORD n = 0;
    for (Gadget* gadget = gadgets; gadget != nullptr && (numGad < 0 || n < numGad); gadget = gadget->NextGadget, ++n) {
        RenderGadget(Record(window), gadget);
    }
    Touch();
}

} // namespace amiga
