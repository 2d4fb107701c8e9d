// SPDX-License-Identifier: MIT
// The SDL host: the window, presenting, the pointer and the event queue.
#include "platform/host/sdl/HostState.h"

#include "platform/common/InputEvent.h"
#include "platform/common/Internal.h"
#include "platform/common/Png.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include <unistd.h>

namespace amiga::host {

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
    state.fullScreen = name != "offscreen" && name != "dummy";
    state.wakeEventType = SDL_RegisterEvents(1);
    CatchTermination();
    return true;
}

void FreeCursors(HostState& state)
{
    for (SDL_Cursor*& cursor : state.systemCursors) {
        if (cursor != nullptr) {
            SDL_FreeCursor(cursor);
            cursor = nullptr;
        }
    }
    if (state.cursor != nullptr) {
        SDL_FreeCursor(state.cursor);
        state.cursor = nullptr;
    }
}

void StopVideo()
{
    auto& state = State();
    state.sdlWakeable = false;
    FreeCursors(state);
    if (state.window != nullptr) {
        SDL_DestroyWindow(state.window);
        state.window = nullptr;
        state.surfaceHoldsFrame = false;
        state.windowId = 0;
    }
    if (state.videoStarted) {
        ReleaseTermination();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        state.videoStarted = false;
    }
}

Viewport CurrentViewport()
{
    auto& state = State();
    int windowW = state.screenWidth;
    int windowH = state.screenHeight;
    if (state.window != nullptr) {
        SDL_GetWindowSize(state.window, &windowW, &windowH);
    }
    return ComputeViewport(windowW, windowH, state.screenWidth, state.screenHeight);
}

