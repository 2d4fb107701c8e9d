// SPDX-License-Identifier: MIT
// Child: parent links and the conversion of positions into window coordinates.
#include "toolkit/core/Child.h"

#include "toolkit/core/Application.h"

namespace {

// The parent of an element, when it is a Child (only Child sets the children flag).
GUIElement* ParentOf(GUIElement* element)
{
    if (element == nullptr || element->IsChildren() == 0)
        return nullptr;
    return static_cast<Child*>(element)->GetParent();
}

} // namespace

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
    for (GUIElement* ancestor = parent; ancestor != nullptr; ancestor = ParentOf(ancestor)) {
        if (ancestor->GetKesaClassName() == "form")
            return ancestor;
    }
    return nullptr;
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
