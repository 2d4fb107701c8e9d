// SPDX-License-Identifier: MIT
// PaintedChild: moving, showing and hiding a self-painted control.
#include "toolkit/controls/PaintedChild.h"

#include "toolkit/controls/Drawing.h"
#include "toolkit/core/Application.h"

namespace {

constexpr unsigned long NoColour = static_cast<unsigned long>(-1);

} // namespace

void PaintedChild::SetSize(int newWidth, int newHeight)
{
    HiddenWhile([&] { GUIElement::SetSize(newWidth, newHeight); });
}

void PaintedChild::SetLocation(int newX, int newY)
{
    HiddenWhile([&] { GUIElement::SetLocation(newX, newY); });
}

void PaintedChild::Show()
{
    GUIElement::Show();
    OnPaint();
}

void PaintedChild::ShowActivate()
{
    // The element-model ShowActivate would come back through Show and paint twice.
    PaintedChild::Show();
}

void PaintedChild::Hide()
{
    if (!loaded)
        return;
    // Erasing is painting: a window still building its children gets its full paint later.
    amiga::Window* window = GetFormWindow();
    if (Application::SospendiRefresh == 0 && window != nullptr && window->RPort != nullptr) {
        const tagPOINT at = GetPositionFromParent(x, y);
        Drawing(window->RPort).DrawFillRectangle(at.x, at.y, width, height, 0, 0, SurroundingPen());
    }
    GUIElement::Hide();
    loaded = false;
}

long PaintedChild::SurroundingPen()
{
    unsigned long colour = parent != nullptr ? parent->GetBackgroundColor() : NoColour;
    if (colour == NoColour) {
        GUIElement* form = GetFormParent();
        colour = form != nullptr ? form->GetBackgroundColor() : NoColour;
    }
    return colour == NoColour ? 0 : static_cast<long>(colour);
}
