// SPDX-License-Identifier: MIT
// The program entry: the seven libraries, the screen with the game palette, the main window
// and the event loop, then everything torn down in order.
#pragma once

#include "platform/exec/Exec.h"

#include <string>

// The libraries the toolkit and the game call, opened by the entry; null until opened.
extern amiga::Library* IntuitionBase;
extern amiga::Library* GfxBase;
extern amiga::Library* GadToolsBase;
extern amiga::Library* LocaleBase;
extern amiga::Library* KeymapBase;
extern amiga::Library* DiskfontBase;
extern amiga::Library* AslBase;

class Program {
public:
    Program() = delete;

    // The whole run, in the current directory (where "log.txt" and "Settings/" live).
    // 0 after a game was played; 1 when the screen or a library the window needs could not
    // be opened, after everything opened was closed again.
    static int Main();
    // "Kesa Pegline - " with the maker's web address and legal notice.
    static std::string Title();
};
