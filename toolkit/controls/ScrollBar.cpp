// SPDX-License-Identifier: MIT
// ScrollBar: a native gadget of the scroller kind.
#include "toolkit/controls/ScrollBar.h"

ScrollBar::ScrollBar(GUIElement* parentElement, int left, int top, int gadgetWidth, int gadgetHeight)
    : NativeGadget(parentElement, amiga::SCROLLER_KIND, std::string(), left, top, gadgetWidth, gadgetHeight)
{
    className = "scrollbar";
}

void ScrollBar::OnScroll(int code)
{
    scrollPosition = code;
    if (onScroll != nullptr)
        onScroll(this, code);
}
