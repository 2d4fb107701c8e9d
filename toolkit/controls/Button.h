// SPDX-License-Identifier: MIT
// Button: a native push button; a release over it raises its command.
#pragma once

#include "toolkit/core/CommandElement.h"
#include "toolkit/core/NativeGadget.h"

#include <string>

class Button : public NativeGadget, public CommandElement {
public:
    Button(GUIElement* parentElement, std::string caption, int left, int top, int gadgetWidth, int gadgetHeight);
};
