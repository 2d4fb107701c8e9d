// SPDX-License-Identifier: MIT
// PaintedChild: what the controls that paint themselves on their window's RastPort share
// when they move, resize, show and hide (ButtonCustom, MyImage). It adds no operations.
#pragma once

#include "toolkit/core/Child.h"

class PaintedChild : public Child {
public:
    // Loaded: hide (which erases), store, show again; otherwise only store.
    void SetSize(int newWidth, int newHeight) override;
    void SetLocation(int newX, int newY) override;
    // Loads when needed and marks visible, then paints.
    void Show() override;
    void ShowActivate() override;
    // Loaded: erases the rectangle in the surrounding colour, then is neither visible nor
    // loaded, so it paints nothing until shown again. The ID stays.
    void Hide() override;

protected:
    using Child::Child;

    // Applies a change of place or size: loaded, hidden before (which erases) and shown after.
    template <typename Change> void HiddenWhile(Change change)
    {
        const bool wasLoaded = loaded;
        if (wasLoaded)
            Hide();
        change();
        if (wasLoaded)
            Show();
    }

    // The colour the control stands on: the parent's background, else the window's, else
    // pen 0.
    long SurroundingPen();
};
