// SPDX-License-Identifier: MIT
// NativeGadget: creating and removing a control's platform gadget.
#include "toolkit/core/NativeGadget.h"

#include "toolkit/core/Application.h"
#include "toolkit/core/Form.h"

using namespace amiga;

NativeGadget::NativeGadget(GUIElement* parentElement, ULONG kind, std::string caption, int left, int top,
                           int gadgetWidth, int gadgetHeight)
    : Child(parentElement), gadgetKind(kind)
{
    text = std::move(caption);
    x = left;
    y = top;
    width = gadgetWidth;
    height = gadgetHeight;
}

NativeGadget::~NativeGadget()
{
    if (gadget == nullptr || !GadgetStillListed())
        return;
    RemoveGList(GadgetWindow(), gadget, 1);
    FreeGadgets(gadget);
    gadget = nullptr;
}

amiga::Window* NativeGadget::GadgetWindow() const
{
    return GetFormWindow();
}

// A window that closed freed its gadgets with it: only a gadget still on the list of an open
// window is ours to remove.
bool NativeGadget::GadgetStillListed() const
{
    GUIElement* form = GetFormParent();
    if (form == nullptr || static_cast<Form*>(form)->GetHandle() == nullptr)
        return false;
    for (Gadget* g = static_cast<Form*>(form)->GetGadgetList(); g != nullptr; g = g->NextGadget)
        if (g == gadget)
            return g->GadgetID == static_cast<UWORD>(id);
    return false;
}

void NativeGadget::Load()
{
    if (loaded)
        return;
    auto* form = static_cast<Form*>(GetFormParent());
    if (form == nullptr || form->GetHandle() == nullptr || form->GetGadgetList() == nullptr)
        return;
    LoadElementBase();
    amiga::Window* window = form->GetHandle();
    Gadget* last = form->GetGadgetList();
    while (last->NextGadget != nullptr)
        last = last->NextGadget;

    label = text;
    const tagPOINT at = GetPositionFromParent(x, y);
    NewGadget ng{};
    // Placed exactly where the element is: self-drawn controls and the loop's hit test count
    // positions from the window's corner too, so no border is added.
    ng.ng_LeftEdge = static_cast<WORD>(at.x);
    ng.ng_TopEdge = static_cast<WORD>(at.y);
    ng.ng_Width = static_cast<WORD>(width);
    ng.ng_Height = static_cast<WORD>(height);
    ng.ng_GadgetText = label.empty() ? nullptr : label.c_str();
    ng.ng_TextAttr = nullptr;
    // FIXME: gadget IDs are 16-bit; an element ID above 65535 cannot be told apart.
    ng.ng_GadgetID = static_cast<UWORD>(id);
    ng.ng_Flags = 0;
    ng.ng_VisualInfo = GUIElement::GlobalVisualInfo;
    ng.ng_UserData = nullptr;
    const TagItem tags[] = {{GA_Immediate, immediate ? 1u : 0u},
                            {GA_Disabled, enabled ? 0u : 1u},
                            {GTCB_Checked, initiallyChecked ? 1u : 0u},
                            {TAG_DONE, 0}};
    createdKind = gadgetKind;
    gadget = CreateGadgetA(gadgetKind, last, &ng, tags);
    if (gadget == nullptr && gadgetKind != BUTTON_KIND) {
        // The platform lacks this kind: a button reports the same press and release.
        createdKind = BUTTON_KIND;
        gadget = CreateGadgetA(BUTTON_KIND, last, &ng, tags);
    }
    if (gadget == nullptr) {
        Application::Log("Errore creazione gadget " + className);
        return;
    }
    RefreshGList(gadget, window, nullptr, 1);
    loaded = true;
    visible = true;
}

void NativeGadget::OnScroll(int) {}

void NativeGadget::OnChangeValue() {}
