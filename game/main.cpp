// SPDX-License-Identifier: MIT
// Kesa Pegline: a colour code-breaking game.
#include "game/Program.h"

int main()
{
    return Program::Main();
}
