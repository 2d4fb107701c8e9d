// SPDX-License-Identifier: MIT
// The browser host: the screen in a <canvas>, input from the page, the wait that gives the
// browser its turn. The program's blocking loop stays as it is: WaitEvent suspends the
// program (Asyncify) until a page event or the deadline, so an idle page does no work.
#include "platform/host/Host.h"
#include "platform/host/Viewport.h"

#include "platform/common/InputEvent.h"
#include "platform/common/Internal.h"

#include <emscripten.h>
#include <emscripten/html5.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

namespace amiga::host {

namespace {

// Sleeps until kesaWake() or the deadline (negative: none). Only page events and timers
// wake it: no polling.
// The page's side, in JavaScript: clang-format would read it as C++.
// clang-format off
EM_ASYNC_JS(int, JsWait, (double timeoutMs), {
    return await new Promise((resolve) => {
        let timer = null;
        Module.kesaWake = () => {
            Module.kesaWake = null;
            if (timer !== null) clearTimeout(timer);
            resolve(1);
        };
        if (timeoutMs >= 0) timer = setTimeout(() => { Module.kesaWake = null; resolve(0); }, timeoutMs);
    });
});
EM_JS(void, JsWake, (), { if (Module.kesaWake) Module.kesaWake(); });

EM_JS(int, JsPageWidth, (), { return Math.floor(window.innerWidth * (window.devicePixelRatio || 1)); });
EM_JS(int, JsPageHeight, (), { return Math.floor(window.innerHeight * (window.devicePixelRatio || 1)); });
EM_JS(double, JsPixelRatio, (), { return window.devicePixelRatio || 1; });

// The canvas holds the screen enlarged by the whole pre-scale (nearest neighbour); when its
// shown size is not that, the browser scales it down smoothly. Offsets stay whole CSS pixels.
EM_JS(void, JsLayout, (int backingW, int backingH, int x, int y, int w, int h, int sharp), {
    const c = document.getElementById('canvas');
    const dpr = window.devicePixelRatio || 1;
    if (c.width !== backingW) c.width = backingW;
    if (c.height !== backingH) c.height = backingH;
    c.style.left = Math.round(x / dpr) + 'px';
    c.style.top = Math.round(y / dpr) + 'px';
    c.style.width = (w / dpr) + 'px';
    c.style.height = (h / dpr) + 'px';
    c.style.imageRendering = sharp ? 'pixelated' : 'auto';
});

EM_JS(void, JsPresent, (const void* rgba, int w, int h), {
    if (!Module.kesaFrame || Module.kesaFrame.width !== w || Module.kesaFrame.height !== h) {
        Module.kesaFrame = document.createElement('canvas');
        Module.kesaFrame.width = w;
        Module.kesaFrame.height = h;
    }
    // A fresh view each time: the heap's buffer changes when memory grows.
    const image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4), w, h);
    Module.kesaFrame.getContext('2d').putImageData(image, 0, 0);
    const c = document.getElementById('canvas');
    const ctx = c.getContext('2d', {alpha: false});
    ctx.imageSmoothingEnabled = false;
    ctx.drawImage(Module.kesaFrame, 0, 0, c.width, c.height);
    Module.kesaPresents = (Module.kesaPresents || 0) + 1;
    Module.kesaLastPresent = performance.now();
    if (!Module.kesaFirstPresent) Module.kesaFirstPresent = Module.kesaLastPresent;
});

EM_JS(void, JsSetCursor, (const char* css), {
    document.getElementById('canvas').style.cursor = UTF8ToString(css);
});
EM_JS(void, JsCustomCursor, (const void* rgba, int w, int h, int scale, int hotX, int hotY), {
    const small = document.createElement('canvas');
    small.width = w;
    small.height = h;
    small.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(HEAPU8.slice(rgba, rgba + w * h * 4).buffer), w, h), 0, 0);
    const big = document.createElement('canvas');
    big.width = w * scale;
    big.height = h * scale;
    const ctx = big.getContext('2d');
    ctx.imageSmoothingEnabled = false;
    ctx.drawImage(small, 0, 0, big.width, big.height);
    document.getElementById('canvas').style.cursor =
        'url(' + big.toDataURL() + ') ' + (hotX * scale) + ' ' + (hotY * scale) + ', default';
});
EM_JS(void, JsSetTitle, (const char* title), { document.title = UTF8ToString(title); });
EM_JS(int, JsOpen, (const char* address), {
    // noopener: the page opened gets no hold on the game's page (and open answers null, so
    // whether a blocker stopped it cannot be told).
    window.open(UTF8ToString(address), '_blank', 'noopener');
    return 1;
});
// clang-format on

