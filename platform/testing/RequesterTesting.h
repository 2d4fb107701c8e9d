// SPDX-License-Identifier: MIT
// Hooks for tests that meet requesters and alerts: answers given through the injected input.
#pragma once

#include "platform/common/Types.h"

#include <cstddef>
#include <string>
#include <vector>

namespace amiga {

// The next EasyRequestArgs, once its window is open, gets a left click injected at the centre
// of its button `buttonFromLeft` (0 = leftmost) through the host's input queue.
void AnswerNextRequester(int buttonFromLeft);
// The next EasyRequestArgs gets this raw key (pressed and released) injected instead.
void AnswerNextRequesterWithKey(UWORD rawKey);
// The next DisplayAlert gets a click of this button (internal::HostEvent::LeftButton or
// RightButton) injected once it is shown, below its band (the alert takes every click).
void AnswerNextAlert(int button);
// Forgets answers not yet used and the records of what was shown.
void ClearRequesterAnswers();

// What the last EasyRequestArgs (or DisplayAlert) showed, for tests that check it.
struct RequesterRecord {
    int buttons = 0;                               // number of buttons shown
    int lines = 0;                                 // number of text lines shown
    std::string title, text;                       // as given, before the text is split into lines
    LONG left = 0, top = 0, width = 0, height = 0; // its window on the screen
    std::vector<UBYTE> pixels;                     // the window's pens as first drawn, width * height
    UBYTE At(int x, int y) const
    {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};
RequesterRecord LastRequester();
RequesterRecord LastAlert();

} // namespace amiga
