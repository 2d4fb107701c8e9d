// SPDX-License-Identifier: MIT
// CommandElement: the second base of controls that raise a command (buttons, menu items).
#pragma once

class GUIElement;

using CommandHandler = void (*)(GUIElement*);

class CommandElement {
public:
    // Polymorphic so that the event loop can reach the command of any element that has one.
    virtual ~CommandElement() = default;

    void SetCommand(CommandHandler handler) { command = handler; }
    // Calls the command with the sender (the control itself) when one is set.
    void OnCommand(GUIElement* sender);

private:
    CommandHandler command = nullptr;
};
