// SPDX-License-Identifier: MIT
// The menu module's state, its shared helpers and the calls intuition's input routing and
// composition make into it; private to intuition.
#pragma once

#include "platform/intuition/Menus.h"

#include <vector>

namespace amiga::internal {

// Layout measures (pixels) shared by the builder and the drawing.
constexpr int kMenuBoxBorder = 2;      // frame and gap around a box's items
constexpr int kMenuItemPadX = 4;       // text from the item's left edge
constexpr int kMenuCheckWidth = 12;    // room for the check mark
constexpr int kMenuAmigaKeyWidth = 13; // the Amiga-key glyph and its gap
constexpr int kMenuSubArrowWidth = 12; // room for the sub-menu mark; sub boxes open over it
constexpr int kMenuTitleGap = 8;       // added to a title's text width

// What gadtools allocates per menu and item: the platform structure followed by its user
// data (GTMENU_USERDATA, GTMENUITEM_USERDATA), and what the strip owns.
struct MenuNode {
    Menu menu;
    APTR userData = nullptr;
    char* name = nullptr; // the copy MenuName points to
};

struct ItemNode {
    MenuItem item;
    APTR userData = nullptr;
    IntuiText text{};      // ItemFill of text items
    Image bar{};           // ItemFill of separator bars
    char* label = nullptr; // the copy text.IText points to
    bool isBar = false;
};

// A strip being shown: which menu, item and sub-item are highlighted, and the picks so far.
struct OpenStrip {
    Window* window = nullptr;
    Menu* strip = nullptr;
    int menu = -1;    // highlighted title, -1 none
    int item = -1;    // highlighted item of that menu, -1 none
    int subItem = -1; // highlighted sub-item of that item, -1 none
    std::vector<UWORD> picks;
};

struct MenuState {
    OpenStrip open;
    bool isOpen = false;
};

MenuState& Menus();
// Closes a strip that is showing without picking anything (tests, ClearMenuStrip).
void ResetMenus();

// Driven by intuition's input routing while the right button is held over a screen whose
// active window has a menu strip.
// Right button pressed: opens the strip of `active`; false when it has none.
bool MenuBegin(Window* active, int x, int y);
// The pointer moved while the strip is open: highlights the menu and item under it.
void MenuTrack(int x, int y);
// A left click while the strip is open: adds the item under the pointer to the pick chain.
void MenuAddPick(int x, int y);
// Right button released: closes the strip, links the picks through NextSelect and returns
// the first menu number of the chain, MENUNULL when nothing was picked.
UWORD MenuEnd(int x, int y);
bool MenuIsOpen();
// Draws the open strip and menu over the composed image of the screen (its title bar row).
void MenuDraw(BitMap* composed);
// A command key (the Amiga key with `key`): the number of the enabled item with that key in
// the window's strip, with check items toggled, or MENUNULL.
UWORD MenuCommandKey(Window* window, char key);

// The number of the item or sub-item of a strip, MENUNULL when it is not in the strip.
UWORD MenuNumberOf(const Menu* strip, const MenuItem* target);
// Applies picking to a check item: CHECKED set (or toggled with MENUTOGGLE), and the items
// its MutualExclude names cleared.
void ApplyCheck(Menu* menu, MenuItem* item, MenuItem* siblings);
// The screen's title bar height (its trim row included) and width, for drawing and hit tests.
int BarBottom(const Window* window);

} // namespace amiga::internal