void ApplyCursor()
{
    auto& state = State();
    if (state.window == nullptr) {
        return;
    }
    SDL_Cursor* created = nullptr;
    if (state.customCursor && !state.pointer.pixels.empty()) {
        const int scale = CurrentViewport().prescale;
        const int width = state.pointer.width * scale;
        const int height = state.pointer.height * scale;
        std::vector<uint32_t> scaled(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                scaled[static_cast<size_t>(y * width + x)] =
                    state.pointer.pixels[static_cast<size_t>((y / scale) * state.pointer.width + x / scale)];
            }
        }
        SDL_Surface* surface =
            SDL_CreateRGBSurfaceWithFormatFrom(scaled.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_ABGR8888);
        if (surface != nullptr) {
            created = SDL_CreateColorCursor(surface, state.pointer.hotX * scale, state.pointer.hotY * scale);
            SDL_FreeSurface(surface);
        }
        state.cursorScale = scale;
    } else {
        const bool busy = state.cursorShape == CursorShape::Busy;
        SDL_Cursor*& shape = state.systemCursors[busy ? 1 : 0];
        if (shape == nullptr) {
            shape = SDL_CreateSystemCursor(busy ? SDL_SYSTEM_CURSOR_WAIT : SDL_SYSTEM_CURSOR_ARROW);
        }
        if (shape != nullptr) {
            SDL_SetCursor(shape);
        }
        return;
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

UWORD CurrentQualifiers(bool capsLock)
{
    const auto& state = State();
    return static_cast<UWORD>(ModifierQualifiers(state.modifiersHeld) | state.buttonQualifiers |
                              (capsLock ? IEQUALIFIER_CAPSLOCK : 0));
}

void WindowToScreen(int windowX, int windowY, int& x, int& y)
{
    const auto& state = State();
    ToScreen(CurrentViewport(), state.screenWidth, state.screenHeight, windowX, windowY, x, y);
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
    } while (access(path.c_str(), F_OK) == 0);
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
            state.surfaceHoldsFrame = false;
            PresentLastFrame();
            ApplyCursor();
            return false;
        case SDL_WINDOWEVENT_EXPOSED:
            // Converting and scaling the frame again is needed only when the surface is new.
            if (state.surfaceHoldsFrame && state.window != nullptr) {
                SDL_UpdateWindowSurface(state.window);
            } else {
                PresentLastFrame();
            }
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
        WindowToScreen(sdl.motion.x, sdl.motion.y, event.x, event.y);
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
        state.buttonQualifiers =
            down ? static_cast<UWORD>(state.buttonQualifiers | bit) : static_cast<UWORD>(state.buttonQualifiers & ~bit);
        event = {};
        event.kind = down ? Kind::ButtonDown : Kind::ButtonUp;
        event.button = button;
        WindowToScreen(sdl.button.x, sdl.button.y, event.x, event.y);
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
        WindowToScreen(x, y, event.x, event.y);
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

// For each of `dest` pixels, the `source` pixels it covers and how much of it each covers
// (out of 256, summing to 256): an area average. The area average of the nearest-neighbour
// prescale is the area average of the screen itself, so the prescaled image is never built;
// a screen pixel's edge is shared by one blended column, never a doubled or dropped one.
struct AreaTaps {
    int stride = 0;
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> weight; // `stride` per destination pixel

    AreaTaps(int source, int dest)
        : stride(source / dest + 2), first(static_cast<size_t>(dest)), count(static_cast<size_t>(dest)),
          weight(static_cast<size_t>(dest) * static_cast<size_t>(stride))
    {
        for (int o = 0; o < dest; ++o) {
            // In 1/dest of a source pixel, this pixel covers [begin, end).
            const int64_t begin = int64_t{o} * source;
            const int64_t end = begin + source;
            const int64_t firstSource = begin / dest;
            int64_t covered = 0;
            int given = 0;
            int k = 0;
            for (; k < stride; ++k) {
                const int64_t s = firstSource + k;
                const int64_t overlap = std::min(end, (s + 1) * dest) - std::max(begin, s * dest);
                if (overlap <= 0) {
                    break;
                }
                covered += overlap;
                const int upTo = static_cast<int>((covered * 256 + source / 2) / source);
                weight[static_cast<size_t>(o * stride + k)] = upTo - given;
                given = upTo;
            }
            first[static_cast<size_t>(o)] = static_cast<int>(firstSource);
            count[static_cast<size_t>(o)] = k;
        }
    }
};

// The screen scaled smoothly to the viewport's size, one row of the host window at a time.
class SmoothScaler {
public:
    SmoothScaler(const UBYTE* pixels, int pitch, int width, int height, const Viewport& view, const ULONG rgb[256],
                 const SDL_PixelFormat* format)
        : pixels_(pixels), pitch_(pitch), width_(view.width), columns_(width, view.width), rows_(height, view.height),
          rLoss_(format->Rloss), gLoss_(format->Gloss), bLoss_(format->Bloss), rShift_(format->Rshift),
          gShift_(format->Gshift), bShift_(format->Bshift), alpha_(format->Amask),
          sums_(static_cast<size_t>(view.width) * 3),
          lines_(static_cast<size_t>(rows_.stride), std::vector<uint32_t>(sums_.size())),
          lineOf_(static_cast<size_t>(rows_.stride), -1)
    {
        for (int i = 0; i < 256; ++i) {
            channels_[i][0] = (rgb[i] >> 16) & 0xFF;
            channels_[i][1] = (rgb[i] >> 8) & 0xFF;
            channels_[i][2] = rgb[i] & 0xFF;
        }
    }

    void Row(int y, Uint32* out)
    {
        const size_t at = static_cast<size_t>(y * rows_.stride);
        if (rows_.count[static_cast<size_t>(y)] == 1) {
            // Within one screen row: only the columns need smoothing.
            const std::vector<uint32_t>& line = Line(rows_.first[static_cast<size_t>(y)]);
            for (int x = 0; x < width_; ++x) {
                const uint32_t* sum = &line[static_cast<size_t>(x) * 3];
                out[x] = Pack((sum[0] + 128) >> 8, (sum[1] + 128) >> 8, (sum[2] + 128) >> 8);
            }
            return;
        }
        if (rows_.count[static_cast<size_t>(y)] == 2) {
            // Across the edge of two screen rows: the case of every enlargement.
            const uint32_t upper = static_cast<uint32_t>(rows_.weight[at]);
            const uint32_t lower = static_cast<uint32_t>(rows_.weight[at + 1]);
            const uint32_t* a = Line(rows_.first[static_cast<size_t>(y)]).data();
            const uint32_t* b = Line(rows_.first[static_cast<size_t>(y)] + 1).data();
            for (int x = 0; x < width_; ++x) {
                const size_t i = static_cast<size_t>(x) * 3;
                out[x] = Pack((upper * a[i] + lower * b[i] + 32768) >> 16,
                              (upper * a[i + 1] + lower * b[i + 1] + 32768) >> 16,
                              (upper * a[i + 2] + lower * b[i + 2] + 32768) >> 16);
            }
            return;
        }
        std::fill(sums_.begin(), sums_.end(), 0);
        for (int k = 0; k < rows_.count[static_cast<size_t>(y)]; ++k) {
            const uint32_t weight = static_cast<uint32_t>(rows_.weight[at + static_cast<size_t>(k)]);
            const std::vector<uint32_t>& line = Line(rows_.first[static_cast<size_t>(y)] + k);
            for (size_t i = 0; i < sums_.size(); ++i) {
                sums_[i] += weight * line[i];
            }
        }
        for (int x = 0; x < width_; ++x) {
            const uint32_t* sum = &sums_[static_cast<size_t>(x) * 3];
            out[x] = Pack((sum[0] + 32768) >> 16, (sum[1] + 32768) >> 16, (sum[2] + 32768) >> 16);
        }
    }

private:
    // Source row `sy` scaled horizontally, kept while the next rows of the window need it.
    const std::vector<uint32_t>& Line(int sy)
    {
        const size_t slot = static_cast<size_t>(sy % rows_.stride);
        std::vector<uint32_t>& line = lines_[slot];
        if (lineOf_[slot] != sy) {
            lineOf_[slot] = sy;
            const UBYTE* source = pixels_ + static_cast<ptrdiff_t>(sy) * pitch_;
            for (int x = 0; x < width_; ++x) {
                uint32_t r = 0;
                uint32_t g = 0;
                uint32_t b = 0;
                const size_t at = static_cast<size_t>(x * columns_.stride);
                const UBYTE* from = source + columns_.first[static_cast<size_t>(x)];
                for (int k = 0; k < columns_.count[static_cast<size_t>(x)]; ++k) {
                    const uint32_t weight = static_cast<uint32_t>(columns_.weight[at + static_cast<size_t>(k)]);
                    const uint32_t* colour = channels_[from[k]];
                    r += weight * colour[0];
                    g += weight * colour[1];
                    b += weight * colour[2];
                }
                line[static_cast<size_t>(x) * 3] = r;
                line[static_cast<size_t>(x) * 3 + 1] = g;
                line[static_cast<size_t>(x) * 3 + 2] = b;
            }
        }
        return line;
    }

    Uint32 Pack(uint32_t r, uint32_t g, uint32_t b) const
    {
        return ((r >> rLoss_) << rShift_) | ((g >> gLoss_) << gShift_) | ((b >> bLoss_) << bShift_) | alpha_;
    }

    const UBYTE* pixels_;
    int pitch_;
    int width_;
    AreaTaps columns_;
    AreaTaps rows_;
    // The target format's, copied: writes through a Uint32* could alias them.
    uint32_t rLoss_, gLoss_, bLoss_, rShift_, gShift_, bShift_, alpha_;
    uint32_t channels_[256][3] = {};
    std::vector<uint32_t> sums_;
    std::vector<std::vector<uint32_t>> lines_;
    std::vector<int> lineOf_;
};

// A whole multiple is a nearest-neighbour enlargement; any other size is smoothed (see
// ComputeViewport). Black around the image.
void Blit(const UBYTE* pixels, int width, int height, int pitch, const ULONG rgb[256])
{
    auto& state = State();
    SDL_Surface* surface = SDL_GetWindowSurface(state.window);
    if (surface == nullptr) {
        return;
    }
    const Viewport view = ComputeViewport(surface->w, surface->h, width, height);
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
    const int scale = view.prescale;
    const bool sharp = view.width == width * scale;
    std::unique_ptr<SmoothScaler> smooth;
    if (!sharp && view.width > 0 && view.height > 0) {
        smooth = std::make_unique<SmoothScaler>(pixels, pitch, width, height, view, rgb, target->format);
    }
    const int shownW = std::min(view.width, target->w - view.x);
    const int shownH = std::min(view.height, target->h - view.y);
    auto* base = static_cast<Uint8*>(target->pixels);
    for (int y = 0; y < target->h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(base + static_cast<ptrdiff_t>(y) * target->pitch);
        const int sy = (y - view.y);
        if (sy < 0 || sy >= shownH) {
            std::fill(row, row + target->w, black);
            continue;
        }
        std::fill(row, row + view.x, black);
        const UBYTE* source = pixels + static_cast<ptrdiff_t>(sy / scale) * pitch;
        Uint32* out = row + view.x;
        if (smooth != nullptr) {
            smooth->Row(sy, out);
        } else if (scale == 1) {
            for (int x = 0; x < shownW; ++x) {
                out[x] = lookup[source[x]];
            }
        } else if (sy % scale != 0) {
            // Repeated rows are copies of the first one.
            const auto* first =
                reinterpret_cast<const Uint32*>(base + static_cast<ptrdiff_t>(y - sy % scale) * target->pitch);
            std::memcpy(out, first + view.x, static_cast<size_t>(shownW) * 4);
        } else {
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
    state.surfaceHoldsFrame = SDL_UpdateWindowSurface(state.window) == 0;
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
        FreeCursors(*this);
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
    Uint32 flags = SDL_WINDOW_RESIZABLE;
    int windowW = width;
    int windowH = height;
    SDL_DisplayMode desktop;
    if (state.fullScreen && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        // Of the display's size from the start: on an X server without a window manager
        // nobody else would enlarge it.
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        windowW = desktop.w;
        windowH = desktop.h;
    }
    state.window = SDL_CreateWindow(title != nullptr ? title : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                    windowW, windowH, flags);
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
    if (pixels != state.lastFrame.data() || pitch != width ||
        state.lastFrame.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        state.lastFrame.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (int y = 0; y < height; ++y) {
            std::memmove(state.lastFrame.data() + static_cast<ptrdiff_t>(y) * width,
                         pixels + static_cast<ptrdiff_t>(y) * pitch, static_cast<size_t>(width));
        }
    }
    state.lastWidth = width;
    state.lastHeight = height;
    std::memcpy(state.lastPalette, rgb, sizeof state.lastPalette);
    if (state.window != nullptr) {
        Blit(pixels, width, height, pitch, rgb);
    }
}

UBYTE* FrameBuffer(int width, int height)
{
    auto& state = State();
    state.lastFrame.resize(static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0)));
    return state.lastFrame.data();
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
    if (!state.pointer.Assign(rgba, width, height, hotX, hotY)) {
        SetCursor(CursorShape::Normal);
        return;
    }
    state.customCursor = true;
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