// DOM KeyboardEvent.code names, by USB HID usage id (their position in the list), as far as
// the raw-key table goes.
// clang-format off
const char* const kCodes[] = {
    "", "", "", "", "KeyA", "KeyB", "KeyC", "KeyD", "KeyE", "KeyF", "KeyG", "KeyH", "KeyI", "KeyJ", "KeyK",
    "KeyL", "KeyM", "KeyN", "KeyO", "KeyP", "KeyQ", "KeyR", "KeyS", "KeyT", "KeyU", "KeyV", "KeyW", "KeyX",
    "KeyY", "KeyZ", "Digit1", "Digit2", "Digit3", "Digit4", "Digit5", "Digit6", "Digit7", "Digit8", "Digit9",
    "Digit0", "Enter", "Escape", "Backspace", "Tab", "Space", "Minus", "Equal", "BracketLeft", "BracketRight",
    "Backslash", "IntlHash", "Semicolon", "Quote", "Backquote", "Comma", "Period", "Slash", "CapsLock", "F1",
    "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12", "PrintScreen", "ScrollLock", "Pause",
    "Insert", "Home", "PageUp", "Delete", "End", "PageDown", "ArrowRight", "ArrowLeft", "ArrowDown", "ArrowUp",
    "NumLock", "NumpadDivide", "NumpadMultiply", "NumpadSubtract", "NumpadAdd", "NumpadEnter", "Numpad1",
    "Numpad2", "Numpad3", "Numpad4", "Numpad5", "Numpad6", "Numpad7", "Numpad8", "Numpad9", "Numpad0",
    "NumpadDecimal", "IntlBackslash"};
const char* const kModifierCodes[] = {"ControlLeft", "ShiftLeft", "AltLeft", "MetaLeft",
                                      "ControlRight", "ShiftRight", "AltRight", "MetaRight"};
// clang-format on

int UsageOfCode(const char* code)
{
    for (int i = 0; i < static_cast<int>(std::size(kCodes)); ++i) {
        if (*kCodes[i] != '\0' && std::strcmp(code, kCodes[i]) == 0) {
            return i;
        }
    }
    for (int i = 0; i < 8; ++i) {
        if (std::strcmp(code, kModifierCodes[i]) == 0) {
            return 224 + i;
        }
    }
    return std::strcmp(code, "Help") == 0 ? 117 : -1;
}

// This libc starts with a umask of 0777, which would leave every file it creates unreadable
// and unwritable (the settings store could save once). A desktop session's is 022.
[[maybe_unused]] const mode_t kStartingMask = umask(022);

struct WebState {
    bool open = false;
    bool callbacksSet = false;
    int screenW = 0;
    int screenH = 0;
    Viewport view;
    std::string lastError;
    std::deque<internal::HostEvent> queue;
    bool wakePending = false;
    unsigned modifiersHeld = 0; // usages 224..231, one bit each
    UWORD buttonQualifiers = 0;
    int pointerX = 0;
    int pointerY = 0;
    std::vector<UBYTE> composed; // the screen intuition composes into (FrameBuffer)
    std::vector<uint32_t> frame; // RGBA, R in the lowest byte
    int frameW = 0;
    int frameH = 0;
    PointerImage pointer;
    bool customCursor = false;
};

WebState& State()
{
    static WebState state;
    return state;
}

void Push(const internal::HostEvent& event)
{
    State().queue.push_back(event);
    JsWake();
}

UWORD Qualifiers()
{
    const auto& state = State();
    return static_cast<UWORD>(state.buttonQualifiers | ModifierQualifiers(state.modifiersHeld));
}

// Page coordinates (CSS pixels) to the screen pixel under them.
void PageToScreen(long clientX, long clientY, int& x, int& y)
{
    const auto& state = State();
    const double dpr = JsPixelRatio();
    ToScreen(state.view, state.screenW, state.screenH, static_cast<int>(clientX * dpr), static_cast<int>(clientY * dpr),
             x, y);
}

void ApplyCursorScale();

void Relayout()
{
    auto& state = State();
    state.view = ComputeViewport(JsPageWidth(), JsPageHeight(), state.screenW, state.screenH);
    const int backingW = state.screenW * state.view.prescale;
    const int backingH = state.screenH * state.view.prescale;
    JsLayout(backingW, backingH, state.view.x, state.view.y, state.view.width, state.view.height,
             state.view.width == backingW);
    if (!state.frame.empty()) {
        JsPresent(state.frame.data(), state.frameW, state.frameH);
    }
    ApplyCursorScale();
}

