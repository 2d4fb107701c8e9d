// SPDX-License-Identifier: MIT
// intuition's menu strips and gadtools' menu builder: Menu, MenuItem, NewMenu, menu numbers.
#pragma once

#include "platform/graphics/Graphics.h"
#include "platform/intuition/Images.h"
#include "platform/common/Types.h"

namespace amiga {

struct Window;

struct MenuItem {
    MenuItem* NextItem = nullptr;
    WORD LeftEdge = 0; // relative to the menu's box (the sub-item box for sub-items)
    WORD TopEdge = 0;
    WORD Width = 0;
    WORD Height = 0;
    UWORD Flags = 0;
    LONG MutualExclude = 0;
    APTR ItemFill = nullptr;   // IntuiText* when ITEMTEXT is set, else Image*
    APTR SelectFill = nullptr; // drawn when highlighted with HIGHIMAGE; unused otherwise
    BYTE Command = 0;          // the command key when COMMSEQ is set
    MenuItem* SubItem = nullptr;
    UWORD NextSelect = 0xFFFF; // the next menu number of a multiple selection, MENUNULL at the end
};

struct Menu {
    Menu* NextMenu = nullptr;
    WORD LeftEdge = 0; // of the title in the screen's title bar
    WORD TopEdge = 0;
    WORD Width = 0; // of the title
    WORD Height = 0;
    UWORD Flags = 0;
    CONST_STRPTR MenuName = nullptr;
    MenuItem* FirstItem = nullptr;
    // Kept by intuition: the box of the items, relative to the menu's title.
    WORD JazzX = 0;
    WORD JazzY = 0;
    WORD BeatX = 0;
    WORD BeatY = 0;
};

// Menu flags.
constexpr UWORD MENUENABLED = 0x0001;
constexpr UWORD MIDRAWN = 0x0100;

// MenuItem flags.
constexpr UWORD CHECKIT = 0x0001;
constexpr UWORD ITEMTEXT = 0x0002;
constexpr UWORD COMMSEQ = 0x0004;
constexpr UWORD MENUTOGGLE = 0x0008;
constexpr UWORD ITEMENABLED = 0x0010;
constexpr UWORD HIGHFLAGS = 0x00C0;
constexpr UWORD HIGHIMAGE = 0x0000;
constexpr UWORD HIGHCOMP = 0x0040;
constexpr UWORD HIGHBOX = 0x0080;
constexpr UWORD HIGHNONE = 0x00C0;
constexpr UWORD CHECKED = 0x0100;
constexpr UWORD ISDRAWN = 0x1000;
constexpr UWORD HIGHITEM = 0x2000;
constexpr UWORD MENUTOGGLED = 0x4000;

// Menu numbers: menu | item << 5 | sub-item << 11. An item without sub-items is numbered
// with sub-item 0 (menu 1, item 1 is 0x0021).
constexpr UWORD MENUNULL = 0xFFFF;
constexpr UWORD NOMENU = 0x001F;
constexpr UWORD NOITEM = 0x003F;
constexpr UWORD NOSUB = 0x001F;

constexpr UWORD MENUNUM(UWORD number)
{
    return number & 0x1F;
}
constexpr UWORD ITEMNUM(UWORD number)
{
    return (number >> 5) & 0x3F;
}
constexpr UWORD SUBNUM(UWORD number)
{
    return (number >> 11) & 0x1F;
}
constexpr UWORD SHIFTMENU(UWORD menu)
{
    return menu & 0x1F;
}
constexpr UWORD SHIFTITEM(UWORD item)
{
    return static_cast<UWORD>((item & 0x3F) << 5);
}
constexpr UWORD SHIFTSUB(UWORD sub)
{
    return static_cast<UWORD>((sub & 0x1F) << 11);
}
constexpr UWORD FULLMENUNUM(UWORD menu, UWORD item, UWORD sub)
{
    return static_cast<UWORD>(SHIFTSUB(sub) | SHIFTITEM(item) | SHIFTMENU(menu));
}

// ---- gadtools' menu builder -----------------------------------------------------------------

struct NewMenu {
    UBYTE nm_Type = 0;
    STRPTR nm_Label = nullptr;   // NM_BARLABEL for a separator bar
    STRPTR nm_CommKey = nullptr; // a one-character string, or null
    UWORD nm_Flags = 0;
    LONG nm_MutualExclude = 0;
    APTR nm_UserData = nullptr;
};

constexpr UBYTE NM_END = 0;
constexpr UBYTE NM_TITLE = 1;
constexpr UBYTE NM_ITEM = 2;
constexpr UBYTE NM_SUB = 3;
constexpr UBYTE NM_IGNORE = 64;
constexpr UBYTE MENU_IMAGE = 128; // with NM_ITEM or NM_SUB: nm_Label is an Image*
constexpr UBYTE IM_ITEM = NM_ITEM | MENU_IMAGE;
constexpr UBYTE IM_SUB = NM_SUB | MENU_IMAGE;

inline STRPTR const NM_BARLABEL = reinterpret_cast<STRPTR>(-1);

// nm_Flags: the disabling flags are the enabling flags, read the other way round.
constexpr UWORD NM_MENUDISABLED = MENUENABLED;
constexpr UWORD NM_ITEMDISABLED = ITEMENABLED;

// Tags of CreateMenusA and LayoutMenusA (gadtools' tag base is TAG_USER + 0x80000).
constexpr Tag GTMN_TextAttr = TAG_USER + 0x80000 + 49;       // TextAttr* of the item texts (LayoutMenusA)
constexpr Tag GTMN_FrontPen = TAG_USER + 0x80000 + 50;       // pen of the texts (default 1)
constexpr Tag GTMN_Menu = TAG_USER + 0x80000 + 60;           // LayoutMenuItemsA's menu
constexpr Tag GTMN_FullMenu = TAG_USER + 0x80000 + 62;       // the array must start with a title
constexpr Tag GTMN_SecondaryError = TAG_USER + 0x80000 + 63; // ULONG* receiving GTMENU_ errors
constexpr Tag GTMN_NewLookMenus = TAG_USER + 0x80000 + 67;   // accepted; one look only
constexpr Tag GTMN_Checkmark = TAG_USER + 0x80000 + 68;      // accepted; the built-in mark is drawn
constexpr Tag GTMN_AmigaKey = TAG_USER + 0x80000 + 69;       // accepted; the built-in glyph is drawn

// GTMN_SecondaryError values.
constexpr ULONG GTMENU_TRIMMED = 0x00000001;
constexpr ULONG GTMENU_INVALID = 0x00000002;
constexpr ULONG GTMENU_NOMEM = 0x00000003;

// Builds a strip from an NM_END-terminated array. Each Menu and MenuItem is followed in
// memory by its nm_UserData (GTMENU_USERDATA, GTMENUITEM_USERDATA). Labels and command keys
// are copied. Null for an invalid array (an item before any title, a sub-item without an
// item) or with nothing in it. Command keys are kept upper-case-insensitive.
Menu* CreateMenusA(const NewMenu* newMenus, const TagItem* tags);
// Places the titles across the title bar and the items in boxes below them, wide enough for
// the check mark and the command key ("A-key" glyph and letter at the right). TRUE on
// success, FALSE for a null strip.
BOOL LayoutMenusA(Menu* firstMenu, APTR visualInfo, const TagItem* tags);
// Lays out the items of one menu (GTMN_Menu says which).
BOOL LayoutMenuItemsA(MenuItem* firstItem, APTR visualInfo, const TagItem* tags);
// Frees a strip built by CreateMenusA (null is fine). Detach it from its window first.
void FreeMenus(Menu* menu);

APTR& GTMENU_USERDATA(Menu* menu);
APTR& GTMENUITEM_USERDATA(MenuItem* item);

// ---- intuition's side ----------------------------------------------------------------------

// Attaches the strip to the window (replacing any); its right button then opens it.
BOOL SetMenuStrip(Window* window, Menu* menu);
// Detaches the window's strip (closing it first if it is open).
void ClearMenuStrip(Window* window);
// The item (or sub-item) of a menu number; null for MENUNULL, NOMENU / NOITEM parts, or a
// number past the strip's menus or items.
MenuItem* ItemAddress(const Menu* menuStrip, UWORD menuNumber);

} // namespace amiga
