// SPDX-License-Identifier: MIT
// CommandElement: raising a command.
#include "toolkit/core/CommandElement.h"

void CommandElement::OnCommand(GUIElement* sender)
{
    if (command != nullptr)
        command(sender);
}
