// SPDX-License-Identifier: MIT
// The SDL host: the window, presenting, the pointer and the event queue.
#include "platform/host/HostState.h"

#include "platform/common/InputEvent.h"
#include "platform/common/Internal.h"
#include "platform/common/Png.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>

namespace amiga::host {

// How this host shows the screen: the largest whole multiple that fits, centred.
struct WholeView {
    int scale = 1;
    int offsetX = 0;
    int offsetY = 0;
};
WholeView ComputeWholeView(int windowW, int windowH, int screenW, int screenH);

namespace {

bool Fail(const std::string& line, const char* reason)
{
    auto& state = State();
    state.lastError = reason != nullptr ? reason : "unknown reason";
    std::fprintf(stderr, "kesa: %s: %s\n", line.c_str(), state.lastError.c_str());
    return false;
}

bool StartVideo()
{
    auto& state = State();
    if (state.videoStarted) {
        return true;
    }
    // Software presentation only: an OpenGL context costs memory and start-up time and
    // gains nothing for one paletted image.
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The close button is a request to the program, which decides whether to quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // SDL would turn SIGTERM and SIGINT into that same request; ours end the program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return Fail("no display available", SDL_GetError());
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    const std::string name = driver != nullptr ? driver : "";
    // Without a display SDL falls back on drivers that show nothing; a program started that
    // way would run unseen until killed. Tests ask for those drivers by name, a player never.
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    if ((name == "offscreen" || name == "dummy") && (requested == nullptr || *requested == '\0')) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return Fail("no display available", "neither an X11 nor a Wayland display was found");
    }
    state.videoStarted = true;
    state.blockingDriver = name == "x11" || name == "wayland" || name == "windows" || name == "cocoa";
    state.wakeEventType = SDL_RegisterEvents(1);
    CatchTermination();
    return true;
}

void StopVideo()
{
    auto& state = State();
    state.sdlWakeable = false;
    if (state.cursor != nullptr) {
        SDL_FreeCursor(state.cursor);
        state.cursor = nullptr;
    }
    if (state.window != nullptr) {
        SDL_DestroyWindow(state.window);
        state.window = nullptr;
        state.windowId = 0;
    }
    if (state.videoStarted) {
        ReleaseTermination();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        state.videoStarted = false;
    }
}

WholeView CurrentViewport()
{
    auto& state = State();
    int windowW = state.screenWidth;
    int windowH = state.screenHeight;
    if (state.window != nullptr) {
        SDL_GetWindowSize(state.window, &windowW, &windowH);
    }
    return ComputeWholeView(windowW, windowH, state.screenWidth, state.screenHeight);
}

void ApplyCursor()
{
    auto& state = State();
    if (state.window == nullptr) {
        return;
    }
    SDL_Cursor* created = nullptr;
    if (state.customCursor && !state.cursorPixels.empty()) {
        const int scale = CurrentViewport().scale;
        const int width = state.cursorWidth * scale;
        const int height = state.cursorHeight * scale;
        std::vector<uint32_t> scaled(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                scaled[static_cast<size_t>(y * width + x)] =
                    state.cursorPixels[static_cast<size_t>((y / scale) * state.cursorWidth + x / scale)];
            }
        }
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(scaled.data(), width, height, 32, width * 4,
                                                                  SDL_PIXELFORMAT_ABGR8888);
        if (surface != nullptr) {
            created = SDL_CreateColorCursor(surface, state.cursorHotX * scale, state.cursorHotY * scale);
            SDL_FreeSurface(surface);
        }
        state.cursorScale = scale;
    } else {
        created = SDL_CreateSystemCursor(state.cursorShape == CursorShape::Busy ? SDL_SYSTEM_CURSOR_WAIT
                                                                                 : SDL_SYSTEM_CURSOR_ARROW);
    }
    // Drivers without pointer support (dummy) create nothing; the pointer then stays as is.
    if (created != nullptr) {
        SDL_SetCursor(created);
        if (state.cursor != nullptr) {
            SDL_FreeCursor(state.cursor);
        }
        state.cursor = created;
    }
}

void PresentLastFrame();

