// SPDX-License-Identifier: MIT
// Application: the event loop and the dispatch of window messages to elements.
//
// One turn of Run: every running timer gets at most one tick, every secondary window is
// drained, and at most one message of the main window is handled; only when the main window
// had nothing does the loop sleep, on the union of all their signals. Every message, whatever
// its window, goes through ElaboraEventi, which calls the element operations.
//
// The controls themselves stay out of sight: a gadget message reaches its control through the
// NativeGadget and CommandElement bases, a menu pick through the handler the menu bar set.
#include "toolkit/core/Application.h"

#include "platform/dos/Dos.h"
#include "platform/exec/Exec.h"
#include "platform/gadtools/GadTools.h"
#include "platform/keymap/Keymap.h"
#include "platform/intuition/Menus.h"
#include "services/Enviroment.h"
#include "services/StringUtils.h"
#include "toolkit/core/Child.h"
#include "toolkit/core/CommandElement.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/NativeGadget.h"
#include "toolkit/core/Timer.h"

#include <algorithm>
#include <new>

using namespace amiga;

namespace {

// The key buffer's length is 8 bits wide: it doubles up to this and no further. No key of
// the platform's keymaps sends anywhere near as many bytes.
constexpr unsigned char MaxKeyBufferLength = 128;

ULONG PortMask(const amiga::Window* window)
{
    if (window == nullptr || window->UserPort == nullptr)
        return 0;
    return 1UL << window->UserPort->mp_SigBit;
}

// The command of an element of one of the kinds that raise one; false for other kinds.
bool RaiseCommand(GUIElement* e)
{
    const std::string kind = e->GetKesaClassName();
    if (kind != "button" && kind != "checkbox" && kind != "combobox" && kind != "optionbox" && kind != "listbox")
        return false;
    auto* command = dynamic_cast<CommandElement*>(e);
    if (command == nullptr)
        return false;
    command->OnCommand(e);
    return true;
}

// The element of a gadget message's gadget; null without one. Gadget ID 0 names no element
// (0 would find the first element not loaded yet).
GUIElement* GadgetElement(APTR address)
{
    const auto* gadget = static_cast<const Gadget*>(address);
    if (gadget == nullptr || gadget->GadgetID == 0)
        return nullptr;
    return Application::GetElementByID(gadget->GadgetID);
}

bool ParentIs(GUIElement* element, GUIElement* form)
{
    return element != nullptr && element->IsChildren() != 0 && static_cast<Child*>(element)->GetParent() == form;
}

// Whether the loop may hand mouse or key input to the element: a disabled one keeps the
// focus or the selection it had, but acts on nothing.
bool Acts(GUIElement* element)
{
    return element != nullptr && element->GetEnabled();
}

// What one message says, copied before any handler runs.
struct Input {
    ULONG Class;
    UWORD Code;
    UWORD Qualifier;
    APTR IAddress;
    // Where the pointer was when the message was sent, in window coordinates. The window's
    // own position is right only while the loop keeps up: a click that waited (behind a
    // handler's Delay, say) would be hit-tested where the pointer has gone since.
    tagPOINT p;
};

class Dispatcher {
public:
    Dispatcher(Form* window, const Input& message, int& doneFlag, InputEvent* event, char*& keyBuffer,
               unsigned char& keyLength)
        : form(window), in(message), done(doneFlag), ie(event), buffer(keyBuffer), length(keyLength)
    {
    }

    void Dispatch()
    {
        switch (in.Class) {
        case IDCMP_NEWSIZE:
            form->OnResize();
            break;
        case IDCMP_REFRESHWINDOW:
            GT_BeginRefresh(form->GetHandle());
            GT_EndRefresh(form->GetHandle(), TRUE);
            break;
        case IDCMP_MOUSEBUTTONS:
            MouseButtons();
            break;
        case IDCMP_MOUSEMOVE:
            MouseMove();
            break;
        case IDCMP_GADGETDOWN:
            GadgetDown();
            break;
        case IDCMP_GADGETUP:
            GadgetUp();
            break;
        case IDCMP_MENUPICK:
            MenuPick();
            break;
        case IDCMP_CLOSEWINDOW:
            if (form->OnClosing())
                done = 1;
            break;
        case IDCMP_RAWKEY:
            RawKey();
            break;
        case IDCMP_ACTIVEWINDOW:
            form->OnActivate();
            break;
        case IDCMP_INACTIVEWINDOW:
            form->OnDeactivate();
            break;
        case IDCMP_VANILLAKEY:
            if (Application::GadgetSel != nullptr) {
                Application::GadgetSel->OnLeave();
                Application::GadgetSel = nullptr;
            }
            form->OnKeyPress(in.Code);
            break;
        default:
            Application::Log("evento non gestito " + StringUtils::IntToStr(static_cast<long>(in.Class)));
            break;
        }
    }

private:
    static void ReleaseGadgetSel()
    {
        GUIElement*& sel = Application::GadgetSel;
        if (sel != nullptr && sel->IsTabStop()) {
            sel->OnLeave();
            sel = nullptr;
        }
    }

