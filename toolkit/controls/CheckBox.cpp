// SPDX-License-Identifier: MIT
// CheckBox: the mark lives in the gadget once there is one.
#include "toolkit/controls/CheckBox.h"

using namespace amiga;

CheckBox::CheckBox(GUIElement* parentElement, std::string caption, int left, int top, int gadgetWidth, int gadgetHeight)
    : NativeGadget(parentElement, CHECKBOX_KIND, std::move(caption), left, top, gadgetWidth, gadgetHeight)
{
    className = "checkbox";
}

short CheckBox::IsChecked() const
{
    if (GetGadget() == nullptr || GetCreatedKind() != CHECKBOX_KIND)
        return initiallyChecked ? 1 : 0;
    ULONG checked = 0;
    const TagItem tags[] = {{GTCB_Checked, reinterpret_cast<IPTR>(&checked)}, {TAG_DONE, 0}};
    GT_GetGadgetAttrsA(GetGadget(), GadgetWindow(), nullptr, tags);
    return checked != 0 ? 1 : 0;
}

void CheckBox::SetChecked(short value)
{
    initiallyChecked = value != 0;
    if (GetGadget() != nullptr) {
        const TagItem tags[] = {{GTCB_Checked, initiallyChecked ? 1u : 0u}, {TAG_DONE, 0}};
        GT_SetGadgetAttrsA(GetGadget(), GadgetWindow(), nullptr, tags);
    }
}