UWORD ModifierQualifiers(unsigned held)
{
    // Usages 224..231: LCtrl, LShift, LAlt, LGUI, RCtrl, RShift, RAlt, RGUI.
    constexpr UWORD qualifierOf[8] = {IEQUALIFIER_CONTROL,  IEQUALIFIER_LSHIFT, IEQUALIFIER_LCOMMAND,
                                      IEQUALIFIER_LCOMMAND, IEQUALIFIER_CONTROL, IEQUALIFIER_RSHIFT,
                                      IEQUALIFIER_RALT,     IEQUALIFIER_RCOMMAND};
    UWORD qualifiers = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if ((held & (1u << i)) != 0) {
            qualifiers |= qualifierOf[i];
        }
    }
    return qualifiers;
}

bool IsKeypad(UWORD raw)
{
    return raw == RAWKEY_KP_0 || (raw >= RAWKEY_KP_1 && raw <= RAWKEY_KP_1 + 2) ||
           (raw >= RAWKEY_KP_4 && raw <= RAWKEY_KP_4 + 2) || (raw >= RAWKEY_KP_7 && raw <= RAWKEY_KP_7 + 2) ||
           raw == RAWKEY_KP_DECIMAL || raw == RAWKEY_KP_ENTER || raw == RAWKEY_KP_MINUS ||
           (raw >= RAWKEY_KP_LPAREN && raw <= RAWKEY_KP_PLUS);
}

UWORD CurrentQualifiers(bool capsLock)
{
    const auto& state = State();
    return static_cast<UWORD>(ModifierQualifiers(state.modifiersHeld) | state.buttonQualifiers |
                              (capsLock ? IEQUALIFIER_CAPSLOCK : 0));
}

void ToScreen(int windowX, int windowY, int& x, int& y)
{
    const auto& state = State();
    const WholeView view = CurrentViewport();
    x = std::clamp((windowX - view.offsetX) / view.scale, 0, std::max(0, state.screenWidth - 1));
    y = std::clamp((windowY - view.offsetY) / view.scale, 0, std::max(0, state.screenHeight - 1));
    // Pixels left of or above the image would divide towards zero into column 0 anyway.
}

// With KESA_SCREENSHOT_DIR set, F12 saves the image last shown (pens and palette, as a
// paletted PNG) as screen-001.png, screen-002.png, ... there: end-to-end tests and
// documentation take their pictures through the real program this way.
bool TakeScreenshot(const SDL_Event& sdl)
{
    const char* directory = std::getenv("KESA_SCREENSHOT_DIR");
    if (sdl.type != SDL_KEYDOWN || sdl.key.keysym.scancode != SDL_SCANCODE_F12 || directory == nullptr ||
        *directory == '\0') {
        return false;
    }
    auto& state = State();
    if (sdl.key.repeat != 0 || state.lastFrame.empty()) {
        return true;
    }
    // Numbered on from the pictures already there, so that the runs of one session line up.
    std::string path;
    do {
        char name[32];
        std::snprintf(name, sizeof name, "/screen-%03d.png", ++state.screenshotsTaken);
        path = std::string(directory) + name;
    } while (std::filesystem::exists(path));
    std::string error;
    if (!SavePNG(state.lastFrame.data(), state.lastWidth, state.lastHeight, state.lastWidth, state.lastPalette,
                 path.c_str(), &error)) {
        std::fprintf(stderr, "kesa: screenshot not saved: %s\n", error.c_str());
    }
    return true;
}