    static void ReleaseFocus()
    {
        GUIElement*& focus = Application::CustomsGadgetSel;
        if (focus != nullptr) {
            GUIElement* leaving = focus;
            focus = nullptr;
            leaving->OnLeave();
        }
    }

    // Moves the focus to `hit`; true when it already had it.
    static bool MoveFocusTo(GUIElement* hit)
    {
        GUIElement* owner = Application::CustomsGadgetSel;
        if (owner == nullptr) {
            hit->OnFocus();
            return false;
        }
        if (owner->GetID() != hit->GetID()) {
            owner->OnLeave();
            hit->OnFocus();
            return false;
        }
        return true;
    }

    void MouseButtons()
    {
        ReleaseGadgetSel();
        const tagPOINT p = in.p;
        GUIElement* focus = Application::CustomsGadgetSel;
        switch (in.Code) {
        case MENUUP:
            form->OnRightMouseUP(p);
            break;
        case MENUDOWN:
            form->OnRightMouseDOWN(p);
            break;
        case SELECTDOWN:
            if (Application::GadgetSel != nullptr) {
                if (Acts(Application::GadgetSel))
                    Application::GadgetSel->OnLeftMouseDOWN(p);
            } else if (Acts(focus) && focus->Hit(p) && ParentIs(focus, form)) {
                focus->OnLeftMouseDOWN(p);
            } else if (GUIElement* hit = Application::GetChildrenHit(form->GetID(), p)) {
                MoveFocusTo(hit);
                hit->OnLeftMouseDOWN(p);
                Application::CustomsGadgetSel = hit;
            } else {
                ReleaseFocus();
            }
            form->OnLeftMouseDOWN(p);
            break;
        case SELECTUP:
            if (Application::GadgetSel != nullptr) {
                GUIElement* sel = Application::GadgetSel;
                Application::GadgetSel = nullptr;
                if (Acts(sel))
                    sel->OnLeftMouseUP(p);
            } else if (Acts(focus) && focus->Hit(p) && ParentIs(focus, form)) {
                focus->OnLeftMouseUP(p);
            } else if (GUIElement* hit = Application::GetChildrenHit(form->GetID(), p)) {
                if (MoveFocusTo(hit))
                    hit->OnLeftMouseUP(p);
                Application::CustomsGadgetSel = hit;
            } else {
                ReleaseFocus();
            }
            form->OnLeftMouseUP(p);
            break;
        default:
            break;
        }
    }

    void MouseMove()
    {
        if (GUIElement* e = GadgetElement(in.IAddress)) {
            if (e->GetKesaClassName() == "scrollbar")
                static_cast<NativeGadget*>(e)->OnScroll(in.Code);
            e->OnMouseMove(0, 0);
        }
        form->OnMouseMove(0, 0);
    }

    void LeaveForGadget(UWORD g)
    {
        GUIElement* sel = Application::GadgetSel;
        if (sel != nullptr && sel->GetID() != g && sel->IsTabStop()) {
            sel->OnLeave();
            Application::GadgetSel = nullptr;
        }
        ReleaseFocus();
    }

    static UWORD GadgetIdOf(APTR address)
    {
        const auto* gadget = static_cast<const Gadget*>(address);
        return gadget != nullptr ? gadget->GadgetID : 0;
    }

