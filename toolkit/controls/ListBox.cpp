// SPDX-License-Identifier: MIT
// ListBox: a native gadget of its kind.
#include "toolkit/controls/ListBox.h"

ListBox::ListBox(GUIElement* parentElement, std::string caption, int left, int top, int gadgetWidth, int gadgetHeight)
    : NativeGadget(parentElement, amiga::LISTVIEW_KIND, std::move(caption), left, top, gadgetWidth, gadgetHeight)
{
    className = "listbox";
}
