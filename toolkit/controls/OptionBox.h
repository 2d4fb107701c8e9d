// SPDX-License-Identifier: MIT
// OptionBox: a native set of mutually exclusive options; it raises its command when pressed
// and, not being a tab stop, never keeps the selection.
#pragma once

#include "toolkit/controls/ComboBox.h"

#include <string>

class OptionBox : public ComboBox {
public:
    OptionBox(GUIElement* parentElement, std::string caption, int left, int top, int gadgetWidth, int gadgetHeight);
};
