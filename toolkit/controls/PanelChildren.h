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

    // Border on: the panel paints its background and a sunken one-pixel bevel.
    void SetBorder(short value) { border = value; }
    short GetBorder() const { return border; }

private:
    short border = 0;
};
