// SPDX-License-Identifier: MIT
// Child: an element placed inside a parent element (a window or a panel).
#pragma once

#include "toolkit/core/GUIElement.h"

class Child : public GUIElement {
public:
    // The parent is not owned; the kind name is set by the concrete class.
    explicit Child(GUIElement* parentElement);
    // Leaves the registries before the fields go.
    ~Child() override;

    GUIElement* GetParent() const { return parent; }
    // The parent of any element: null unless it is a Child (only Child sets the children flag).
    static GUIElement* ParentOf(GUIElement* element);
    // The nearest ancestor whose kind name is "form"; null when the chain has none.
    GUIElement* GetFormParent() const;
    // The platform window of that ancestor; null when there is none or it is not open.
    amiga::Window* GetFormWindow() const;
    // (x, y) given in this element's parent converted to the window's client area: the
    // positions of every ancestor below the window are added.
    tagPOINT GetPositionFromParent(int px, int py) const;
};
