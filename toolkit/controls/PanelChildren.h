// SPDX-License-Identifier: MIT
// PanelChildren: a container control (kind "panel"); its children give it as their parent,
// take their positions relative to it and are found through it by the registries.
#pragma once

#include "toolkit/core/Child.h"

class PanelChildren : public Child {
public:
    explicit PanelChildren(GUIElement* parentElement);

    // Gets the ID and becomes loaded; the panel has no platform counterpart of its own.
    void Load() override;
    // With the border on: the background (pen 0 without one) and a sunken one-pixel bevel,
    // pen 1 top and left, pen 2 right and bottom. Without it only a background colour that
    // was set. The window paints the panel's children after it, over it.
    void OnPaint() override;

    void SetBorder(short value) { border = value; }
    short GetBorder() const { return border; }

private:
    short border = 0;
};
