// SPDX-License-Identifier: MIT
// What every platform library may share: the clock (common/Clock.cpp), the host's input
// events, and the two calls exec's waiting loop makes into intuition. Not part of the
// platform API the toolkit sees.
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

// Implemented by intuition (declared here so that exec need not include intuition), called
// from exec whenever the program is about to sleep: composes and presents the front screen
// when anything changed since the last present.
void PresentIfDirty();
// Implemented by intuition: routes one host event to the windows (input messages, drags,
// gadgets, menus).
void HandleHostEvent(const HostEvent& event);

} // namespace amiga::internal