void ApplyCursorScale()
{
    auto& state = State();
    if (state.customCursor && !state.pointer.pixels.empty()) {
        // As large as a screen pixel is shown, in CSS pixels.
        const double shown = static_cast<double>(state.view.width) / state.screenW / JsPixelRatio();
        const int scale = std::max(1, static_cast<int>(shown + 0.5));
        JsCustomCursor(state.pointer.pixels.data(), state.pointer.width, state.pointer.height, scale,
                       state.pointer.hotX, state.pointer.hotY);
    }
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* e, void*)
{
    using Kind = internal::HostEvent::Kind;
    auto& state = State();
    internal::HostEvent event;
    PageToScreen(e->clientX, e->clientY, event.x, event.y);
    state.pointerX = event.x;
    state.pointerY = event.y;
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
        event.kind = Kind::PointerMove;
    } else {
        // DOM buttons: 0 left, 1 middle, 2 right.
        static constexpr int buttons[3] = {internal::HostEvent::LeftButton, internal::HostEvent::MiddleButton,
                                           internal::HostEvent::RightButton};
        static constexpr UWORD bits[3] = {IEQUALIFIER_LEFTBUTTON, IEQUALIFIER_MIDBUTTON, IEQUALIFIER_RBUTTON};
        if (e->button > 2) {
            return EM_FALSE;
        }
        const bool down = type == EMSCRIPTEN_EVENT_MOUSEDOWN;
        state.buttonQualifiers = down ? static_cast<UWORD>(state.buttonQualifiers | bits[e->button])
                                      : static_cast<UWORD>(state.buttonQualifiers & ~bits[e->button]);
        event.kind = down ? Kind::ButtonDown : Kind::ButtonUp;
        event.button = buttons[e->button];
    }
    event.qualifier = Qualifiers();
    Push(event);
    return EM_FALSE;
}

// A tap is a left click where the finger touched; a finger that moves drags.
EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* e, void*)
{
    using Kind = internal::HostEvent::Kind;
    auto& state = State();
    for (int i = 0; i < e->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = e->touches[i];
        if (!touch.isChanged) {
            continue;
        }
        internal::HostEvent event;
        PageToScreen(touch.clientX, touch.clientY, event.x, event.y);
        state.pointerX = event.x;
        state.pointerY = event.y;
        event.kind = Kind::PointerMove;
        event.qualifier = Qualifiers();
        Push(event);
        if (type == EMSCRIPTEN_EVENT_TOUCHMOVE) {
            break;
        }
        const bool down = type == EMSCRIPTEN_EVENT_TOUCHSTART;
        state.buttonQualifiers = down ? static_cast<UWORD>(state.buttonQualifiers | IEQUALIFIER_LEFTBUTTON)
                                      : static_cast<UWORD>(state.buttonQualifiers & ~IEQUALIFIER_LEFTBUTTON);
        event.kind = down ? Kind::ButtonDown : Kind::ButtonUp;
        event.button = internal::HostEvent::LeftButton;
        event.qualifier = Qualifiers();
        Push(event);
        break;
    }
    return EM_TRUE; // no emulated mouse events after the touch: one tap, one click
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void*)
{
    auto& state = State();
    const int usage = UsageOfCode(e->code);
    const UWORD raw = usage < 0 ? 0xFF : RawKeyFromUsbUsage(usage);
    if (raw == 0xFF) {
        return EM_FALSE;
    }
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    if (usage >= 224) {
        const unsigned bit = 1u << (usage - 224);
        state.modifiersHeld = down ? (state.modifiersHeld | bit) : (state.modifiersHeld & ~bit);
    }
    internal::HostEvent event;
    event.kind = down ? internal::HostEvent::Kind::KeyDown : internal::HostEvent::Kind::KeyUp;
    event.rawKey = raw;
    event.qualifier = Qualifiers();
    if (IsKeypad(raw)) {
        event.qualifier |= IEQUALIFIER_NUMERICPAD;
    }
    if (e->repeat) {
        event.qualifier |= IEQUALIFIER_REPEAT;
    }
    event.x = state.pointerX;
    event.y = state.pointerY;
    Push(event);
    // The browser keeps reload, full screen and its tools (F5, F11, F12).
    const bool browsers = usage == 62 || usage == 68 || usage == 69;
    return browsers ? EM_FALSE : EM_TRUE;
}

EM_BOOL OnResize(int, const EmscriptenUiEvent*, void*)
{
    if (State().open) {
        Relayout();
    }
    return EM_FALSE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*)
{
    // Keys and buttons released elsewhere never reach us: forget what was held.
    State().modifiersHeld = 0;
    State().buttonQualifiers = 0;
    return EM_FALSE;
}

