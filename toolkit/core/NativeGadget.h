// SPDX-License-Identifier: MIT
// NativeGadget: the common part of the controls drawn and tracked by the platform's own
// gadgets (buttons, check boxes, lists...), and the element kind the event loop hands gadget
// messages to. The gadget joins the window's gadget list when the control is loaded; its
// gadget ID is the element ID, which is how the event loop finds the control again.
#pragma once

#include "platform/gadtools/GadTools.h"
#include "toolkit/core/Child.h"

#include <string>

class NativeGadget : public Child {
public:
    // Removes the gadget from the window when the window still has it.
    ~NativeGadget();

    NativeGadget(const NativeGadget&) = delete;
    NativeGadget& operator=(const NativeGadget&) = delete;

    // Creates the gadget at the control's place in its window; nothing while the window is
    // not open (a later Show() tries again).
    void Load() override;

    amiga::Gadget* GetGadget() const { return gadget; }
    // The GadTools kind the gadget was made with (a kind the platform lacks is made as a
    // plain button that reports the same messages).
    amiga::ULONG GetCreatedKind() const { return createdKind; }

    // What the event loop reports of the gadget; nothing here, the kinds concerned answer.
    // The scroller moved (or was released) at `code`.
    virtual void OnScroll(int code);
    // The gadget was released at a new value.
    virtual void OnChangeValue();

protected:
    NativeGadget(GUIElement* parentElement, amiga::ULONG kind, std::string caption, int left, int top, int gadgetWidth,
                 int gadgetHeight);

    // Tags of the kind; GA_Immediate makes the gadget report its press too.
    bool immediate = false;
    bool initiallyChecked = false;
    // The window the gadget is in, or null.
    amiga::Window* GadgetWindow() const;

private:
    bool GadgetStillListed() const;

    amiga::ULONG gadgetKind;
    amiga::ULONG createdKind = 0;
    amiga::Gadget* gadget = nullptr;
    std::string label; // handed to the platform; stays put while the gadget exists
};
