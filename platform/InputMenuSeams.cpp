// SPDX-License-Identifier: MIT
// Stand-ins for the menu module's seams, used only while no menu module is linked: a window
// without menus behaves exactly like this. The menu module's own definitions take precedence.
#include "platform/Internal.h"
#include "platform/Menus.h"

namespace amiga::internal {

__attribute__((weak)) bool MenuBegin(Window* active, int x, int y)
{
    (void)active, (void)x, (void)y;
    return false;
}
__attribute__((weak)) void MenuTrack(int x, int y) { (void)x, (void)y; }
__attribute__((weak)) void MenuAddPick(int x, int y) { (void)x, (void)y; }
__attribute__((weak)) UWORD MenuEnd(int x, int y)
{
    (void)x, (void)y;
    return MENUNULL;
}
__attribute__((weak)) bool MenuIsOpen() { return false; }
__attribute__((weak)) void MenuDraw(BitMap* composed) { (void)composed; }
__attribute__((weak)) UWORD MenuCommandKey(Window* window, char key)
{
    (void)window, (void)key;
    return MENUNULL;
}

} // namespace amiga::internal
