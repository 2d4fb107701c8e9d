// SPDX-License-Identifier: MIT
// intuition's easy requesters and alerts.
#pragma once

#include "platform/common/Types.h"

namespace amiga {

struct Window;

struct EasyStruct {
    ULONG es_StructSize = sizeof(EasyStruct);
    ULONG es_Flags = 0;
    CONST_STRPTR es_Title = nullptr;        // null: the window's title, else "System Request"
    CONST_STRPTR es_TextFormat = nullptr;   // lines separated by "\n"
    CONST_STRPTR es_GadgetFormat = nullptr; // buttons separated by "|"
};

// Opens a requester window centred on the window's screen (the default public screen when
// `window` is null) and waits until a button is chosen: 1, 2, ... from the left, the rightmost
// 0. Return chooses the leftmost button, Esc the rightmost. "%" in the texts is shown as it
// is: no format is applied, whatever `args` holds. `idcmp` (may be null) is accepted for
// compatibility; no IDCMP class ends the requester. 0 (the rightmost, the cautious answer)
// when the requester cannot open. Labels are shown without their surrounding spaces.
LONG EasyRequestArgs(Window* window, const EasyStruct* easyStruct, ULONG* idcmp, const void* args);

constexpr ULONG RECOVERY_ALERT = 0x00000000;
constexpr ULONG DEADEND_ALERT = 0x80000000;

// Shows the alert: a black band `height` pixels high at the top of the front screen, framed
// (amber for recoverable alerts, red for dead-end ones), with the lines of `string` (each: x
// as 16 bits high byte first, y as one byte, the text, a NUL, a continuation byte that is
// nonzero when another line follows; at most 512 bytes of it are read, since the format has
// no length). Waits for a mouse button anywhere on the screen: TRUE for the left one, FALSE
// for the right one; no click reaches a window, and the screen shows its old content
// afterwards. Without a screen to show it on, FALSE.
BOOL DisplayAlert(ULONG alertNumber, CONST_STRPTR string, UWORD height);

} // namespace amiga
