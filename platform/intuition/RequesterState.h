// SPDX-License-Identifier: MIT
// State shared by the requester and alert sources; private to them.
#pragma once

#include "platform/testing/RequesterTesting.h"

namespace amiga {
struct Screen;
struct Window;
}

namespace amiga::internal {

struct RequesterState {
    int pendingButton = -1;     // the button a test answers the next requester with
    UWORD pendingKey = 0;       // or the key
    int pendingAlertButton = 0; // the button a test answers the next alert with
    RequesterRecord last;
    RequesterRecord lastAlert;
};

RequesterState& Requesters();

// The window's whole bitmap as a record for tests.
RequesterRecord RecordOf(const Window* window);

// A pen of the screen's DrawInfo (DETAILPEN...), `fallback` without one.
UWORD PenOf(Screen* screen, UWORD which, UWORD fallback);

} // namespace amiga::internal
