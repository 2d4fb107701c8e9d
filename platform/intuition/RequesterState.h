// SPDX-License-Identifier: MIT
// What a test may watch of requesters and alerts; private to intuition and the testing library.
#pragma once

#include "platform/intuition/Intuition.h"

#include <vector>

namespace amiga::internal {

// Called, when set, once a requester or alert is drawn and before it waits for its answer.
// The program leaves them null; the testing library sets them to record what was shown and
// to queue the answer a test asked for.
struct RequesterHooks {
    // `buttons`: the boxes of its buttons in the window, leftmost first.
    // `title` and `text` as given, before the text is split into lines.
    void (*requesterShown)(const Window* requester, const std::vector<Rectangle>& buttons, int lines, const char* title,
                           const char* text) = nullptr;
    // `bandHeight`: the rows of the alert's band at the top of its window.
    void (*alertShown)(const Window* alert, int bandHeight) = nullptr;
};
inline RequesterHooks gRequesterHooks;

} // namespace amiga::internal
