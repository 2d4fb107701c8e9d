// SPDX-License-Identifier: MIT
// PanelChildren: the container control.
#include "toolkit/controls/PanelChildren.h"

PanelChildren::PanelChildren(GUIElement* parentElement) : Child(parentElement)
{
    className = "panel";
    isTabStop = 0;
}

void PanelChildren::Load()
{
    if (loaded)
        return;
    LoadElementBase();
    loaded = true;
}
