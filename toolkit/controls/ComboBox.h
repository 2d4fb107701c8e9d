// SPDX-License-Identifier: MIT
// ComboBox: a native cycle gadget; a choice in it raises its command.
#pragma once

#include "toolkit/core/CommandElement.h"
#include "toolkit/core/NativeGadget.h"

#include <string>

class ComboBox : public NativeGadget, public CommandElement {
public:
    ComboBox(GUIElement* parentElement, std::string caption, int left, int top, int gadgetWidth, int gadgetHeight);

protected:
    // For the kinds derived from it.
    ComboBox(GUIElement* parentElement, amiga::ULONG kind, std::string caption, int left, int top, int gadgetWidth,
             int gadgetHeight);
};
