// SPDX-License-Identifier: MIT
// The floor that bench/peers.sh holds the game against: the least an SDL2 program does to
// show a window the way the host does (filling the display, software path, window surface),
// then wait for the close button. It links SDL2 alone and nothing of this project, on purpose.
#include <SDL.h>

#include <cstdio>

int main(int, char**)
{
    // The host's own hints, set before the window exists: without them SDL loads OpenGL.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "FloorWindow: %s\n", SDL_GetError());
        return 1;
    }
    // As the host opens its window on a display: full screen at the display's size. Without a
    // window manager SDL waits 100 ms for one to confirm it, the host's window as much as this.
    Uint32 flags = SDL_WINDOW_RESIZABLE;
    int width = 800;
    int height = 600;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        width = desktop.w;
        height = desktop.h;
    }
    SDL_Window* window =
        SDL_CreateWindow("Floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (window == nullptr) {
        std::fprintf(stderr, "FloorWindow: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    // One frame through the surface, as the host presents its first screen.
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface != nullptr) {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x55, 0x55, 0x55));
        SDL_UpdateWindowSurface(window);
    }
    SDL_Event event;
    bool running = true;
    while (running && SDL_WaitEvent(&event) != 0) {
        if (event.type == SDL_QUIT || (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
            running = false;
        }
    }
    // No SDL_DestroyWindow or SDL_Quit: the exit frees it all, and SDL 2.26 was seen here to
    // send its wake-up message to the window just destroyed and die of the X error.
    return 0;
}
