// SPDX-License-Identifier: MIT
// The SDL host's state, private to platform/host/sdl/.
#pragma once

#include "platform/host/Host.h"

#include <SDL.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace amiga::host {

struct HostState {
    bool videoStarted = false;
    SDL_Window* window = nullptr;
    Uint32 windowId = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    // Drivers whose event wait blocks in the system; on the others (dummy, offscreen) SDL's
    // own wait polls every millisecond, so we sleep on our condition variable instead.
    bool blockingDriver = false;
    // A screen fills the display, as the platform's screens do; the drivers that show
    // nothing (tests) keep a window of the screen's size.
    bool fullScreen = false;
    Uint32 wakeEventType = 0;
    std::atomic<bool> sdlWakeable{false};
    std::string lastError;

    // The queue every host event passes through, real or injected.
    std::mutex queueLock;
    std::condition_variable queueChanged;
    std::deque<internal::HostEvent> queue;
    bool wakePending = false;

    // Modifier keys held (usages 224..231, one bit each) and buttons held, as qualifiers.
    unsigned modifiersHeld = 0;
    UWORD buttonQualifiers = 0;

    // The last image shown, shown again when the host window is exposed or resized.
    std::vector<UBYTE> lastFrame;
    int lastWidth = 0;
    int lastHeight = 0;
    ULONG lastPalette[256] = {};
    // The window's surface still holds the last frame as converted: an expose only shows it
    // again. Cleared when the surface goes (a new size, a new window).
    bool surfaceHoldsFrame = false;
    // Screenshots taken with F12 while KESA_SCREENSHOT_DIR is set, numbered from 1.
    int screenshotsTaken = 0;

    // The pointer: a system shape or a custom image, kept so it can be applied once the
    // window exists and rescaled with the screen.
    bool customCursor = false;
    CursorShape cursorShape = CursorShape::Normal;
    PointerImage pointer;
    int cursorScale = 0;
    // The custom pointer; the system shapes are made once each, when first shown (making one
    // reads the cursor theme from disk).
    SDL_Cursor* cursor = nullptr;
    SDL_Cursor* systemCursors[2] = {};

    ~HostState();
};

HostState& State();
// Adds an event to the queue real input goes through and wakes a wait in progress. Safe from
// any thread.
void PushEvent(const internal::HostEvent& event);
// Where State() keeps the state; the testing library drops it to start afresh.
std::unique_ptr<HostState>& StateHolder();

// SIGTERM, SIGINT and SIGHUP queue a Break event from the start of the video until its stop
// (HostSignals.cpp); the dispositions before are restored.
void CatchTermination();
void ReleaseTermination();

} // namespace amiga::host
