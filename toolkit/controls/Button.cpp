// SPDX-License-Identifier: MIT
// Button: a native gadget of its kind.
#include "toolkit/controls/Button.h"

Button::Button(GUIElement* parentElement, std::string caption, int left, int top, int gadgetWidth, int gadgetHeight)
    : NativeGadget(parentElement, amiga::BUTTON_KIND, std::move(caption), left, top, gadgetWidth, gadgetHeight)
{
    className = "button";
}