// Turns one SDL event into a HostEvent; false for events that are the host's own business.
bool Translate(const SDL_Event& sdl, internal::HostEvent& event)
{
    using Kind = internal::HostEvent::Kind;
    auto& state = State();
    const bool caps = (SDL_GetModState() & KMOD_CAPS) != 0;
    switch (sdl.type) {
    case SDL_QUIT:
        event = {};
        event.kind = Kind::CloseRequest;
        return true;
    case SDL_WINDOWEVENT:
        switch (sdl.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            event = {};
            event.kind = Kind::CloseRequest;
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_EXPOSED:
            PresentLastFrame();
            ApplyCursor();
            return false;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // Keys released elsewhere never reach us: forget what was held.
            state.modifiersHeld = 0;
            state.buttonQualifiers = 0;
            return false;
        default:
            return false;
        }
    case SDL_MOUSEMOTION:
        event = {};
        event.kind = Kind::PointerMove;
        ToScreen(sdl.motion.x, sdl.motion.y, event.x, event.y);
        event.qualifier = CurrentQualifiers(caps);
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool down = sdl.type == SDL_MOUSEBUTTONDOWN;
        int button = 0;
        UWORD bit = 0;
        switch (sdl.button.button) {
        case SDL_BUTTON_LEFT:
            button = internal::HostEvent::LeftButton;
            bit = IEQUALIFIER_LEFTBUTTON;
            break;
        case SDL_BUTTON_RIGHT:
            button = internal::HostEvent::RightButton;
            bit = IEQUALIFIER_RBUTTON;
            break;
        case SDL_BUTTON_MIDDLE:
            button = internal::HostEvent::MiddleButton;
            bit = IEQUALIFIER_MIDBUTTON;
            break;
        default:
            return false;
        }
        state.buttonQualifiers = down ? static_cast<UWORD>(state.buttonQualifiers | bit)
                                      : static_cast<UWORD>(state.buttonQualifiers & ~bit);
        event = {};
        event.kind = down ? Kind::ButtonDown : Kind::ButtonUp;
        event.button = button;
        ToScreen(sdl.button.x, sdl.button.y, event.x, event.y);
        event.qualifier = CurrentQualifiers(caps);
        return true;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        if (TakeScreenshot(sdl)) {
            return false;
        }
        const int usage = static_cast<int>(sdl.key.keysym.scancode);
        const UWORD raw = RawKeyFromUsbUsage(usage);
        if (raw == 0xFF) {
            return false;
        }
        const bool down = sdl.type == SDL_KEYDOWN;
        if (usage >= 224 && usage <= 231) {
            const unsigned bit = 1u << (usage - 224);
            state.modifiersHeld = down ? (state.modifiersHeld | bit) : (state.modifiersHeld & ~bit);
        }
        event = {};
        event.kind = down ? Kind::KeyDown : Kind::KeyUp;
        event.rawKey = raw;
        UWORD qualifier = CurrentQualifiers((sdl.key.keysym.mod & KMOD_CAPS) != 0);
        if (IsKeypad(raw)) {
            qualifier |= IEQUALIFIER_NUMERICPAD;
        }
        if (sdl.key.repeat != 0) {
            qualifier |= IEQUALIFIER_REPEAT;
        }
        event.qualifier = qualifier;
        int x = 0;
        int y = 0;
        SDL_GetMouseState(&x, &y);
        ToScreen(x, y, event.x, event.y);
        return true;
    }
    default:
        return false;
    }
}

// Moves every pending SDL event into our queue, in order.
void DrainSdl()
{
    auto& state = State();
    if (state.window == nullptr) {
        return;
    }
    SDL_Event sdl;
    while (SDL_PollEvent(&sdl) != 0) {
        internal::HostEvent event;
        if (Translate(sdl, event)) {
            std::lock_guard lock(state.queueLock);
            state.queue.push_back(event);
        }
    }
}

bool PopQueued(internal::HostEvent& event)
{
    auto& state = State();
    std::lock_guard lock(state.queueLock);
    if (state.queue.empty()) {
        return false;
    }
    event = state.queue.front();
    state.queue.pop_front();
    return true;
}

bool TakeWake()
{
    auto& state = State();
    std::lock_guard lock(state.queueLock);
    const bool pending = state.wakePending;
    state.wakePending = false;
    return pending;
}

