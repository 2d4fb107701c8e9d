// SPDX-License-Identifier: MIT
// ComboBox: a native gadget of the cycle kind.
#include "toolkit/controls/ComboBox.h"

ComboBox::ComboBox(GUIElement* parentElement, std::string caption, int left, int top, int gadgetWidth, int gadgetHeight)
    : ComboBox(parentElement, amiga::CYCLE_KIND, std::move(caption), left, top, gadgetWidth, gadgetHeight)
{
}

ComboBox::ComboBox(GUIElement* parentElement, amiga::ULONG kind, std::string caption, int left, int top,
                   int gadgetWidth, int gadgetHeight)
    : NativeGadget(parentElement, kind, std::move(caption), left, top, gadgetWidth, gadgetHeight)
{
    className = "combobox";
}
