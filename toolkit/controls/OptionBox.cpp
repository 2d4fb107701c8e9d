// SPDX-License-Identifier: MIT
// OptionBox: a native gadget of the mutual-exclusion kind, reporting its press.
#include "toolkit/controls/OptionBox.h"

OptionBox::OptionBox(GUIElement* parentElement, std::string caption, int left, int top, int gadgetWidth,
                     int gadgetHeight)
    : ComboBox(parentElement, amiga::MX_KIND, std::move(caption), left, top, gadgetWidth, gadgetHeight)
{
    className = "optionbox";
    isTabStop = 0;
    immediate = true;
}