void Blit(const UBYTE* pixels, int width, int height, int pitch, const ULONG rgb[256])
{
    auto& state = State();
    SDL_Surface* surface = SDL_GetWindowSurface(state.window);
    if (surface == nullptr) {
        return;
    }
    const WholeView view = ComputeWholeView(surface->w, surface->h, width, height);
    SDL_Surface* target = surface;
    SDL_Surface* staging = nullptr;
    Uint32 lookup[256];
    if (surface->format->BytesPerPixel != 4) {
        // Uncommon host formats: convert into a 32-bit image first and let SDL convert on.
        staging = SDL_CreateRGBSurfaceWithFormat(0, surface->w, surface->h, 32, SDL_PIXELFORMAT_XRGB8888);
        if (staging == nullptr) {
            return;
        }
        target = staging;
    }
    for (int i = 0; i < 256; ++i) {
        lookup[i] = SDL_MapRGB(target->format, static_cast<Uint8>(rgb[i] >> 16), static_cast<Uint8>(rgb[i] >> 8),
                               static_cast<Uint8>(rgb[i]));
    }
    if (SDL_MUSTLOCK(target)) {
        SDL_LockSurface(target);
    }
    const Uint32 black = SDL_MapRGB(target->format, 0, 0, 0);
    const int shownW = std::min(width * view.scale, target->w - view.offsetX);
    const int shownH = std::min(height * view.scale, target->h - view.offsetY);
    auto* base = static_cast<Uint8*>(target->pixels);
    for (int y = 0; y < target->h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(base + static_cast<ptrdiff_t>(y) * target->pitch);
        const int sy = (y - view.offsetY);
        if (sy < 0 || sy >= shownH) {
            std::fill(row, row + target->w, black);
            continue;
        }
        std::fill(row, row + view.offsetX, black);
        const UBYTE* source = pixels + static_cast<ptrdiff_t>(sy / view.scale) * pitch;
        Uint32* out = row + view.offsetX;
        if (view.scale == 1) {
            for (int x = 0; x < shownW; ++x) {
                out[x] = lookup[source[x]];
            }
        } else if (sy % view.scale != 0) {
            // Repeated rows are copies of the first one.
            const auto* first = reinterpret_cast<const Uint32*>(base + static_cast<ptrdiff_t>(y - sy % view.scale) * target->pitch);
            std::memcpy(out, first + view.offsetX, static_cast<size_t>(shownW) * 4);
        } else {
            const int scale = view.scale;
            const int whole = shownW / scale;
            Uint32* put = out;
            for (int x = 0; x < whole; ++x) {
                const Uint32 colour = lookup[source[x]];
                for (int k = 0; k < scale; ++k) {
                    *put++ = colour;
                }
            }
            for (int x = whole * scale; x < shownW; ++x) {
                *put++ = lookup[source[whole]];
            }
        }
        std::fill(out + shownW, row + target->w, black);
    }
    if (SDL_MUSTLOCK(target)) {
        SDL_UnlockSurface(target);
    }
    if (staging != nullptr) {
        SDL_BlitSurface(staging, nullptr, surface, nullptr);
        SDL_FreeSurface(staging);
    }
    SDL_UpdateWindowSurface(state.window);
}

void PresentLastFrame()
{
    auto& state = State();
    if (state.window != nullptr && !state.lastFrame.empty()) {
        Blit(state.lastFrame.data(), state.lastWidth, state.lastHeight, state.lastWidth, state.lastPalette);
    }
}

} // namespace

HostState::~HostState()
{
    if (window != nullptr || videoStarted) {
        // Teardown order at exit is not ours to choose; only release what SDL still holds.
        if (cursor != nullptr) {
            SDL_FreeCursor(cursor);
        }
        if (window != nullptr) {
            SDL_DestroyWindow(window);
        }
        if (videoStarted) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
    }
}

std::unique_ptr<HostState>& StateHolder()
{
    static std::unique_ptr<HostState> state = std::make_unique<HostState>();
    return state;
}

HostState& State()
{
    return *StateHolder();
}

WholeView ComputeWholeView(int windowW, int windowH, int screenW, int screenH)
{
    WholeView view;
    if (screenW <= 0 || screenH <= 0) {
        return view;
    }
    view.scale = std::max(1, std::min(windowW / screenW, windowH / screenH));
    view.offsetX = std::max(0, (windowW - screenW * view.scale) / 2);
    view.offsetY = std::max(0, (windowH - screenH * view.scale) / 2);
    return view;
}

bool OpenWindow(int width, int height, const char* title)
{
    auto& state = State();
    if (width <= 0 || height <= 0) {
        state.lastError = "invalid screen size";
        return false;
    }
    if (!StartVideo()) {
        return false;
    }
    state.screenWidth = width;
    state.screenHeight = height;
    if (state.window != nullptr) {
        SDL_SetWindowMinimumSize(state.window, width, height);
        SDL_SetWindowSize(state.window, width, height);
        return true;
    }
    state.window = SDL_CreateWindow(title != nullptr ? title : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                    width, height, SDL_WINDOW_RESIZABLE);
    if (state.window == nullptr) {
        Fail("cannot open the host window", SDL_GetError());
        StopVideo();
        return false;
    }
    SDL_SetWindowMinimumSize(state.window, width, height);
    state.windowId = SDL_GetWindowID(state.window);
    state.modifiersHeld = 0;
    state.buttonQualifiers = 0;
    state.sdlWakeable = state.blockingDriver;
    ApplyCursor();
    return true;
}

void CloseWindow()
{
    StopVideo();
    auto& state = State();
    state.lastFrame.clear();
}

bool IsWindowOpen()
{
    return State().window != nullptr;
}

