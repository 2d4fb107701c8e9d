// SPDX-License-Identifier: MIT
// Application: the program-wide registries of elements, windows and timers, lookup by ID,
// parent and point, the keyboard state table, the shared flags and the log.
#pragma once

#include "platform/intuition/Intuition.h"
#include "platform/intuition/Menus.h"
#include "services/Enviroment.h"
#include "toolkit/core/GUIElement.h"
#include "toolkit/core/tagPOINT.h"

#include <string>
#include <vector>

class Form;
class MenuBar;

// Turns a menu pick into commands, from the first menu number of the message's chain.
using MenuPickHandler = void (*)(amiga::UWORD firstNumber);

class Application {
public:
    Application() = delete;

    // Non-owning; every scan runs from the first entry to the last and the first match wins.
    static inline std::vector<GUIElement*> lst;           // every element, in construction order
    static inline std::vector<GUIElement*> lstForm;       // every window; the first is the main one
    static inline std::vector<GUIElement*> lstTimer;      // every timer
    static inline unsigned char keyState[256] = {};       // 1 while the raw key is down
    static inline GUIElement* GadgetSel = nullptr;        // native gadget last pressed
    static inline GUIElement* CustomsGadgetSel = nullptr; // custom control with the focus
    // Nonzero while a window creates its children: nothing repaints meanwhile.
    static inline short SospendiRefresh = 0;
    // Nonzero asks the event loop to close the main window.
    static inline short postQuit = 0;
    // Nonzero once the random numbers were seeded from the clock; cleared before every
    // dispatched event. The flag itself belongs to the random-number service.
    static inline short& Randomize = Enviroment::RandomizeFlag;
    // The main window's menu strip and its menu bar element.
    static inline amiga::Menu* menu = nullptr;
    static inline MenuBar* menuBar = nullptr;
    // Set by the menu bar when it builds a strip, since the items are its to decode; while
    // null, menu picks only release the selection and the focus.
    static inline MenuPickHandler menuPickHandler = nullptr;

    // Registration, called by element constructors and destructors only.
    static void AddWinForm(GUIElement* e);
    static void AddWindow(GUIElement* e);
    static void AddTimer(GUIElement* e);
    // Leaves the window or timer registry too; logs when e is not registered.
    static void RemoveWinForm(GUIElement* e);
    static void RemoveWindow(GUIElement* e);
    static void RemoveTimer(GUIElement* e);
    // Unregisters every descendant of the element with that ID (panels and menus included).
    static void RimuoviChildren(unsigned int id);
    static void ResetRiferimenti();

    // The first element with that ID; null when none (0 finds the first element not loaded).
    static GUIElement* GetElementByID(unsigned int id);
    // e itself or its nearest ancestor whose kind name is "form"; null when none.
    static GUIElement* GetForm(GUIElement* e);
    // The children of the element with that ID, each panel followed by its own contents.
    static std::vector<GUIElement*> GetChildren(unsigned int parentId);
    // The loaded, visible, enabled child under p (panels searched, never returned); null
    // when none.
    static GUIElement* GetChildrenHit(unsigned int parentId, tagPOINT p);
    // -1 while the key with that raw code is down, else 0.
    static short GetKeyState(short code);
    // Throws away every message waiting at the window's port.
    static void CancellaBuffer(const amiga::Window* w);
    // Closes every loaded window (CloseForm), in registry order. Defined with Form.
    static void CloseWindows();

    // The program's only event loop (its source: ApplicationRun.cpp). Each turn polls the
    // timers, drains the secondary windows and handles at most one message of the main
    // window, sleeping when that window has nothing. Returns when the main window agreed to
    // close, or at once on a break (SIGBREAKF_CTRL_C: the system ends the program), with the
    // menu strip freed and every window closed.
    static void Run(Form* main);
    // Gives each running timer at most one tick; the union of their signal masks.
    static unsigned long ElaboraMessaggiTimer();
    // Dispatches every waiting message of every open window but the main one, closing those
    // that asked for it; the union of their port signal masks. The key buffer may be
    // replaced by a larger one, hence the references.
    static unsigned long ElaboraMessaggiWinSec(Form* main, amiga::InputEvent* ie, char*& buffer, unsigned char& length);
    // Turns one message of form's window into element calls, then replies it.
    static void ElaboraEventi(Form* form, amiga::IntuiMessage* msg, int& done, amiga::InputEvent* ie, char*& buffer,
                              unsigned char& length);

    // One line on standard output and appended to "log.txt" in the current directory.
    static void Log(const char* message);
    static void Log(std::string message);

private:
    friend class GUIElement;
    // Drops every remaining entry of e, silently: an element being destroyed.
    static void ForgetElement(GUIElement* e);
};
