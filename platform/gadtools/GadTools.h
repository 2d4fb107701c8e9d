// SPDX-License-Identifier: MIT
// gadtools.library: gadget contexts and kinds, visual information, input messages, refresh.
// The menu builder (CreateMenusA, LayoutMenusA, GTMN_ tags) is in intuition/Menus.h.
#pragma once

#include "platform/intuition/Intuition.h"

namespace amiga {

constexpr ULONG GENERIC_KIND = 0;
constexpr ULONG BUTTON_KIND = 1;
constexpr ULONG CHECKBOX_KIND = 2;
constexpr ULONG INTEGER_KIND = 3;
constexpr ULONG LISTVIEW_KIND = 4;
constexpr ULONG MX_KIND = 5;
constexpr ULONG NUMBER_KIND = 6;
constexpr ULONG CYCLE_KIND = 7;
constexpr ULONG PALETTE_KIND = 8;
constexpr ULONG SCROLLER_KIND = 9;
constexpr ULONG SLIDER_KIND = 11;
constexpr ULONG STRING_KIND = 12;
constexpr ULONG TEXT_KIND = 13;
constexpr ULONG NUM_KINDS = 14;

constexpr Tag GT_TagBase = TAG_USER + 0x80000;
constexpr Tag GTCB_Checked = GT_TagBase + 4;
constexpr Tag GTTX_Text = GT_TagBase + 11;
constexpr Tag GTTX_CopyText = GT_TagBase + 12;
constexpr Tag GTBB_Recessed = GT_TagBase + 51;
constexpr Tag GT_VisualInfo = GT_TagBase + 52;
constexpr Tag GTTX_Border = GT_TagBase + 57;
constexpr Tag GT_Underscore = GT_TagBase + 64;
constexpr Tag GTCB_Scaled = GT_TagBase + 68;
constexpr Tag GTTX_Justification = GT_TagBase + 74;

constexpr Tag GA_Dummy = TAG_USER + 0x30000;
constexpr Tag GA_Disabled = GA_Dummy + 0x0E;
constexpr Tag GA_Immediate = GA_Dummy + 0x15;
constexpr Tag GA_RelVerify = GA_Dummy + 0x16;

// ng_Flags: where the label goes.
constexpr ULONG PLACETEXT_LEFT = 0x0001;
constexpr ULONG PLACETEXT_RIGHT = 0x0002;
constexpr ULONG PLACETEXT_ABOVE = 0x0004;
constexpr ULONG PLACETEXT_BELOW = 0x0008;
constexpr ULONG PLACETEXT_IN = 0x0010;
constexpr ULONG NG_HIGHLABEL = 0x0020;

constexpr ULONG GTJ_LEFT = 0;
constexpr ULONG GTJ_RIGHT = 1;
constexpr ULONG GTJ_CENTER = 2;

struct NewGadget {
    WORD ng_LeftEdge;
    WORD ng_TopEdge;
    WORD ng_Width;
    WORD ng_Height;
    CONST_STRPTR ng_GadgetText;
    const TextAttr* ng_TextAttr; // null: topaz 8
    UWORD ng_GadgetID;
    ULONG ng_Flags;     // PLACETEXT_*, NG_HIGHLABEL
    APTR ng_VisualInfo; // from GetVisualInfoA; required
    APTR ng_UserData;
};

// The invisible head of a gadget list: *glistPointer receives it. Null when out of memory.
Gadget* CreateContext(Gadget** glistPointer);
// A gadget of the kind linked after `previous` (the context or the last gadget made). Null
// when `previous` is null (so a chain of calls fails once), for a kind this platform does not
// provide (BUTTON_KIND, CHECKBOX_KIND and TEXT_KIND are provided), or without visual info.
Gadget* CreateGadgetA(ULONG kind, Gadget* previous, const NewGadget* newGadget, const TagItem* tags);
// Frees every gadget of the list made by CreateContext / CreateGadgetA (null is fine).
// Remove them from their window first (or close it).
void FreeGadgets(Gadget* glist);
// GA_Disabled, GTCB_Checked, GTTX_Text; redraws the gadget when it is in `window`.
void GT_SetGadgetAttrsA(Gadget* gadget, Window* window, Requester* requester, const TagItem* tags);
// Reads GA_Disabled, GTCB_Checked into the ULONGs the tags point to; the number found.
LONG GT_GetGadgetAttrsA(Gadget* gadget, Window* window, Requester* requester, const TagItem* tags);

// The screen's pens and font, for gadgets and menus laid out on it. Null without a screen.
APTR GetVisualInfoA(Screen* screen, const TagItem* tags);
void FreeVisualInfo(APTR visualInfo);

IntuiMessage* GT_GetIMsg(MsgPort* port);
void GT_ReplyIMsg(IntuiMessage* message);
void GT_BeginRefresh(Window* window);
void GT_EndRefresh(Window* window, BOOL complete);
// Draws every gadtools gadget of the window again.
void GT_RefreshWindow(Window* window, Requester* requester);

// A bevelled box: raised, or recessed with GTBB_Recessed; GT_VisualInfo is required.
void DrawBevelBoxA(RastPort* rp, LONG left, LONG top, LONG width, LONG height, const TagItem* tags);

template <typename... Args> Gadget* CreateGadget(ULONG kind, Gadget* previous, const NewGadget* newGadget, Args... args)
{
    return CreateGadgetA(kind, previous, newGadget, internal::MakeTagList(args...).data());
}
template <typename... Args> void GT_SetGadgetAttrs(Gadget* gadget, Window* window, Requester* requester, Args... args)
{
    GT_SetGadgetAttrsA(gadget, window, requester, internal::MakeTagList(args...).data());
}
template <typename... Args> LONG GT_GetGadgetAttrs(Gadget* gadget, Window* window, Requester* requester, Args... args)
{
    return GT_GetGadgetAttrsA(gadget, window, requester, internal::MakeTagList(args...).data());
}
template <typename... Args> void DrawBevelBox(RastPort* rp, LONG left, LONG top, LONG width, LONG height, Args... args)
{
    DrawBevelBoxA(rp, left, top, width, height, internal::MakeTagList(args...).data());
}

} // namespace amiga
