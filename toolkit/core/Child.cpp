// SPDX-License-Identifier: MIT
// Child: parent links and the conversion of positions into window coordinates.
#include "toolkit/core/Child.h"

#include "toolkit/core/Application.h"
#include "toolkit/core/Form.h"

GUIElement* Child::ParentOf(GUIElement* element)
{
    if (element == nullptr || element->IsChildren() == 0)
        return nullptr;
    return static_cast<Child*>(element)->GetParent();
}

Child::Child(GUIElement* parentElement) : GUIElement(0)
{
    isChildren = 1;
    parent = parentElement;
}

Child::~Child()
{
    Application::RemoveWinForm(this);
}

GUIElement* Child::GetFormParent() const
{
    return Application::GetForm(parent);
}

amiga::Window* Child::GetFormWindow() const
{
    // The kind name is the toolkit's type test: only Form calls itself "form".
    GUIElement* form = GetFormParent();
    return form != nullptr ? static_cast<Form*>(form)->GetHandle() : nullptr;
}

tagPOINT Child::GetPositionFromParent(int px, int py) const
{
    tagPOINT result{px, py};
    for (GUIElement* ancestor = parent; ancestor != nullptr; ancestor = ParentOf(ancestor)) {
        if (ancestor->GetKesaClassName() == "form")
            break;
        const tagPOINT position = ancestor->GetPosition();
        result.x += position.x;
        result.y += position.y;
    }
    return result;
}
