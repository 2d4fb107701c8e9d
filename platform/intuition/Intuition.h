// SPDX-License-Identifier: MIT
// intuition.library: screens, windows, gadgets, input messages, pointers and the display beep.
//
// A screen keeps its background and title bar in its own chunky bitmap; every window owns a
// bitmap of its full size (borders included) that its RastPort draws into. Intuition composes
// the front screen from them when the program is about to block (see common/Internal.h).
#pragma once

#include "platform/exec/Exec.h"
#include "platform/graphics/Graphics.h"
#include "platform/intuition/Images.h"
#include "platform/common/InputEvent.h"
#include "platform/common/Types.h"

#include <cstddef>
#include <type_traits>
#include <vector>

namespace amiga {

struct Window;
struct Screen;
struct IntuiMessage;
struct Menu;      // menu strips: intuition/Menus.h
struct Requester; // only as the type of a few fields and arguments
struct NewScreen; // the tag interface is the only one offered: pass null
struct NewWindow; // likewise

// ---- IDCMP classes --------------------------------------------------------------------------

constexpr ULONG IDCMP_SIZEVERIFY = 0x00000001;
constexpr ULONG IDCMP_NEWSIZE = 0x00000002;
constexpr ULONG IDCMP_REFRESHWINDOW = 0x00000004;
constexpr ULONG IDCMP_MOUSEBUTTONS = 0x00000008;
constexpr ULONG IDCMP_MOUSEMOVE = 0x00000010;
constexpr ULONG IDCMP_GADGETDOWN = 0x00000020;
constexpr ULONG IDCMP_GADGETUP = 0x00000040;
constexpr ULONG IDCMP_REQSET = 0x00000080;
constexpr ULONG IDCMP_MENUPICK = 0x00000100;
constexpr ULONG IDCMP_CLOSEWINDOW = 0x00000200;
constexpr ULONG IDCMP_RAWKEY = 0x00000400;
constexpr ULONG IDCMP_REQVERIFY = 0x00000800;
constexpr ULONG IDCMP_REQCLEAR = 0x00001000;
constexpr ULONG IDCMP_MENUVERIFY = 0x00002000;
constexpr ULONG IDCMP_NEWPREFS = 0x00004000;
constexpr ULONG IDCMP_DISKINSERTED = 0x00008000;
constexpr ULONG IDCMP_DISKREMOVED = 0x00010000;
constexpr ULONG IDCMP_WBENCHMESSAGE = 0x00020000;
constexpr ULONG IDCMP_ACTIVEWINDOW = 0x00040000;
constexpr ULONG IDCMP_INACTIVEWINDOW = 0x00080000;
constexpr ULONG IDCMP_DELTAMOVE = 0x00100000;
constexpr ULONG IDCMP_VANILLAKEY = 0x00200000;
constexpr ULONG IDCMP_INTUITICKS = 0x00400000;
constexpr ULONG IDCMP_IDCMPUPDATE = 0x00800000;
constexpr ULONG IDCMP_MENUHELP = 0x01000000;
constexpr ULONG IDCMP_CHANGEWINDOW = 0x02000000;
constexpr ULONG IDCMP_GADGETHELP = 0x04000000;
constexpr ULONG IDCMP_LONELYMESSAGE = 0x80000000;

// Codes of IDCMP_MOUSEBUTTONS.
constexpr UWORD SELECTDOWN = IECODE_LBUTTON;
constexpr UWORD SELECTUP = IECODE_LBUTTON | IECODE_UP_PREFIX;
constexpr UWORD MENUDOWN = IECODE_RBUTTON;
constexpr UWORD MENUUP = IECODE_RBUTTON | IECODE_UP_PREFIX;
constexpr UWORD MIDDLEDOWN = IECODE_MBUTTON;
constexpr UWORD MIDDLEUP = IECODE_MBUTTON | IECODE_UP_PREFIX;

// ---- Window flags ---------------------------------------------------------------------------

constexpr ULONG WFLG_SIZEGADGET = 0x00000001;
constexpr ULONG WFLG_DRAGBAR = 0x00000002;
constexpr ULONG WFLG_DEPTHGADGET = 0x00000004;
constexpr ULONG WFLG_CLOSEGADGET = 0x00000008;
constexpr ULONG WFLG_SIZEBRIGHT = 0x00000010;
constexpr ULONG WFLG_SIZEBBOTTOM = 0x00000020;
constexpr ULONG WFLG_REFRESHBITS = 0x000000C0;
constexpr ULONG WFLG_SMART_REFRESH = 0x00000000;
constexpr ULONG WFLG_SIMPLE_REFRESH = 0x00000040;
constexpr ULONG WFLG_SUPER_BITMAP = 0x00000080;
constexpr ULONG WFLG_OTHER_REFRESH = 0x000000C0;
constexpr ULONG WFLG_BACKDROP = 0x00000100;
constexpr ULONG WFLG_REPORTMOUSE = 0x00000200;
constexpr ULONG WFLG_GIMMEZEROZERO = 0x00000400;
constexpr ULONG WFLG_BORDERLESS = 0x00000800;
constexpr ULONG WFLG_ACTIVATE = 0x00001000;
constexpr ULONG WFLG_WINDOWACTIVE = 0x00002000;
constexpr ULONG WFLG_INREQUEST = 0x00004000;
constexpr ULONG WFLG_MENUSTATE = 0x00008000;
constexpr ULONG WFLG_RMBTRAP = 0x00010000;
constexpr ULONG WFLG_NOCAREREFRESH = 0x00020000;
constexpr ULONG WFLG_NW_EXTENDED = 0x00040000;
constexpr ULONG WFLG_NEWLOOKMENUS = 0x00200000;
constexpr ULONG WFLG_WINDOWREFRESH = 0x01000000;
constexpr ULONG WFLG_WBENCHWINDOW = 0x02000000;
constexpr ULONG WFLG_WINDOWTICKED = 0x04000000;
constexpr ULONG WFLG_VISITOR = 0x08000000;
constexpr ULONG WFLG_ZOOMED = 0x10000000;
constexpr ULONG WFLG_HASZOOM = 0x20000000;

// Codes of IDCMP_CHANGEWINDOW.
constexpr UWORD CWCODE_MOVESIZE = 0x0000;
constexpr UWORD CWCODE_DEPTH = 0x0001;

// ---- Window tags ----------------------------------------------------------------------------

constexpr Tag WA_Dummy = TAG_USER + 99;
constexpr Tag WA_Left = WA_Dummy + 0x01;
constexpr Tag WA_Top = WA_Dummy + 0x02;
constexpr Tag WA_Width = WA_Dummy + 0x03;
constexpr Tag WA_Height = WA_Dummy + 0x04;
constexpr Tag WA_IDCMP = WA_Dummy + 0x07;
constexpr Tag WA_Flags = WA_Dummy + 0x08;
constexpr Tag WA_Gadgets = WA_Dummy + 0x09;
constexpr Tag WA_Title = WA_Dummy + 0x0B;
constexpr Tag WA_CustomScreen = WA_Dummy + 0x0D;
constexpr Tag WA_MinWidth = WA_Dummy + 0x0F;
constexpr Tag WA_MinHeight = WA_Dummy + 0x10;
constexpr Tag WA_InnerWidth = WA_Dummy + 0x13;
constexpr Tag WA_InnerHeight = WA_Dummy + 0x14;
constexpr Tag WA_PubScreen = WA_Dummy + 0x16;
constexpr Tag WA_SizeGadget = WA_Dummy + 0x1E;
constexpr Tag WA_DragBar = WA_Dummy + 0x1F;
constexpr Tag WA_DepthGadget = WA_Dummy + 0x20;
constexpr Tag WA_CloseGadget = WA_Dummy + 0x21;
constexpr Tag WA_Borderless = WA_Dummy + 0x25;
constexpr Tag WA_Activate = WA_Dummy + 0x26;
constexpr Tag WA_RMBTrap = WA_Dummy + 0x27;
constexpr Tag WA_SmartRefresh = WA_Dummy + 0x2A;
constexpr Tag WA_AutoAdjust = WA_Dummy + 0x2D;
constexpr Tag WA_Pointer = WA_Dummy + 0x34;
constexpr Tag WA_BusyPointer = WA_Dummy + 0x35;
constexpr Tag WA_PointerDelay = WA_Dummy + 0x36;

// ---- Screen tags, types, flags --------------------------------------------------------------

constexpr Tag SA_Dummy = TAG_USER + 32;
constexpr Tag SA_Width = SA_Dummy + 0x03;
constexpr Tag SA_Height = SA_Dummy + 0x04;
constexpr Tag SA_Depth = SA_Dummy + 0x05;
constexpr Tag SA_DetailPen = SA_Dummy + 0x06;
constexpr Tag SA_BlockPen = SA_Dummy + 0x07;
constexpr Tag SA_Title = SA_Dummy + 0x08;
constexpr Tag SA_ErrorCode = SA_Dummy + 0x0A;
constexpr Tag SA_Type = SA_Dummy + 0x0D;
constexpr Tag SA_ShowTitle = SA_Dummy + 0x16;
constexpr Tag SA_Behind = SA_Dummy + 0x17;
constexpr Tag SA_Quiet = SA_Dummy + 0x18;
constexpr Tag SA_LikeWorkbench = SA_Dummy + 0x27;

constexpr UWORD WBENCHSCREEN = 0x0001;
constexpr UWORD PUBLICSCREEN = 0x0002;
constexpr UWORD CUSTOMSCREEN = 0x000F;
constexpr UWORD SCREENTYPE = 0x000F;
constexpr UWORD SHOWTITLE = 0x0010;
constexpr UWORD BEEPING = 0x0020;
constexpr UWORD CUSTOMBITMAP = 0x0040;
constexpr UWORD SCREENBEHIND = 0x0080;
constexpr UWORD SCREENQUIET = 0x0100;
constexpr UWORD SCREENHIRES = 0x0200;

// Reasons stored through SA_ErrorCode.
constexpr ULONG OSERR_NOMONITOR = 1;
constexpr ULONG OSERR_NOCHIPS = 2;
constexpr ULONG OSERR_NOMEM = 3;
constexpr ULONG OSERR_NOCHIPMEM = 4;
constexpr ULONG OSERR_PUBNOTUNIQUE = 5;
constexpr ULONG OSERR_UNKNOWNMODE = 6;
constexpr ULONG OSERR_TOODEEP = 7;
constexpr ULONG OSERR_ATTACHFAIL = 8;
constexpr ULONG OSERR_NOTAVAILABLE = 9;

// Pen indexes of DrawInfo::dri_Pens.
constexpr UWORD DETAILPEN = 0;
constexpr UWORD BLOCKPEN = 1;
constexpr UWORD TEXTPEN = 2;
constexpr UWORD SHINEPEN = 3;
constexpr UWORD SHADOWPEN = 4;
constexpr UWORD FILLPEN = 5;
constexpr UWORD FILLTEXTPEN = 6;
constexpr UWORD BACKGROUNDPEN = 7;
constexpr UWORD HIGHLIGHTTEXTPEN = 8;
constexpr UWORD BARDETAILPEN = 9;
constexpr UWORD BARBLOCKPEN = 10;
constexpr UWORD BARTRIMPEN = 11;
constexpr UWORD NUMDRIPENS = 12;

// ---- Gadgets --------------------------------------------------------------------------------

constexpr UWORD GFLG_GADGHIGHBITS = 0x0003;
constexpr UWORD GFLG_GADGHCOMP = 0x0000;
constexpr UWORD GFLG_GADGHBOX = 0x0001;
constexpr UWORD GFLG_GADGHIMAGE = 0x0002;
constexpr UWORD GFLG_GADGHNONE = 0x0003;
constexpr UWORD GFLG_GADGIMAGE = 0x0004;
constexpr UWORD GFLG_RELBOTTOM = 0x0008;
constexpr UWORD GFLG_RELRIGHT = 0x0010;
constexpr UWORD GFLG_RELWIDTH = 0x0020;
constexpr UWORD GFLG_RELHEIGHT = 0x0040;
constexpr UWORD GFLG_SELECTED = 0x0080;
constexpr UWORD GFLG_DISABLED = 0x0100;
constexpr UWORD GFLG_TABCYCLE = 0x0200;
constexpr UWORD GFLG_STRINGEXTEND = 0x0400;
constexpr UWORD GFLG_IMAGEDISABLE = 0x0800;
constexpr UWORD GFLG_LABELITEXT = 0x0000;
constexpr UWORD GFLG_LABELSTRING = 0x1000;
constexpr UWORD GFLG_LABELIMAGE = 0x2000;
constexpr UWORD GFLG_LABELMASK = 0x3000;
constexpr UWORD GFLG_RELSPECIAL = 0x4000;
constexpr UWORD GFLG_EXTENDED = 0x8000;

constexpr UWORD GACT_RELVERIFY = 0x0001;
constexpr UWORD GACT_IMMEDIATE = 0x0002;
constexpr UWORD GACT_ENDGADGET = 0x0004;
constexpr UWORD GACT_FOLLOWMOUSE = 0x0008;
constexpr UWORD GACT_RIGHTBORDER = 0x0010;
constexpr UWORD GACT_LEFTBORDER = 0x0020;
constexpr UWORD GACT_TOPBORDER = 0x0040;
constexpr UWORD GACT_BOTTOMBORDER = 0x0080;
constexpr UWORD GACT_TOGGLESELECT = 0x0100;
constexpr UWORD GACT_STRINGCENTER = 0x0200;
constexpr UWORD GACT_STRINGRIGHT = 0x0400;
constexpr UWORD GACT_LONGINT = 0x0800;
constexpr UWORD GACT_ALTKEYMAP = 0x1000;
constexpr UWORD GACT_BOOLEXTEND = 0x2000;
constexpr UWORD GACT_ACTIVEGADGET = 0x4000;
constexpr UWORD GACT_BORDERSNIFF = 0x8000;

constexpr UWORD GTYP_GADGETTYPE = 0xFC00;
constexpr UWORD GTYP_SYSGADGET = 0x8000;
constexpr UWORD GTYP_SCRGADGET = 0x4000;
constexpr UWORD GTYP_GZZGADGET = 0x2000;
constexpr UWORD GTYP_REQGADGET = 0x1000;
constexpr UWORD GTYP_SIZING = 0x0010;
constexpr UWORD GTYP_WDRAGGING = 0x0020;
constexpr UWORD GTYP_SDRAGGING = 0x0030;
constexpr UWORD GTYP_WDEPTH = 0x0040;
constexpr UWORD GTYP_SDEPTH = 0x0050;
constexpr UWORD GTYP_WZOOM = 0x0060;
constexpr UWORD GTYP_CLOSE = 0x0080;
constexpr UWORD GTYP_GTYPEMASK = 0x0007;
constexpr UWORD GTYP_BOOLGADGET = 0x0001;
constexpr UWORD GTYP_GADGET0002 = 0x0002;
constexpr UWORD GTYP_PROPGADGET = 0x0003;
constexpr UWORD GTYP_STRGADGET = 0x0004;
constexpr UWORD GTYP_CUSTOMGADGET = 0x0005;

struct Gadget {
    Gadget* NextGadget;
    WORD LeftEdge;
    WORD TopEdge;
    WORD Width;
    WORD Height;
    UWORD Flags;
    UWORD Activation;
    UWORD GadgetType;
    APTR GadgetRender; // an Image (GFLG_GADGIMAGE) drawn as the gadget, or null
    APTR SelectRender; // the Image drawn while selected (GFLG_GADGHIMAGE), or null
    IntuiText* GadgetText;
    LONG MutualExclude;
    APTR SpecialInfo;
    UWORD GadgetID;
    APTR UserData;
};

// ---- Screens and windows --------------------------------------------------------------------

struct DrawInfo {
    UWORD dri_Version;
    UWORD dri_NumPens;
    UWORD* dri_Pens; // NUMDRIPENS pens, indexed by DETAILPEN...
    TextFont* dri_Font;
    UWORD dri_Depth;
    UWORD dri_ResolutionX;
    UWORD dri_ResolutionY;
    ULONG dri_Flags;
};

// Graphics' layer of a window: the RastPort's link back to its window.
struct Layer {
    RastPort* rp;
    Rectangle bounds; // on the screen, inclusive
    struct Window* Window;
};

struct Screen {
    Screen* NextScreen;  // towards the back
    Window* FirstWindow; // the most recently opened first, linked through NextWindow
    WORD LeftEdge;
    WORD TopEdge; // position on the display (MoveScreen)
    WORD Width;
    WORD Height;
    WORD MouseY; // the pointer, relative to the screen's top-left corner
    WORD MouseX;
    UWORD Flags;  // screen type and SHOWTITLE, BEEPING, SCREENBEHIND, SCREENQUIET
    STRPTR Title; // shown in the title bar while no window of the screen is active
    STRPTR DefaultTitle;
    BYTE BarHeight; // the title bar covers rows 0..BarHeight (the last row is its trim)
    BYTE BarVBorder;
    BYTE BarHBorder;
    BYTE MenuVBorder;
    BYTE MenuHBorder;
    BYTE WBorTop; // default window borders
    BYTE WBorLeft;
    BYTE WBorRight;
    BYTE WBorBottom;
    TextAttr* Font; // topaz 8
    struct ViewPort ViewPort;
    struct RastPort RastPort; // draws into the screen's own bitmap (background, title bar)
    struct BitMap BitMap;
    Gadget* FirstGadget;
    UBYTE DetailPen;
    UBYTE BlockPen;
    APTR UserData;
};

struct Window {
    Window* NextWindow;
    WORD LeftEdge;
    WORD TopEdge;
    WORD Width;
    WORD Height;
    WORD MouseY; // the pointer, relative to the window's top-left corner
    WORD MouseX;
    WORD MinWidth;
    WORD MinHeight;
    UWORD MaxWidth;
    UWORD MaxHeight;
    ULONG Flags; // WFLG_*
    Menu* MenuStrip;
    STRPTR Title; // intuition's own copy of the title, or null
    Requester* FirstRequest;
    Requester* DMRequest;
    WORD ReqCount;
    Screen* WScreen;
    RastPort* RPort; // draws into the window's bitmap, (0, 0) at its top-left corner
    BYTE BorderLeft;
    BYTE BorderTop;
    BYTE BorderRight;
    BYTE BorderBottom;
    RastPort* BorderRPort;
    Gadget* FirstGadget;
    Window* Parent;
    Window* Descendant;
    UWORD* Pointer; // the custom pointer's sprite data, or null
    BYTE PtrHeight;
    BYTE PtrWidth;
    BYTE XOffset;
    BYTE YOffset;
    ULONG IDCMPFlags;
    MsgPort* UserPort;   // input messages arrive here (null while IDCMPFlags is 0)
    MsgPort* WindowPort; // replies go back here
    IntuiMessage* MessageKey;
    UBYTE DetailPen;
    UBYTE BlockPen;
    Image* CheckMark;
    STRPTR ScreenTitle; // the screen's title while this window is active, or null
    WORD GZZMouseX;
    WORD GZZMouseY;
    WORD GZZWidth; // the inner size: Width and Height less the borders
    WORD GZZHeight;
    UBYTE* ExtData;
    BYTE* UserData;
    Layer* WLayer;
    TextFont* IFont;
    ULONG MoreFlags;
};

struct IntuiMessage {
    Message ExecMessage;
    ULONG Class;
    UWORD Code;
    UWORD Qualifier;
    // IDCMP_GADGETDOWN/UP: the Gadget. IDCMP_RAWKEY: points to the previous keys packed as
    // an event address (PackPreviousKeys, keymap/Keymap.h); the event loop copies
    // *(APTR*)IAddress into InputEvent::ie_EventAddress for MapRawKey.
    APTR IAddress;
    WORD MouseX; // relative to the window's top-left corner
    WORD MouseY;
    ULONG Seconds;
    ULONG Micros;
    Window* IDCMPWindow;
    IntuiMessage* SpecialLink;
};

// ---- Functions ------------------------------------------------------------------------------

// Opens a screen from tags (`newScreen` must be null); unknown tags are ignored. The first
// screen opens the host window. Null when it cannot open; the reason goes to SA_ErrorCode
// (when given) and IntuitionLastError().
Screen* OpenScreenTagList(const NewScreen* newScreen, const TagItem* tags);
// FALSE, leaving the screen open, while windows are open on it.
BOOL CloseScreen(Screen* screen);
// Moves the screen on the display (only vertically, as the platform's screens do).
void MoveScreen(Screen* screen, LONG dx, LONG dy);
void ScreenToFront(Screen* screen);
void ScreenToBack(Screen* screen);
// Only the default public screen (name null or "Workbench") is known: an 800 × 600 screen
// opened on first use. Null for any other name or when it cannot open.
Screen* LockPubScreen(CONST_STRPTR name);
void UnlockPubScreen(CONST_STRPTR name, Screen* screen);
DrawInfo* GetScreenDrawInfo(Screen* screen);
void FreeScreenDrawInfo(Screen* screen, DrawInfo* drawInfo);

// Opens a window from tags (`newWindow` must be null); unknown tags are ignored. Null when it
// cannot open (no screen, does not fit without WA_AutoAdjust, no memory or signal left).
Window* OpenWindowTagList(const NewWindow* newWindow, const TagItem* tags);
// Messages still queued on the UserPort are taken back; ones the program holds stay valid
// until it replies them.
void CloseWindow(Window* window);
// Moves and resizes at once, keeping the content; IDCMP_CHANGEWINDOW, and IDCMP_NEWSIZE and
// IDCMP_REFRESHWINDOW when the size changed, to windows that asked for them.
void ChangeWindowBox(Window* window, LONG left, LONG top, LONG width, LONG height);
void WindowToFront(Window* window);
void WindowToBack(Window* window);
// Puts `window` just in front of `behind` (both on one screen, both backdrop or neither).
void MoveWindowInFrontOf(Window* window, Window* behind);
// Toggles between the window's box and its alternate box (its minimum size at the same
// place).
void ZipWindow(Window* window);
void ActivateWindow(Window* window);
// (CONST_STRPTR)-1 keeps a title, null clears it. The screen title shows while the window is
// active.
void SetWindowTitles(Window* window, CONST_STRPTR windowTitle, CONST_STRPTR screenTitle);
// Draws the window's borders, title bar and system gadgets into its bitmap.
void RefreshWindowFrame(Window* window);
// Changes the IDCMP classes; creates or deletes the UserPort as needed. FALSE when a port
// cannot be created.
BOOL ModifyIDCMP(Window* window, ULONG flags);
void BeginRefresh(Window* window);
void EndRefresh(Window* window, BOOL complete);

// The platform's sprite format: two reserved words, then per row two words (plane 0, then
// plane 1; leftmost pixel in the most significant bit), then two zero words. Colour 0 is
// transparent, 1..3 are pens 17..19 of the screen. At most 16 pixels wide.
void SetPointer(Window* window, UWORD* pointer, LONG height, LONG width, LONG xOffset, LONG yOffset);
void ClearPointer(Window* window);
// WA_Pointer (sprite data or null), WA_BusyPointer (TRUE: the busy pointer), WA_PointerDelay.
void SetWindowPointerA(Window* window, const TagItem* tags);

// Flashes the screen (null: every screen) for one frame.
void DisplayBeep(Screen* screen);
void CurrentTime(ULONG* seconds, ULONG* micros);

// Gadget lists. Position ~0 (or beyond the end) appends; `numGad` -1 means to the end of
// the list handed in. Returns the position where the gadgets went.
UWORD AddGList(Window* window, Gadget* gadget, UWORD position, WORD numGad, Requester* requester);
UWORD RemoveGList(Window* window, Gadget* gadget, WORD numGad);
void RefreshGList(Gadget* gadgets, Window* window, Requester* requester, WORD numGad);

// Why the last screen or window did not open.
const char* IntuitionLastError();

namespace internal {
template <typename T> IPTR ToTagData(T value)
{
    if constexpr (std::is_pointer_v<T> || std::is_null_pointer_v<T>)
        return reinterpret_cast<IPTR>(value);
    else
        return static_cast<IPTR>(value);
}
template <typename... Args> std::vector<TagItem> MakeTagList(Args... args)
{
    static_assert(sizeof...(Args) % 2 == 1, "tag, value pairs ended by TAG_DONE");
    const IPTR values[] = {ToTagData(args)...};
    std::vector<TagItem> tags;
    for (std::size_t i = 0; i + 1 < sizeof...(Args); i += 2)
        tags.push_back(TagItem{static_cast<Tag>(values[i]), values[i + 1]});
    tags.push_back(TagItem{TAG_DONE, 0});
    return tags;
}
} // namespace internal

// The platform's varargs forms: tag, value pairs ended by TAG_DONE.
template <typename... Args> Screen* OpenScreenTags(const NewScreen* newScreen, Args... args)
{
    return OpenScreenTagList(newScreen, internal::MakeTagList(args...).data());
}
template <typename... Args> Window* OpenWindowTags(const NewWindow* newWindow, Args... args)
{
    return OpenWindowTagList(newWindow, internal::MakeTagList(args...).data());
}
template <typename... Args> void SetWindowPointer(Window* window, Args... args)
{
    SetWindowPointerA(window, internal::MakeTagList(args...).data());
}

} // namespace amiga
