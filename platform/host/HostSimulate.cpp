// SPDX-License-Identifier: MIT
// Real host events made by tests: pushed into SDL's own queue, so they take every step that
// input from the desktop takes (translation, key mapping, unscaling).
#include "platform/testing/Testing.h"
#include "platform/host/HostState.h"

namespace amiga {

namespace {

void Push(SDL_Event& event)
{
    if (host::State().window != nullptr) {
        SDL_PushEvent(&event);
    }
}

} // namespace

void SimulateHostKey(int usbUsage, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = host::State().windowId;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(usbUsage);
    event.key.keysym.sym = SDL_GetKeyFromScancode(event.key.keysym.scancode);
    Push(event);
}

void SimulateHostPointer(int windowX, int windowY)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = host::State().windowId;
    event.motion.x = windowX;
    event.motion.y = windowY;
    Push(event);
}

void SimulateHostButton(int button, bool down, int windowX, int windowY)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = host::State().windowId;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = windowX;
    event.button.y = windowY;
    switch (button) {
    case internal::HostEvent::RightButton:
        event.button.button = SDL_BUTTON_RIGHT;
        break;
    case internal::HostEvent::MiddleButton:
        event.button.button = SDL_BUTTON_MIDDLE;
        break;
    default:
        event.button.button = SDL_BUTTON_LEFT;
        break;
    }
    Push(event);
}

void SimulateHostResize(int windowWidth, int windowHeight)
{
    auto& state = host::State();
    if (state.window != nullptr) {
        SDL_SetWindowSize(state.window, windowWidth, windowHeight);
    }
}

void SimulateHostCloseRequest()
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = host::State().windowId;
    Push(event);
}

} // namespace amiga
