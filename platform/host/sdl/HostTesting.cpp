// SPDX-License-Identifier: MIT
// The host's part of the testing library (built into it, not into the program): events
// queued as if the host had produced them, real SDL events that take every step input from
// the desktop takes (translation, key mapping, unscaling), pixels read back, the reset.
#include "platform/testing/Testing.h"
#include "platform/host/sdl/HostState.h"

#include <algorithm>
#include <cstring>

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

void InjectHostEvent(const internal::HostEvent& event)
{
    host::PushEvent(event);
}

} // namespace amiga

namespace amiga::host {

bool ReadWindowPixel(int windowX, int windowY, ULONG& rgb)
{
    auto& state = State();
    if (state.window == nullptr) {
        return false;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(state.window);
    if (surface == nullptr || windowX < 0 || windowY < 0 || windowX >= surface->w || windowY >= surface->h) {
        return false;
    }
    const int bytes = surface->format->BytesPerPixel;
    const auto* at = static_cast<const Uint8*>(surface->pixels) + static_cast<ptrdiff_t>(windowY) * surface->pitch +
                     static_cast<ptrdiff_t>(windowX) * bytes;
    Uint32 pixel = 0;
    std::memcpy(&pixel, at, static_cast<size_t>(std::min(bytes, 4)));
    Uint8 r = 0;
    Uint8 g = 0;
    Uint8 b = 0;
    SDL_GetRGB(pixel, surface->format, &r, &g, &b);
    rgb = (ULONG{r} << 16) | (ULONG{g} << 8) | b;
    return true;
}

void Reset()
{
    CloseWindow();
    StateHolder() = std::make_unique<HostState>();
}

} // namespace amiga::host
