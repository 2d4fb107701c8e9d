// SPDX-License-Identifier: MIT
// Slider: a native gadget of the slider kind.
#include "toolkit/controls/Slider.h"

Slider::Slider(GUIElement* parentElement, int left, int top, int gadgetWidth, int gadgetHeight)
    : NativeGadget(parentElement, amiga::SLIDER_KIND, std::string(), left, top, gadgetWidth, gadgetHeight)
{
    className = "slider";
}

void Slider::OnChangeValue()
{
    if (onChangeValue != nullptr)
        onChangeValue(this);
}
