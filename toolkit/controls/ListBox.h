// SPDX-License-Identifier: MIT
// ListBox: a native list; a choice in it raises its command.
#pragma once

#include "toolkit/core/CommandElement.h"
#include "toolkit/core/NativeGadget.h"

#include <string>

class ListBox : public NativeGadget, public CommandElement {
public:
    ListBox(GUIElement* parentElement, std::string caption, int left, int top, int gadgetWidth, int gadgetHeight);
};
