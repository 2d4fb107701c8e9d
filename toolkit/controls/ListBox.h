// SPDX-License-Identifier: MIT
// ListBox: a native list; a choice in it raises its command.
#pragma once

#include "toolkit/controls/NativeGadget.h"
#include "toolkit/core/CommandElement.h"

#include <string>

class ListBox : public NativeGadget, public CommandElement {
public:
    ListBox(GUIElement* parentElement, std::string caption, int left, int top, int gadgetWidth, int gadgetHeight);
};
