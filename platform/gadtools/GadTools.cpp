// SPDX-License-Identifier: MIT
// gadtools.library: gadget contexts, buttons, check boxes and text gadgets drawn in the
// platform's bevelled look, visual information, and the message and refresh wrappers.
#include "platform/gadtools/GadTools.h"
#include "platform/intuition/State.h"

#include <algorithm>
#include <cstring>

namespace amiga {

namespace internal {

namespace {

struct Painter {
    RastPort rp;
    const UWORD* pens;

    Painter(WindowRecord* window, TextFont* font) : pens(window->screen->pens)
    {
        InitRastPort(&rp);
        rp.BitMap = window->bitmap;
        SetFont(&rp, font != nullptr ? font : window->screen->font);
        SetDrMd(&rp, JAM1);
    }
    void Fill(UWORD pen, int x0, int y0, int x1, int y1)
    {
        SetAPen(&rp, pens[pen]);
        RectFill(&rp, x0, y0, x1, y1);
    }
};

void DrawBevel(RastPort* rp, const UWORD* pens, int x0, int y0, int x1, int y1, bool recessed)
{
    SetDrMd(rp, JAM1);
    SetAPen(rp, pens[recessed ? SHADOWPEN : SHINEPEN]);
    Move(rp, x0, y1);
    Draw(rp, x0, y0);
    Draw(rp, x1 - 1, y0);
    // The platform's bevels are two pixels wide on the sides: its pixels are not square.
    Move(rp, x0 + 1, y1 - 1);
    Draw(rp, x0 + 1, y0 + 1);
    SetAPen(rp, pens[recessed ? SHINEPEN : SHADOWPEN]);
    Move(rp, x0 + 1, y1);
    Draw(rp, x1, y1);
    Draw(rp, x1, y0);
    Move(rp, x1 - 1, y0 + 1);
    Draw(rp, x1 - 1, y1 - 1);
}

// A label without its underscore marker; `underline` gets the index of the marked character.
std::string StripUnderscore(const std::string& label, char marker, int& underline)
{
    underline = -1;
    std::string plain;
    for (size_t i = 0; i < label.size(); ++i) {
        if (marker != 0 && label[i] == marker && i + 1 < label.size() && underline < 0) {
            underline = static_cast<int>(plain.size());
            continue;
        }
        plain += label[i];
    }
    return plain;
}

void DrawLabel(Painter& paint, const GadToolsExtra& extra, const Rectangle& box, UWORD pen)
{
    if (extra.label.empty()) {
        return;
    }
    int underline = -1;
    const std::string text = StripUnderscore(extra.label, extra.underscore, underline);
    RastPort* rp = &paint.rp;
    const int width = TextLength(rp, text.c_str(), static_cast<ULONG>(text.size()));
    const int height = rp->TxHeight;
    const int boxW = box.MaxX - box.MinX + 1;
    const int boxH = box.MaxY - box.MinY + 1;
    int x = box.MinX + (boxW - width) / 2;
    int y = box.MinY + (boxH - height) / 2;
    const ULONG place = extra.placement & (PLACETEXT_LEFT | PLACETEXT_RIGHT | PLACETEXT_ABOVE | PLACETEXT_BELOW);
    if (place == PLACETEXT_LEFT) {
        x = box.MinX - width - 8;
    } else if (place == PLACETEXT_RIGHT) {
        x = box.MaxX + 9;
    } else if (place == PLACETEXT_ABOVE) {
        y = box.MinY - height - 2;
    } else if (place == PLACETEXT_BELOW) {
        y = box.MaxY + 3;
    }
    SetAPen(rp, paint.pens[(extra.placement & NG_HIGHLABEL) != 0 ? HIGHLIGHTTEXTPEN : pen]);
    Move(rp, x, y + rp->TxBaseline);
    Text(rp, text.c_str(), static_cast<ULONG>(text.size()));
    if (underline >= 0) {
        const int ux = x + TextLength(rp, text.c_str(), static_cast<ULONG>(underline));
        const int uw = TextLength(rp, text.c_str() + underline, 1);
        RectFill(rp, ux, y + rp->TxBaseline + 1, ux + uw - 1, y + rp->TxBaseline + 1);
    }
}

// Disabled gadgets are veiled with a dot pattern, as the platform ghosts them.
void Ghost(Painter& paint, const Rectangle& box)
{
    SetAPen(&paint.rp, paint.pens[SHADOWPEN]);
    for (int y = box.MinY; y <= box.MaxY; ++y) {
        for (int x = box.MinX + ((y & 1) != 0 ? 2 : 0); x <= box.MaxX; x += 4) {
            WritePixel(&paint.rp, x, y);
        }
    }
}

TextFont* OpenGadgetFont(const TextAttr* attr)
{
    return attr != nullptr ? OpenFont(attr) : nullptr;
}

} // namespace

bool RenderGadToolsGadget(WindowRecord* window, Gadget* gadget)
{
    auto& gadtools = Intuition().gadtools;
    auto found = gadtools.find(gadget);
    if (found == gadtools.end()) {
        return false;
    }
    GadToolsExtra& extra = found->second;
    if (extra.kind == GENERIC_KIND || gadget->Width <= 0 || gadget->Height <= 0) {
        return true;
    }
    TextFont* font = OpenGadgetFont(extra.textAttr);
    Painter paint(window, font);
    const Rectangle box = GadgetBox(window, gadget);
    const bool selected = (gadget->Flags & GFLG_SELECTED) != 0;
    const bool disabled = (gadget->Flags & GFLG_DISABLED) != 0;
    switch (extra.kind) {
    case BUTTON_KIND:
        paint.Fill(selected ? FILLPEN : BACKGROUNDPEN, box.MinX, box.MinY, box.MaxX, box.MaxY);
        DrawBevel(&paint.rp, paint.pens, box.MinX, box.MinY, box.MaxX, box.MaxY, selected);
        DrawLabel(paint, extra, box, selected ? FILLTEXTPEN : TEXTPEN);
        break;
    case CHECKBOX_KIND:
        paint.Fill(BACKGROUNDPEN, box.MinX, box.MinY, box.MaxX, box.MaxY);
        DrawBevel(&paint.rp, paint.pens, box.MinX, box.MinY, box.MaxX, box.MaxY, false);
        if (extra.checked) {
            // A check mark: a short stroke down and a long one up, two pixels thick.
            const int x0 = box.MinX + 4;
            const int ym = (box.MinY + box.MaxY) / 2;
            const int x1 = box.MaxX - 4;
            SetAPen(&paint.rp, paint.pens[TEXTPEN]);
            for (int t = 0; t < 2; ++t) {
                Move(&paint.rp, x0 + t, ym);
                Draw(&paint.rp, x0 + 3 + t, box.MaxY - 2);
                Draw(&paint.rp, x1 + t - 1, box.MinY + 2);
            }
        }
        DrawLabel(paint, extra, box, TEXTPEN);
        break;
    case TEXT_KIND: {
        paint.Fill(BACKGROUNDPEN, box.MinX, box.MinY, box.MaxX, box.MaxY);
        if (extra.textBorder) {
            DrawBevel(&paint.rp, paint.pens, box.MinX, box.MinY, box.MaxX, box.MaxY, true);
        }
        SetAPen(&paint.rp, paint.pens[TEXTPEN]);
        SetClipRect(&paint.rp, box.MinX + 2, box.MinY + 1, box.MaxX - 2, box.MaxY - 1);
        Move(&paint.rp, box.MinX + 4,
             box.MinY + (box.MaxY - box.MinY + 1 - paint.rp.TxHeight) / 2 + paint.rp.TxBaseline);
        Text(&paint.rp, extra.text.c_str(), static_cast<ULONG>(extra.text.size()));
        SetClipRect(&paint.rp, -32768, -32768, 32767, 32767);
        DrawLabel(paint, extra, box, TEXTPEN);
        break;
    }
    default:
        break;
    }
    if (disabled) {
        Ghost(paint, box);
    }
    if (font != nullptr) {
        CloseFont(font);
    }
    return true;
}

void GadToolsGadgetReleased(WindowRecord* window, Gadget* gadget)
{
    auto& gadtools = Intuition().gadtools;
    auto found = gadtools.find(gadget);
    if (found != gadtools.end() && found->second.kind == CHECKBOX_KIND) {
        found->second.checked = !found->second.checked;
        RenderGadToolsGadget(window, gadget);
        Touch();
    }
}

} // namespace internal

using namespace internal;

Gadget* CreateContext(Gadget** glistPointer)
{
    if (glistPointer == nullptr) {
        return nullptr;
    }
    auto* context = new Gadget{};
    Intuition().gadtools[context] = GadToolsExtra{};
    *glistPointer = context;
    return context;
}

Gadget* CreateGadgetA(ULONG kind, Gadget* previous, const NewGadget* newGadget, const TagItem* tags)
{
    if (previous == nullptr || newGadget == nullptr || newGadget->ng_VisualInfo == nullptr) {
        return nullptr;
    }
    if (kind != BUTTON_KIND && kind != CHECKBOX_KIND && kind != TEXT_KIND) {
        return Fail("CreateGadgetA: gadget kind " + std::to_string(kind) + " is not provided");
    }
    auto* gadget = new Gadget{};
    gadget->LeftEdge = newGadget->ng_LeftEdge;
    gadget->TopEdge = newGadget->ng_TopEdge;
    gadget->Width = newGadget->ng_Width;
    gadget->Height = newGadget->ng_Height;
    gadget->GadgetType = GTYP_BOOLGADGET;
    gadget->GadgetID = newGadget->ng_GadgetID;
    gadget->UserData = newGadget->ng_UserData;
    gadget->Flags = GFLG_GADGHNONE; // gadtools draws the selected look itself
    GadToolsExtra extra;
    extra.kind = kind;
    extra.textAttr = newGadget->ng_TextAttr;
    extra.placement = newGadget->ng_Flags;
    if (newGadget->ng_GadgetText != nullptr) {
        extra.label = newGadget->ng_GadgetText;
    }
    extra.underscore = static_cast<char>(GetTagData(GT_Underscore, 0, tags));
    switch (kind) {
    case BUTTON_KIND:
        gadget->Activation = GACT_RELVERIFY;
        if ((extra.placement & (PLACETEXT_LEFT | PLACETEXT_RIGHT | PLACETEXT_ABOVE | PLACETEXT_BELOW)) == 0) {
            extra.placement |= PLACETEXT_IN;
        }
        break;
    case CHECKBOX_KIND:
        gadget->Activation = GACT_RELVERIFY;
        if (GetTagData(GTCB_Scaled, FALSE, tags) == 0) {
            gadget->Width = 26;
            gadget->Height = 11;
        }
        if ((extra.placement & (PLACETEXT_IN | PLACETEXT_RIGHT | PLACETEXT_ABOVE | PLACETEXT_BELOW)) == 0) {
            extra.placement |= PLACETEXT_LEFT;
        }
        extra.checked = GetTagData(GTCB_Checked, FALSE, tags) != 0;
        break;
    case TEXT_KIND:
        if (const auto* text = reinterpret_cast<const char*>(GetTagData(GTTX_Text, 0, tags))) {
            extra.text = text;
        }
        extra.textBorder = GetTagData(GTTX_Border, FALSE, tags) != 0;
        if ((extra.placement & (PLACETEXT_IN | PLACETEXT_RIGHT | PLACETEXT_ABOVE | PLACETEXT_BELOW)) == 0) {
            extra.placement |= PLACETEXT_LEFT;
        }
        break;
    default:
        break;
    }
    if (GetTagData(GA_Immediate, FALSE, tags) != 0 && kind != TEXT_KIND) {
        gadget->Activation |= GACT_IMMEDIATE;
    }
    if (GetTagData(GA_Disabled, FALSE, tags) != 0) {
        gadget->Flags |= GFLG_DISABLED;
    }
    Intuition().gadtools[gadget] = std::move(extra);
    previous->NextGadget = gadget;
    return gadget;
}

void FreeGadgets(Gadget* glist)
{
    auto& gadtools = Intuition().gadtools;
    while (glist != nullptr) {
        Gadget* next = glist->NextGadget;
        if (gadtools.erase(glist) != 0) {
            if (Intuition().pressed.gadget == glist) {
                Intuition().pressed = {};
            }
            delete glist;
        }
        glist = next;
    }
}

void GT_SetGadgetAttrsA(Gadget* gadget, Window* window, Requester* requester, const TagItem* tags)
{
    (void)requester;
    auto& gadtools = Intuition().gadtools;
    auto found = gadtools.find(gadget);
    if (found == gadtools.end()) {
        return;
    }
    if (const TagItem* item = FindTagItem(GA_Disabled, tags)) {
        if (item->ti_Data != 0) {
            gadget->Flags |= GFLG_DISABLED;
        } else {
            gadget->Flags &= static_cast<UWORD>(~GFLG_DISABLED);
        }
    }
    if (const TagItem* item = FindTagItem(GTCB_Checked, tags); item != nullptr && found->second.kind == CHECKBOX_KIND) {
        found->second.checked = item->ti_Data != 0;
    }
    if (const TagItem* item = FindTagItem(GTTX_Text, tags); item != nullptr && found->second.kind == TEXT_KIND) {
        const auto* text = reinterpret_cast<const char*>(item->ti_Data);
        found->second.text = text != nullptr ? text : "";
    }
    if (IsOpenWindow(window)) {
        RenderGadToolsGadget(Record(window), gadget);
        Touch();
    }
}

LONG GT_GetGadgetAttrsA(Gadget* gadget, Window* window, Requester* requester, const TagItem* tags)
{
    (void)window;
    (void)requester;
    auto& gadtools = Intuition().gadtools;
    auto found = gadtools.find(gadget);
    if (found == gadtools.end()) {
        return 0;
    }
    LONG count = 0;
    if (const TagItem* item = FindTagItem(GA_Disabled, tags)) {
        if (auto* out = reinterpret_cast<ULONG*>(item->ti_Data)) {
            *out = (gadget->Flags & GFLG_DISABLED) != 0 ? TRUE : FALSE;
            ++count;
        }
    }
    if (const TagItem* item = FindTagItem(GTCB_Checked, tags); item != nullptr && found->second.kind == CHECKBOX_KIND) {
        if (auto* out = reinterpret_cast<ULONG*>(item->ti_Data)) {
            *out = found->second.checked ? TRUE : FALSE;
            ++count;
        }
    }
    return count;
}

APTR GetVisualInfoA(Screen* screen, const TagItem* tags)
{
    (void)tags;
    if (!IsOpenScreen(screen)) {
        return Fail("GetVisualInfoA: the screen is not open");
    }
    auto& infos = Intuition().visualInfos;
    infos.push_back(std::make_unique<VisualInfo>());
    infos.back()->screen = Record(screen);
    return infos.back().get();
}

void FreeVisualInfo(APTR visualInfo)
{
    std::erase_if(Intuition().visualInfos, [visualInfo](const auto& info) { return info.get() == visualInfo; });
}

IntuiMessage* GT_GetIMsg(MsgPort* port)
{
    return reinterpret_cast<IntuiMessage*>(GetMsg(port));
}

void GT_ReplyIMsg(IntuiMessage* message)
{
    if (message != nullptr) {
        ReplyMsg(&message->ExecMessage);
    }
}

void GT_BeginRefresh(Window* window)
{
    BeginRefresh(window);
}

void GT_EndRefresh(Window* window, BOOL complete)
{
    EndRefresh(window, complete);
}

void GT_RefreshWindow(Window* window, Requester* requester)
{
    (void)requester;
    if (!IsOpenWindow(window)) {
        return;
    }
    for (Gadget* gadget = window->FirstGadget; gadget != nullptr; gadget = gadget->NextGadget) {
        RenderGadToolsGadget(Record(window), gadget);
    }
    Touch();
}

void DrawBevelBoxA(RastPort* rp, LONG left, LONG top, LONG width, LONG height, const TagItem* tags)
{
    const auto* info = reinterpret_cast<const VisualInfo*>(GetTagData(GT_VisualInfo, 0, tags));
    if (rp == nullptr || info == nullptr || width <= 0 || height <= 0) {
        return;
    }
    bool known = false;
    for (const auto& candidate : Intuition().visualInfos) {
        known = known || candidate.get() == info;
    }
    if (!known || !IsOpenScreen(info->screen)) {
        return;
    }
    const UBYTE pen = static_cast<UBYTE>(GetAPen(rp));
    const UBYTE mode = static_cast<UBYTE>(GetDrMd(rp));
    const WORD x = rp->cp_x, y = rp->cp_y;
    DrawBevel(rp, info->screen->pens, left, top, left + width - 1, top + height - 1,
              GetTagData(GTBB_Recessed, FALSE, tags) != 0);
    SetAPen(rp, pen);
    SetDrMd(rp, mode);
    Move(rp, x, y);
}

} // namespace amiga
