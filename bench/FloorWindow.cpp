// SPDX-License-Identifier: MIT
// The floor that bench/peers.sh holds the game against: the least an SDL2 program does to
// show an 800 × 600 window the way the host does (software path, window surface), then wait
// for the close button. It links SDL2 alone and nothing of this project, on purpose.
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
    SDL_Window* window =
        SDL_CreateWindow("Floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600, SDL_WINDOW_RESIZABLE);
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
