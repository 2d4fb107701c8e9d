// SPDX-License-Identifier: MIT
// KesaScreen: the program's own 800 × 600, 256-colour screen, and the size and pointer
// position of whichever screen the windows live on.
#pragma once

#include "toolkit/core/tagPOINT.h"

namespace amiga {
struct Screen;
} // namespace amiga

// Not an element: no ID, not registered, no events.
class KesaScreen {
public:
    // Opens the screen at once; a screen that does not open leaves GetHandle() null and
    // IsError() 1.
    explicit KesaScreen(const char* screenTitle);
    ~KesaScreen();

    KesaScreen(const KesaScreen&) = delete;
    KesaScreen& operator=(const KesaScreen&) = delete;

    // IsError() tells whether this latest attempt failed.
    void createHardwareScreen(int w, int h);

    amiga::Screen* GetHandle() const { return handle; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    short GetMaxDepth() const { return depth; }
    int IsError() const { return error; }

    // Size of GUIElement::GlobalScreen, or of the default public screen before any window
    // opened; 0 when there is neither.
    static int Width();
    static int Height();
    // The pointer on the same screen; (0, 0) when there is none.
    static tagPOINT GetMouseXY();
    static int ScrollWidth() { return 0; }
    static int ScrollHeight() { return 0; }

    // Slides the screen down off the display, one pixel per step, in well under a second.
    void Scrolling();
    // Closes the screen when open; true in every case.
    bool Close();

private:
    amiga::Screen* handle = nullptr;
    const char* title = nullptr;
    int error = 0;
    int width = 800;
    int height = 600;
    short depth = 8;
};