    void GadgetDown()
    {
        LeaveForGadget(GadgetIdOf(in.IAddress));
        GUIElement* sel = GadgetElement(in.IAddress);
        Application::GadgetSel = sel;
        if (sel == nullptr)
            return;
        if (sel->IsTabStop()) {
            sel->OnFocus();
            return;
        }
        if (sel->GetKesaClassName() == "optionbox")
            RaiseCommand(sel);
        if (form->GetHandle() != nullptr) {
            sel->OnLeftMouseDOWN(in.p);
            form->OnLeftMouseDOWN(in.p);
        }
    }

    void GadgetUp()
    {
        LeaveForGadget(GadgetIdOf(in.IAddress));
        GUIElement* sel = GadgetElement(in.IAddress);
        Application::GadgetSel = sel;
        if (sel == nullptr) {
            Application::Log("non trovato!");
        } else {
            const std::string kind = sel->GetKesaClassName();
            bool known = true;
            // Both kinds are native gadgets, which pass the news on to the control.
            if (kind == "scrollbar")
                static_cast<NativeGadget*>(sel)->OnScroll(in.Code);
            else if (kind == "slider")
                static_cast<NativeGadget*>(sel)->OnChangeValue();
            else if (kind == "optionbox")
                known = false; // its command went with the press
            else
                known = RaiseCommand(sel);
            if (known && form->GetHandle() != nullptr) {
                form->OnLeftMouseDOWN(in.p);
                form->OnLeftMouseUP(in.p);
            }
        }
        Application::GadgetSel = nullptr;
    }

    void MenuPick()
    {
        ReleaseGadgetSel();
        ReleaseFocus();
        if (Application::menuPickHandler != nullptr)
            Application::menuPickHandler(in.Code);
    }

    void RawKey()
    {
        if (Application::GadgetSel != nullptr) {
            Application::GadgetSel->OnLeave();
            Application::GadgetSel = nullptr;
        }
        const int key = in.Code & 0x7F;
        WORD n = 0;
        if (ie != nullptr && buffer != nullptr) {
            ie->ie_Class = IECLASS_RAWKEY;
            ie->ie_SubClass = 0;
            ie->ie_Code = in.Code;
            ie->ie_Qualifier = in.Qualifier;
            ie->ie_EventAddress = in.IAddress != nullptr ? *static_cast<APTR*>(in.IAddress) : nullptr;
            n = MapRawKey(ie, buffer, length, nullptr);
            while (n == -1 && length < MaxKeyBufferLength) {
                char* larger = static_cast<char*>(AllocMem(static_cast<ULONG>(length) * 2, MEMF_CLEAR));
                if (larger == nullptr)
                    break;
                FreeMem(buffer, length);
                buffer = larger;
                length = static_cast<unsigned char>(length * 2);
                n = MapRawKey(ie, buffer, length, nullptr);
            }
        }
        // A character only when the key gave exactly one nonzero byte.
        int ch = 0;
        if (n == 1)
            ch = static_cast<unsigned char>(buffer[0]);

        GUIElement* focus = Application::CustomsGadgetSel;
        if ((in.Code & IECODE_UP_PREFIX) == 0) {
            if (Acts(focus))
                focus->OnKeyDOWN(key);
            Application::keyState[key] = 1;
            form->OnKeyDOWN(key);
        } else {
            if (Acts(focus))
                focus->OnKeyUP(key);
            Application::keyState[key] = 0;
            form->OnKeyUP(key);
        }
        if (ch != 0) {
            // The focus owner may have changed in the handlers above.
            if (Acts(Application::CustomsGadgetSel))
                Application::CustomsGadgetSel->OnKeyPress(ch);
            form->OnKeyPress(ch);
        }
    }

    Form* form;
    const Input& in;
    int& done;
    InputEvent* ie;
    char*& buffer;
    unsigned char& length;
};

} // namespace

void Application::ElaboraEventi(Form* form, IntuiMessage* msg, int& done, InputEvent* ie, char*& buffer,
                                unsigned char& length)
{
    if (msg == nullptr)
        return;
    Randomize = 0;
    const Input in{msg->Class, msg->Code, msg->Qualifier, msg->IAddress, tagPOINT{msg->MouseX, msg->MouseY}};
    if (form == nullptr || !form->IsLoad() || !form->GetEnabled()) {
        // A window behind a dialog: a click only beeps, everything else is dropped.
        if (in.Class == IDCMP_MOUSEBUTTONS)
            Enviroment::Beep();
    } else {
        Dispatcher(form, in, done, ie, buffer, length).Dispatch();
    }
    GT_ReplyIMsg(msg);
}