void SetTitle(const char* title)
{
    auto& state = State();
    if (state.window != nullptr) {
        SDL_SetWindowTitle(state.window, title != nullptr ? title : "");
    }
}

const std::string& LastError()
{
    return State().lastError;
}

std::string DriverName()
{
    const char* driver = State().videoStarted ? SDL_GetCurrentVideoDriver() : nullptr;
    return driver != nullptr ? driver : "";
}

void Present(const UBYTE* pixels, int width, int height, int pitch, const ULONG rgb[256])
{
    auto& state = State();
    if (pixels == nullptr || rgb == nullptr || width <= 0 || height <= 0 || pitch < width) {
        return;
    }
    state.lastFrame.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        std::memcpy(state.lastFrame.data() + static_cast<ptrdiff_t>(y) * width, pixels + static_cast<ptrdiff_t>(y) * pitch,
                    static_cast<size_t>(width));
    }
    state.lastWidth = width;
    state.lastHeight = height;
    std::memcpy(state.lastPalette, rgb, sizeof state.lastPalette);
    if (state.window != nullptr) {
        Blit(pixels, width, height, pitch, rgb);
    }
}

void Hold(uint64_t micros)
{
    std::this_thread::sleep_for(std::chrono::microseconds(micros));
}

void SetCursor(CursorShape shape)
{
    auto& state = State();
    state.customCursor = false;
    state.cursorShape = shape;
    ApplyCursor();
}

void SetCursor(const uint32_t* rgba, int width, int height, int hotX, int hotY)
{
    auto& state = State();
    if (rgba == nullptr || width <= 0 || height <= 0) {
        SetCursor(CursorShape::Normal);
        return;
    }
    state.customCursor = true;
    state.cursorPixels.assign(rgba, rgba + static_cast<ptrdiff_t>(width) * height);
    state.cursorWidth = width;
    state.cursorHeight = height;
    state.cursorHotX = std::clamp(hotX, 0, width - 1);
    state.cursorHotY = std::clamp(hotY, 0, height - 1);
    ApplyCursor();
}

bool PollEvent(internal::HostEvent& event)
{
    DrainSdl();
    return PopQueued(event);
}

bool WaitEvent(uint64_t timeoutMicros, internal::HostEvent& event)
{
    auto& state = State();
    const uint64_t start = internal::NowMicros();
    const uint64_t deadline = timeoutMicros == UINT64_MAX ? UINT64_MAX : start + timeoutMicros;
    for (;;) {
        if (PollEvent(event)) {
            return true;
        }
        if (TakeWake()) {
            return false;
        }
        const uint64_t now = internal::NowMicros();
        if (now >= deadline) {
            return false;
        }
        if (state.window != nullptr && state.blockingDriver) {
            SDL_Event sdl;
            int got = 0;
            if (deadline == UINT64_MAX) {
                got = SDL_WaitEvent(&sdl);
            } else {
                // Round up so that we never wake just before the deadline and spin.
                const uint64_t millis = std::min<uint64_t>((deadline - now + 999) / 1000, INT_MAX);
                got = SDL_WaitEventTimeout(&sdl, static_cast<int>(millis));
            }
            if (got != 0) {
                internal::HostEvent translated;
                if (Translate(sdl, translated)) {
                    std::lock_guard lock(state.queueLock);
                    state.queue.push_back(translated);
                }
            }
            continue;
        }
        std::unique_lock lock(state.queueLock);
        auto ready = [&state] { return !state.queue.empty() || state.wakePending; };
        if (deadline == UINT64_MAX) {
            state.queueChanged.wait(lock, ready);
        } else {
            state.queueChanged.wait_for(lock, std::chrono::microseconds(deadline - now), ready);
        }
    }
}

namespace {

// Wakes a WaitEvent in progress, whether it sleeps on the queue or in SDL.
void WakeWaiter(HostState& state)
{
    state.queueChanged.notify_all();
    if (state.sdlWakeable) {
        SDL_Event wake{};
        wake.type = state.wakeEventType;
        SDL_PushEvent(&wake);
    }
}

} // namespace

void Wake()
{
    auto& state = State();
    {
        std::lock_guard lock(state.queueLock);
        state.wakePending = true;
    }
    WakeWaiter(state);
}

void PushEvent(const internal::HostEvent& event)
{
    auto& state = State();
    {
        std::lock_guard lock(state.queueLock);
        state.queue.push_back(event);
    }
    WakeWaiter(state);
}

} // namespace amiga::host
