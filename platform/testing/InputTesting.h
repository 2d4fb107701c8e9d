// SPDX-License-Identifier: MIT
// Test helpers for intuition: input injected where real input enters (the host's queue) and
// pumped through the real routing, screenshots of composed screens, and the messages a
// window received.
#pragma once

#include "platform/common/Internal.h"
#include "platform/intuition/Intuition.h"
#include "platform/intuition/State.h"

#include <string>
#include <vector>

namespace amiga {

// Closes every window and screen (the default public screen too), forgets the pointer, the
// active window, beeps and pointer state. ResetPlatform() calls it first.
void ResetIntuition();

// Each of these queues host events at screen coordinates of the front screen and pumps them
// through intuition's routing before returning.
void InjectPointerMove(int x, int y);
// `button` is internal::HostEvent::LeftButton, RightButton or MiddleButton.
void InjectButtonDown(int x, int y, int button = internal::HostEvent::LeftButton);
void InjectButtonUp(int x, int y, int button = internal::HostEvent::LeftButton);
// Move, press and release at one point.
void InjectClick(int x, int y, int button = internal::HostEvent::LeftButton);
// Press at one point, move in steps to another, release there.
void InjectDrag(int fromX, int fromY, int toX, int toY);
void InjectKeyDown(UWORD rawKey, UWORD qualifier = 0);
void InjectKeyUp(UWORD rawKey, UWORD qualifier = 0);
// Press and release.
void InjectKey(UWORD rawKey, UWORD qualifier = 0);
// The host window's close button.
void InjectCloseRequest();

// A click and a key press only queued, for hooks that run inside a blocking call (a requester
// answering itself): the call's own loop takes them in.
void QueueClick(int x, int y, int button, UWORD qualifier = 0);
void QueueKey(UWORD rawKey, UWORD qualifier = 0);

// One message as a window received it (copied, the original replied).
struct ReceivedMessage {
    ULONG Class = 0;
    UWORD Code = 0;
    UWORD Qualifier = 0;
    APTR IAddress = nullptr; // the gadget for gadget messages; dangling for raw keys
    WORD MouseX = 0;
    WORD MouseY = 0;
    ULONG Seconds = 0;
    ULONG Micros = 0;
    Window* IDCMPWindow = nullptr;
    APTR PreviousKeys = nullptr; // raw keys: *(APTR*)IAddress as it was
};
// Takes every message waiting on the window's UserPort, replies it, returns copies in order.
std::vector<ReceivedMessage> DrainMessages(Window* window);

// A composed screen: pen numbers, the screen's size, and its palette.
struct ComposedScreen {
    int width = 0;
    int height = 0;
    std::vector<UBYTE> pixels; // width * height
    ULONG palette[256] = {};

    UBYTE At(int x, int y) const
    {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};
// The screen as it would be presented (null: the front screen): background, windows, title
// bar, an open menu, its MoveScreen offset. Empty when there is no screen.
ComposedScreen ComposeScreen(Screen* screen = nullptr);
// Composes the screen (null: the front screen) and writes it as a paletted PNG.
bool SaveScreenPNG(Screen* screen, const char* path, std::string* error = nullptr);

// What intuition did, for checks.
Screen* FrontScreen();
Window* ActiveWindow();
ULONG DisplayBeepCount();
ULONG PresentCount();        // presents handed to the host
PointerShape ShownPointer(); // what the host cursor shows now

} // namespace amiga