void SetCallbacks()
{
    auto& state = State();
    if (state.callbacksSet) {
        return;
    }
    state.callbacksSet = true;
    // The window, not the canvas: a button released past the screen's edge still arrives.
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_mousedown_callback(window, nullptr, EM_FALSE, OnMouse);
    emscripten_set_mouseup_callback(window, nullptr, EM_FALSE, OnMouse);
    emscripten_set_mousemove_callback(window, nullptr, EM_FALSE, OnMouse);
    emscripten_set_touchstart_callback("#canvas", nullptr, EM_FALSE, OnTouch);
    emscripten_set_touchmove_callback("#canvas", nullptr, EM_FALSE, OnTouch);
    emscripten_set_touchend_callback("#canvas", nullptr, EM_FALSE, OnTouch);
    emscripten_set_keydown_callback(window, nullptr, EM_FALSE, OnKey);
    emscripten_set_keyup_callback(window, nullptr, EM_FALSE, OnKey);
    emscripten_set_resize_callback(window, nullptr, EM_FALSE, OnResize);
    emscripten_set_blur_callback(window, nullptr, EM_FALSE, OnBlur);
}

} // namespace

bool OpenWindow(int width, int height, const char* title)
{
    auto& state = State();
    if (width <= 0 || height <= 0) {
        state.lastError = "invalid screen size";
        return false;
    }
    state.screenW = width;
    state.screenH = height;
    state.open = true;
    SetCallbacks();
    SetTitle(title);
    Relayout();
    return true;
}

void CloseWindow()
{
    auto& state = State();
    state.open = false;
    state.frame.clear();
}

bool IsWindowOpen()
{
    return State().open;
}

void SetTitle(const char* title)
{
    JsSetTitle(title != nullptr ? title : "");
}

const std::string& LastError()
{
    return State().lastError;
}

std::string DriverName()
{
    return State().open ? "web" : "";
}

void Present(const UBYTE* pixels, int width, int height, int pitch, const ULONG rgb[256])
{
    auto& state = State();
    if (!state.open || pixels == nullptr || rgb == nullptr || width <= 0 || height <= 0 || pitch < width) {
        return;
    }
    uint32_t lookup[256];
    for (int i = 0; i < 256; ++i) {
        lookup[i] = 0xFF000000u | ((rgb[i] & 0xFF) << 16) | (rgb[i] & 0xFF00) | ((rgb[i] >> 16) & 0xFF);
    }
    state.frame.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const UBYTE* row = pixels + static_cast<ptrdiff_t>(y) * pitch;
        uint32_t* out = state.frame.data() + static_cast<ptrdiff_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            out[x] = lookup[row[x]];
        }
    }
    state.frameW = width;
    state.frameH = height;
    JsPresent(state.frame.data(), width, height);
}

UBYTE* FrameBuffer(int width, int height)
{
    auto& composed = State().composed;
    composed.resize(static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0)));
    return composed.data();
}

void Hold(uint64_t micros)
{
    // The canvas shows only once the program yields to the browser.
    emscripten_sleep(static_cast<unsigned>(micros / 1000));
}

void SetCursor(CursorShape shape)
{
    State().customCursor = false;
    JsSetCursor(shape == CursorShape::Busy ? "wait" : "default");
}

void SetCursor(const uint32_t* rgba, int width, int height, int hotX, int hotY)
{
    auto& state = State();
    if (!state.pointer.Assign(rgba, width, height, hotX, hotY)) {
        SetCursor(CursorShape::Normal);
        return;
    }
    state.customCursor = true;
    ApplyCursorScale();
}

bool PollEvent(internal::HostEvent& event)
{
    auto& state = State();
    if (state.queue.empty()) {
        return false;
    }
    event = state.queue.front();
    state.queue.pop_front();
    return true;
}

bool WaitEvent(uint64_t timeoutMicros, internal::HostEvent& event)
{
    auto& state = State();
    const uint64_t deadline = timeoutMicros == UINT64_MAX ? UINT64_MAX : internal::NowMicros() + timeoutMicros;
    for (;;) {
        if (PollEvent(event)) {
            return true;
        }
        if (state.wakePending) {
            state.wakePending = false;
            return false;
        }
        const uint64_t now = internal::NowMicros();
        if (now >= deadline) {
            return false;
        }
        // Rounded up, so that the wait never ends just before the deadline and spins.
        JsWait(deadline == UINT64_MAX ? -1.0 : static_cast<double>((deadline - now + 999) / 1000));
    }
}

void Wake()
{
    State().wakePending = true;
    JsWake();
}

bool RunProgram(const std::vector<std::string>&)
{
    return false; // a page runs no programs
}

bool OpenAddress(const std::string& address)
{
    return JsOpen(address.c_str()) != 0;
}

} // namespace amiga::host
