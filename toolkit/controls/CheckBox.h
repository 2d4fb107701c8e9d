// SPDX-License-Identifier: MIT
// CheckBox: a native check box; each release over it toggles the mark and raises its command.
#pragma once

#include "toolkit/core/CommandElement.h"
#include "toolkit/core/NativeGadget.h"

#include <string>

class CheckBox : public NativeGadget, public CommandElement {
public:
    CheckBox(GUIElement* parentElement, std::string caption, int left, int top, int gadgetWidth, int gadgetHeight);

    // The mark as the gadget shows it (the stored one before the gadget exists).
    short IsChecked() const;
    // Stores the mark; shown at once by a loaded check box.
    void SetChecked(short value);
};
