// SPDX-License-Identifier: MIT
// What every host shares: how the screen fills the host's window or page, and the way back
// from a pointer position there to a screen pixel.
#pragma once

namespace amiga::host {

// How a screen of screenW x screenH fills a host window (desktop) or page (browser) of
// windowW x windowH, 4:3 (the screen's aspect) kept, centred on black.
struct Viewport {
    int prescale = 1;          // whole multiple the screen is first enlarged by (nearest neighbour)
    int x = 0, y = 0;          // top-left of the image in the host window
    int width = 0, height = 0; // its size there: screen x prescale when a whole multiple fills the
                               // window well; otherwise the prescaled image scaled smoothly to this
};
Viewport ComputeViewport(int windowW, int windowH, int screenW, int screenH);
// The screen pixel under the centre of a host-window pixel, clamped to the screen.
void ToScreen(const Viewport& view, int screenW, int screenH, int windowX, int windowY, int& x, int& y);

} // namespace amiga::host
