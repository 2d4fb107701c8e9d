// SPDX-License-Identifier: MIT
// Seams between the platform's own modules; not part of the platform API the toolkit sees.
//
// The screen path: windows draw into their own chunky 8-bit bitmaps; intuition composes the
// front screen (backdrop windows, title bar, windows back to front, an open menu) into one
// 8-bit image when the program is about to block, and the host converts it through the
// screen's palette and presents it. Input goes the other way: the host turns its events into
// HostEvents, exec's waiting loop hands them to intuition, which routes them to windows.
#pragma once

#include "platform/common/Types.h"

namespace amiga::internal {

// Microseconds on the one monotonic clock every timer and delay runs on.
uint64_t NowMicros();

// Raw input at the host boundary, in screen coordinates (0..width-1, 0..height-1 of the
// front screen, already unscaled).
struct HostEvent {
    // CloseRequest: the host window's close button. Break: the system asks the program to end
    // (a signal); the task gets SIGBREAKF_CTRL_C, as from a shell's Ctrl-C.
    enum class Kind { PointerMove, ButtonDown, ButtonUp, KeyDown, KeyUp, CloseRequest, Break, Wake };
    enum Button { LeftButton = 1, RightButton = 2, MiddleButton = 3 };
    Kind kind = Kind::Wake;
    int x = 0;
    int y = 0;
    int button = 0;
    UWORD rawKey = 0;    // the platform's raw key code, without the key-up bit
    UWORD qualifier = 0; // IEQUALIFIER_* bits held when the event happened
};

// Implemented by intuition, called from exec whenever the program is about to sleep:
// composes and presents the front screen when anything changed since the last present.
void PresentIfDirty();
// Implemented by intuition: routes one host event to the windows (input messages, drags,
// gadgets, menus).
void HandleHostEvent(const HostEvent& event);
// Implemented by exec: hands every queued host event to HandleHostEvent without blocking.
void PumpHostEvents();

} // namespace amiga::internal

namespace amiga {
struct Window;
struct BitMap;
} // namespace amiga

namespace amiga::internal {

// The menu module, driven by intuition's input routing while the right button is held over
// a screen whose active window has a menu strip.
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

} // namespace amiga::internal
