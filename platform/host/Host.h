// SPDX-License-Identifier: MIT
// The host: one window on the desktop showing the front screen, and raw input from it.
// No SDL type crosses this header.
//
// Screen pipeline: windows draw into chunky 8-bit bitmaps; intuition composes the front
// screen into one 8-bit image when the program is about to block and the screen changed;
// Present() converts that image through the screen's 256-entry palette into the host
// window's 32-bit pixels, filling it as ComputeViewport says (Viewport.h: a whole multiple by
// nearest neighbour, otherwise smoothly, 4:3 kept, centred on black), and shows it. Pointer
// positions travel back through ToScreen, so HostEvents are always in screen coordinates.
#pragma once

#include "platform/common/Internal.h"
#include "platform/host/Viewport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace amiga::host {

// Opens (or resizes) the host window for a screen of this size; on a display it fills the
// display, as the platform's screens do. False when there is no display: one line
// "kesa: no display available: <reason>" goes to standard error and the reason is stored for
// the caller to log (LastError()).
bool OpenWindow(int width, int height, const char* title);
void CloseWindow();
bool IsWindowOpen();
void SetTitle(const char* title);
const std::string& LastError();
// The host's video driver ("x11", "wayland", "dummy"...); empty before a window opened.
std::string DriverName();

// Converts the 8-bit image through the palette (0x00RRGGBB entries) and shows it.
void Present(const UBYTE* pixels, int width, int height, int pitch, const ULONG rgb[256]);
// The host keeps the image last shown (to show it again on expose and resize); a frame
// composed straight into this buffer (width x height, pitch width) and handed to Present()
// is shown without a copy. It holds the last frame until written: write only to present.
UBYTE* FrameBuffer(int width, int height);

enum class CursorShape { Normal, Busy };
// A custom pointer as the program gave it, kept by each host to show (and rescale) later.
struct PointerImage {
    std::vector<uint32_t> pixels; // RGBA, R in the lowest byte
    int width = 0, height = 0, hotX = 0, hotY = 0;
    // Keeps a copy with the hot spot held to the picture; false (nothing kept) when empty.
    bool Assign(const uint32_t* rgba, int w, int h, int x, int y)
    {
        if (rgba == nullptr || w <= 0 || h <= 0)
            return false;
        pixels.assign(rgba, rgba + static_cast<std::ptrdiff_t>(w) * h);
        width = w;
        height = h;
        hotX = x < 0 ? 0 : (x >= w ? w - 1 : x);
        hotY = y < 0 ? 0 : (y >= h ? h - 1 : y);
        return true;
    }
};
void SetCursor(CursorShape shape);
// A custom pointer from 32-bit RGBA pixels (R in the lowest byte, alpha 0 transparent);
// the hot spot is the pixel that points.
void SetCursor(const uint32_t* rgba, int width, int height, int hotX, int hotY);

// Keeps what Present showed on view for this long, taking no input meanwhile (a flash).
void Hold(uint64_t micros);

// Runs a program given as its argument vector and waits for it: true when it ran (a
// command a shell could not find or run did not). False where the host runs no programs.
bool RunProgram(const std::vector<std::string>& argv);
// Shows a web or mailto address in the user's browser or mail program without waiting for
// it; false when nothing could be started.
bool OpenAddress(const std::string& address);

// The next host event, waiting at most `timeoutMicros` (UINT64_MAX: no limit). False on
// timeout or when Wake() interrupted the wait. Without a host window it still returns
// injected events and honours the timeout.
bool WaitEvent(uint64_t timeoutMicros, internal::HostEvent& event);
// The next host event without waiting; false when none is queued.
bool PollEvent(internal::HostEvent& event);
// Interrupts a WaitEvent in progress (or the next one). Safe from any thread.
void Wake();

} // namespace amiga::host

namespace amiga::host {

// The platform's raw key for a key position given as its USB HID usage id (what the host
// reports as scan code); 0xFF when the key has no raw code.
UWORD RawKeyFromUsbUsage(int usage);
// The qualifiers of the modifier keys held, one bit each by USB usage 224..231 (LCtrl, LShift,
// LAlt, LGUI, RCtrl, RShift, RAlt, RGUI).
UWORD ModifierQualifiers(unsigned held);
// Whether a raw key sits on the numeric keypad (it then carries IEQUALIFIER_NUMERICPAD).
bool IsKeypad(UWORD raw);

} // namespace amiga::host
