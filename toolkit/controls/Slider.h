// SPDX-License-Identifier: MIT
// Slider: a native slider; the event loop tells it when its value changed.
#pragma once

#include "toolkit/core/NativeGadget.h"

#include <string>

class Slider : public NativeGadget {
public:
    Slider(GUIElement* parentElement, int left, int top, int gadgetWidth, int gadgetHeight);

    // The gadget was released at a new value: the change handler.
    void OnChangeValue() override;
    void SetOnChangeValue(void (*handler)(GUIElement*)) { onChangeValue = handler; }
    int GetValue() const { return value; }
    void SetValue(int newValue) { value = newValue; }

private:
    int value = 0;
    void (*onChangeValue)(GUIElement*) = nullptr;
};
