// SPDX-License-Identifier: MIT
// ScrollBar: a native scroller; the event loop hands it the new top position.
#pragma once

#include "toolkit/core/NativeGadget.h"

#include <string>

using ScrollHandler = void (*)(GUIElement*, int);

class ScrollBar : public NativeGadget {
public:
    ScrollBar(GUIElement* parentElement, int left, int top, int gadgetWidth, int gadgetHeight);

    // The scroller moved (or was released) at `code`: stored, then the scroll handler.
    void OnScroll(int code) override;
    int GetScrollPosition() const { return scrollPosition; }
    void SetOnScroll(ScrollHandler handler) { onScroll = handler; }

private:
    int scrollPosition = 0;
    ScrollHandler onScroll = nullptr;
};