unsigned long Application::ElaboraMessaggiTimer()
{
    unsigned long mask = 0;
    const size_t count = lstTimer.size();
    for (size_t i = 0; i < count && i < lstTimer.size(); ++i) {
        GUIElement* e = lstTimer[i];
        if (e == nullptr)
            continue;
        if (e->GetKesaClassName() != "timer") {
            Log(e->GetKesaClassName());
            continue;
        }
        auto* timer = static_cast<Timer*>(e);
        if (!timer->IsStart())
            continue;
        mask |= timer->mp_SigBit();
        if (timer->GetMSG())
            timer->OnTimer();
    }
    return mask;
}

unsigned long Application::ElaboraMessaggiWinSec(Form* main, InputEvent* ie, char*& buffer, unsigned char& length)
{
    if (lstForm.size() < 2)
        return 0;
    unsigned long mask = 0;
    const size_t count = lstForm.size();
    for (size_t i = 1; i < count && i < lstForm.size(); ++i) {
        GUIElement* e = lstForm[i];
        if (e == nullptr || !e->IsLoad() || (main != nullptr && e->GetID() == main->GetID()))
            continue;
        auto* form = static_cast<Form*>(e);
        // The window is looked up again for every message: a handler may have closed it.
        while (form->GetHandle() != nullptr && form->GetHandle()->UserPort != nullptr) {
            IntuiMessage* msg = GT_GetIMsg(form->GetHandle()->UserPort);
            if (msg == nullptr)
                break;
            int ignored = 0;
            ElaboraEventi(form, msg, ignored, ie, buffer, length);
            if (form->closeRequested != 0) {
                const bool agreed = form->OnClosing();
                GadgetSel = nullptr;
                // Only the dialog's own focus goes with it: a control of another window that
                // still holds the focus must get its leave when the focus moves on, or it
                // keeps showing its focus rectangle beside the next one.
                if (CustomsGadgetSel != nullptr && GetForm(CustomsGadgetSel) == form)
                    CustomsGadgetSel = nullptr;
                form->closeRequested = agreed ? 1 : 0;
                form->CloseForm();
                form->OnClose();
                break;
            }
        }
        if (form->IsLoad())
            mask |= PortMask(form->GetHandle());
    }
    return mask;
}

void Application::Run(Form* main)
{
    std::fill(std::begin(keyState), std::end(keyState), static_cast<unsigned char>(0));
    int done = 0;
    InputEvent* ie = nullptr;
    if (void* memory = AllocMem(sizeof(InputEvent), MEMF_CLEAR))
        ie = new (memory) InputEvent{};
    unsigned char length = 2;
    char* buffer = static_cast<char*>(AllocMem(length, MEMF_CLEAR));

    while (done == 0) {
        // Without its window the main window can send nothing: waiting would never end.
        if (main == nullptr || main->GetHandle() == nullptr)
            break;
        // A break is the system asking the program to end (a session that closes): nobody is
        // there to answer the main window's closing question, so it is not asked.
        if ((SetSignal(0, SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C) != 0)
            break;
        const unsigned long timerMask = ElaboraMessaggiTimer();
        const unsigned long windowMask = ElaboraMessaggiWinSec(main, ie, buffer, length);
        amiga::Window* window = main->GetHandle();
        if (window == nullptr || window->UserPort == nullptr)
            break;
        if (IntuiMessage* msg = GT_GetIMsg(window->UserPort)) {
            ElaboraEventi(main, msg, done, ie, buffer, length);
            if (postQuit != 0) {
                postQuit = 0;
                if (main->OnClosing())
                    done = 1;
            }
        } else if ((Wait(timerMask | windowMask | PortMask(window) | SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C) != 0) {
            break;
        }
    }

    if (menu != nullptr) {
        if (main != nullptr && main->GetHandle() != nullptr)
            ClearMenuStrip(main->GetHandle());
        FreeMenus(menu);
        menu = nullptr;
        // The bar keeps the labels of the freed strip until it is rebuilt or destroyed.
        menuBar = nullptr;
    }
    if (ie != nullptr) {
        ie->~InputEvent();
        FreeMem(ie, sizeof(InputEvent));
    }
    if (buffer != nullptr)
        FreeMem(buffer, length);
    CloseWindows();
    if (main != nullptr)
        main->OnClose();
}
