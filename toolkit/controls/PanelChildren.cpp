// SPDX-License-Identifier: MIT
// PanelChildren: the container control.
#include "toolkit/controls/PanelChildren.h"

#include "platform/intuition/Intuition.h"
#include "toolkit/controls/Drawing.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/Form.h"

PanelChildren::PanelChildren(GUIElement* parentElement) : Child(parentElement)
{
    className = "panel";
    isTabStop = 0;
    isRenderControl = 1;
}

void PanelChildren::Load()
{
    if (loaded)
        return;
    LoadElementBase();
    loaded = true;
}

void PanelChildren::OnPaint()
{
    if (!loaded || !visible || Application::SospendiRefresh != 0)
        return;
    const unsigned long none = static_cast<unsigned long>(-1);
    if (border == 0 && backgroundColor == none)
        return;
    amiga::Window* window = GetFormWindow();
    if (window == nullptr || window->RPort == nullptr)
        return;

    const tagPOINT origin = GetPositionFromParent(x, y);
    const long fill = backgroundColor == none ? 0 : static_cast<long>(backgroundColor);
    Drawing drawing(window->RPort);
    drawing.DrawFillRectangle(origin.x, origin.y, width, height, 0, 0, fill);
    if (border == 0)
        return;
    const int right = origin.x + width - 1;
    const int bottom = origin.y + height - 1;
    drawing.DrawLine(origin.x, origin.y, right, origin.y, 1);
    drawing.DrawLine(origin.x, origin.y, origin.x, bottom, 1);
    drawing.DrawLine(right, origin.y, right, bottom, 2);
    drawing.DrawLine(origin.x, bottom, right, bottom, 2);
}
