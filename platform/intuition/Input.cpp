// SPDX-License-Identifier: MIT
// intuition's input routing: host events become activation, window drags, system and
// program gadgets, menus and IDCMP messages, as the platform routes them.
#include "platform/intuition/State.h"
#include "platform/intuition/MenuState.h"
#include "platform/dos/Dos.h"
#include "platform/exec/Exec.h"

#include <algorithm>

namespace amiga {

namespace internal {

namespace {

constexpr UWORD kButtonQualifiers = IEQUALIFIER_LEFTBUTTON | IEQUALIFIER_RBUTTON | IEQUALIFIER_MIDBUTTON;

// Where a point of the front screen lands.
struct Hit {
    WindowRecord* window = nullptr;
    bool titleBar = false; // the screen's title bar
};

Hit HitTest(ScreenRecord* screen, int x, int y)
{
    Hit hit;
    const auto inside = [x, y](const WindowRecord* w) {
        return x >= w->LeftEdge && y >= w->TopEdge && x < w->LeftEdge + w->Width && y < w->TopEdge + w->Height;
    };
    for (auto it = screen->windows.rbegin(); it != screen->windows.rend(); ++it) {
        if ((*it)->Flags & WFLG_BACKDROP) {
            break;
        }
        if (inside(*it)) {
            hit.window = *it;
            return hit;
        }
    }
    if ((screen->Flags & (SHOWTITLE | SCREENQUIET)) == SHOWTITLE && y >= 0 && y <= screen->BarHeight && x >= 0 &&
        x < screen->Width) {
        hit.titleBar = true;
        return hit;
    }
    for (auto it = screen->windows.rbegin(); it != screen->windows.rend(); ++it) {
        if (((*it)->Flags & WFLG_BACKDROP) && inside(*it)) {
            hit.window = *it;
            return hit;
        }
    }
    return hit;
}

// The pointer relative to the front screen.
int ScreenX(const ScreenRecord* screen)
{
    return Intuition().pointerX - screen->LeftEdge;
}
int ScreenY(const ScreenRecord* screen)
{
    return Intuition().pointerY - screen->TopEdge;
}

void TrackPointer(int x, int y)
{
    auto& state = Intuition();
    state.pointerX = x;
    state.pointerY = y;
    for (auto& screen : state.screens) {
        screen->MouseX = static_cast<WORD>(ScreenX(screen.get()));
        screen->MouseY = static_cast<WORD>(ScreenY(screen.get()));
    }
    for (auto& window : state.windows) {
        window->MouseX = static_cast<WORD>(window->screen->MouseX - window->LeftEdge);
        window->MouseY = static_cast<WORD>(window->screen->MouseY - window->TopEdge);
        window->GZZMouseX = static_cast<WORD>(window->MouseX - window->BorderLeft);
        window->GZZMouseY = static_cast<WORD>(window->MouseY - window->BorderTop);
    }
}

bool OverPressed(const PressedGadget& pressed, ScreenRecord* screen)
{
    const int sx = ScreenX(screen);
    const int sy = ScreenY(screen);
    if (pressed.systemType == GTYP_SDEPTH) {
        return ScreenDepthGadgetAt(screen, sx, sy);
    }
    WindowRecord* window = pressed.window;
    if (HitTest(window->screen, sx, sy).window != window) {
        return false;
    }
    const int wx = sx - window->LeftEdge;
    const int wy = sy - window->TopEdge;
    if (pressed.gadget != nullptr) {
        const Rectangle box = GadgetBox(window, pressed.gadget);
        return wx >= box.MinX && wx <= box.MaxX && wy >= box.MinY && wy <= box.MaxY;
    }
    return SystemGadgetAt(window, wx, wy) == pressed.systemType;
}

void ShowPressed(PressedGadget& pressed, bool over)
{
    if (pressed.over == over || pressed.window == nullptr) {
        pressed.over = over;
        return;
    }
    pressed.over = over;
    if (pressed.gadget != nullptr) {
        if (over) {
            pressed.gadget->Flags |= GFLG_SELECTED;
        } else {
            pressed.gadget->Flags &= static_cast<UWORD>(~GFLG_SELECTED);
        }
        RenderGadget(pressed.window, pressed.gadget);
    } else {
        DrawSystemGadget(pressed.window, pressed.systemType, over);
    }
    Touch();
}

Rectangle DraggedBox(const WindowDrag& drag, ScreenRecord* screen)
{
    const WindowRecord* window = drag.window;
    const int dx = ScreenX(screen) - drag.startX;
    const int dy = ScreenY(screen) - drag.startY;
    int left = window->LeftEdge;
    int top = window->TopEdge;
    int width = window->Width;
    int height = window->Height;
    if (drag.sizing) {
        // The program may have placed the window where its minimum no longer fits.
        const int minWidth = window->MinWidth;
        const int minHeight = window->MinHeight;
        width =
            std::clamp(width + dx, minWidth, std::max(minWidth, std::min<int>(window->MaxWidth, screen->Width - left)));
        height = std::clamp(height + dy, minHeight,
                            std::max(minHeight, std::min<int>(window->MaxHeight, screen->Height - top)));
    } else {
        left = std::clamp(left + dx, 0, screen->Width - width);
        top = std::clamp(top + dy, 0, screen->Height - height);
    }
    return {static_cast<WORD>(left), static_cast<WORD>(top), static_cast<WORD>(left + width - 1),
            static_cast<WORD>(top + height - 1)};
}

void PointerMoved(const HostEvent& event)
{
    auto& state = Intuition();
    TrackPointer(event.x, event.y);
    ScreenRecord* screen = FrontScreenRecord();
    if (screen == nullptr) {
        return;
    }
    if (MenuIsOpen()) {
        MenuTrack(ScreenX(screen), ScreenY(screen));
        Touch();
        return;
    }
    if (state.drag.window != nullptr) {
        state.drag.outline = DraggedBox(state.drag, screen);
        Touch();
        return;
    }
    if (state.pressed.window != nullptr || state.pressed.systemType == GTYP_SDEPTH) {
        ShowPressed(state.pressed, OverPressed(state.pressed, screen));
        if (state.pressed.gadget != nullptr && (state.pressed.gadget->Activation & GACT_FOLLOWMOUSE) != 0) {
            SendIntuiMessage(state.pressed.window, IDCMP_MOUSEMOVE, IECODE_NOBUTTON, state.pressed.gadget);
        }
        return;
    }
    WindowRecord* active = state.active;
    if (active != nullptr && active->screen == screen && (active->Flags & WFLG_REPORTMOUSE) != 0) {
        SendIntuiMessage(active, IDCMP_MOUSEMOVE, IECODE_NOBUTTON, nullptr);
    }
}

void LeftDown(ScreenRecord* screen)
{
    auto& state = Intuition();
    const int sx = ScreenX(screen);
    const int sy = ScreenY(screen);
    if (MenuIsOpen()) {
        MenuAddPick(sx, sy);
        Touch();
        return;
    }
    const Hit hit = HitTest(screen, sx, sy);
    if (hit.titleBar) {
        if (ScreenDepthGadgetAt(screen, sx, sy)) {
            state.pressed = {nullptr, nullptr, GTYP_SDEPTH, true};
        }
        return;
    }
    WindowRecord* window = hit.window;
    if (window == nullptr) {
        SetActiveWindow(nullptr); // a click on the bare screen leaves no window active
        return;
    }
    SetActiveWindow(window);
    const int wx = sx - window->LeftEdge;
    const int wy = sy - window->TopEdge;
    switch (const UWORD system = SystemGadgetAt(window, wx, wy)) {
    case GTYP_CLOSE:
    case GTYP_WDEPTH:
    case GTYP_WZOOM:
        state.pressed = {window, nullptr, system, false};
        ShowPressed(state.pressed, true);
        return;
    case GTYP_SIZING:
    case GTYP_WDRAGGING:
        state.drag = {window, system == GTYP_SIZING, sx, sy, {}};
        state.drag.outline = DraggedBox(state.drag, screen);
        Touch();
        return;
    default:
        break;
    }
    if (Gadget* gadget = GadgetAt(window, wx, wy)) {
        state.pressed = {window, gadget, 0, false};
        ShowPressed(state.pressed, true);
        if ((gadget->Activation & GACT_IMMEDIATE) != 0) {
            SendIntuiMessage(window, IDCMP_GADGETDOWN, 0, gadget);
        }
        return;
    }
    SendIntuiMessage(window, IDCMP_MOUSEBUTTONS, SELECTDOWN, nullptr);
}

void LeftUp(ScreenRecord* screen)
{
    auto& state = Intuition();
    if (state.drag.window != nullptr) {
        const WindowDrag drag = state.drag;
        state.drag = {};
        const Rectangle box = DraggedBox(drag, screen);
        ChangeWindowBox(drag.window, box.MinX, box.MinY, box.MaxX - box.MinX + 1, box.MaxY - box.MinY + 1);
        Touch();
        return;
    }
    if (state.pressed.window != nullptr || state.pressed.systemType == GTYP_SDEPTH) {
        PressedGadget pressed = state.pressed;
        state.pressed = {};
        const bool over = OverPressed(pressed, screen);
        ShowPressed(pressed, false);
        if (!over) {
            return;
        }
        WindowRecord* window = pressed.window;
        if (pressed.gadget != nullptr) {
            GadToolsGadgetReleased(window, pressed.gadget);
            if ((pressed.gadget->Activation & GACT_RELVERIFY) != 0) {
                SendIntuiMessage(window, IDCMP_GADGETUP, 0, pressed.gadget);
            }
            return;
        }
        switch (pressed.systemType) {
        case GTYP_CLOSE:
            SendIntuiMessage(window, IDCMP_CLOSEWINDOW, 0, nullptr);
            break;
        case GTYP_WDEPTH: {
            auto& order = window->screen->windows;
            if (!order.empty() && order.back() == window) {
                WindowToBack(window);
            } else {
                WindowToFront(window);
            }
            break;
        }
        case GTYP_WZOOM:
            ZipWindow(window);
            break;
        case GTYP_SDEPTH:
            ScreenToBack(screen);
            break;
        default:
            break;
        }
        return;
    }
    if (MenuIsOpen()) {
        return;
    }
    if (state.active != nullptr) {
        SendIntuiMessage(state.active, IDCMP_MOUSEBUTTONS, SELECTUP, nullptr);
    }
}

void RightDown(ScreenRecord* screen)
{
    WindowRecord* active = Intuition().active;
    if (active == nullptr || active->screen != screen) {
        return;
    }
    if ((active->Flags & WFLG_RMBTRAP) != 0) {
        SendIntuiMessage(active, IDCMP_MOUSEBUTTONS, MENUDOWN, nullptr);
        return;
    }
    if (active->MenuStrip != nullptr && MenuBegin(active, ScreenX(screen), ScreenY(screen))) {
        active->Flags |= WFLG_MENUSTATE;
        Touch();
    }
}

void RightUp(ScreenRecord* screen)
{
    WindowRecord* active = Intuition().active;
    if (MenuIsOpen()) {
        // The pick belongs to the strip's window, even when the program activated another
        // one meanwhile (closing it closes the strip).
        WindowRecord* owner = Record(Menus().open.window);
        const UWORD code = MenuEnd(ScreenX(screen), ScreenY(screen));
        Touch();
        SendIntuiMessage(owner, IDCMP_MENUPICK, code, nullptr);
        return;
    }
    if (active != nullptr && active->screen == screen && (active->Flags & WFLG_RMBTRAP) != 0) {
        SendIntuiMessage(active, IDCMP_MOUSEBUTTONS, MENUUP, nullptr);
    }
}

// The letter or digit on a key, for command keys; 0 for other keys.
char CommandCharacter(UWORD rawKey)
{
    static constexpr char kTop[] = "QWERTYUIOP";
    static constexpr char kMiddle[] = "ASDFGHJKL";
    static constexpr char kBottom[] = "ZXCVBNM";
    static constexpr char kDigits[] = "1234567890";
    if (rawKey >= RAWKEY_1 && rawKey <= RAWKEY_0) {
        return kDigits[rawKey - RAWKEY_1];
    }
    if (rawKey >= RAWKEY_Q && rawKey < RAWKEY_Q + 10) {
        return kTop[rawKey - RAWKEY_Q];
    }
    if (rawKey >= RAWKEY_A && rawKey < RAWKEY_A + 9) {
        return kMiddle[rawKey - RAWKEY_A];
    }
    if (rawKey >= RAWKEY_Z && rawKey < RAWKEY_Z + 7) {
        return kBottom[rawKey - RAWKEY_Z];
    }
    return 0;
}

void Key(const HostEvent& event, bool down)
{
    auto& state = Intuition();
    WindowRecord* active = state.active;
    const UWORD code = static_cast<UWORD>(event.rawKey | (down ? 0 : IECODE_UP_PREFIX));
    if (down && (event.qualifier & (IEQUALIFIER_LCOMMAND | IEQUALIFIER_RCOMMAND)) != 0 && active != nullptr &&
        active->MenuStrip != nullptr) {
        if (const char letter = CommandCharacter(event.rawKey)) {
            const UWORD number = MenuCommandKey(active, letter);
            if (number != MENUNULL) {
                SendIntuiMessage(active, IDCMP_MENUPICK, number, nullptr);
                return;
            }
        }
    }
    if (active != nullptr) {
        SendIntuiMessage(active, IDCMP_RAWKEY, code, nullptr);
    }
    // The previous keys a later raw key carries (for dead keys): presses only, not the
    // qualifier keys themselves.
    if (down && event.rawKey < RAWKEY_LSHIFT) {
        state.previousKeys[2] = state.previousKeys[0];
        state.previousKeys[3] = state.previousKeys[1];
        state.previousKeys[0] = static_cast<UBYTE>(event.rawKey);
        state.previousKeys[1] = static_cast<UBYTE>(event.qualifier & 0xFF);
    }
}

void CloseRequested()
{
    ScreenRecord* screen = FrontScreenRecord();
    if (screen == nullptr) {
        return;
    }
    WindowRecord* main = nullptr;
    for (WindowRecord* window : screen->windows) {
        if (main == nullptr || window->openSerial < main->openSerial) {
            main = window;
        }
    }
    SendIntuiMessage(main, IDCMP_CLOSEWINDOW, 0, nullptr);
}

} // namespace

void RouteHostEvent(const HostEvent& event)
{
    auto& state = Intuition();
    using Kind = HostEvent::Kind;
    // Keys travel with the qualifiers the host saw; the buttons are intuition's own to keep.
    state.qualifier =
        static_cast<UWORD>((event.qualifier & ~kButtonQualifiers) | (state.qualifier & kButtonQualifiers));
    if (event.kind == Kind::PointerMove || event.kind == Kind::ButtonDown || event.kind == Kind::ButtonUp) {
        TrackPointer(event.x, event.y);
    }
    ScreenRecord* screen = FrontScreenRecord();
    switch (event.kind) {
    case Kind::PointerMove:
        PointerMoved(event);
        break;
    case Kind::ButtonDown:
    case Kind::ButtonUp: {
        const bool down = event.kind == Kind::ButtonDown;
        UWORD bit = IEQUALIFIER_LEFTBUTTON;
        if (event.button == HostEvent::RightButton) {
            bit = IEQUALIFIER_RBUTTON;
        } else if (event.button == HostEvent::MiddleButton) {
            bit = IEQUALIFIER_MIDBUTTON;
        }
        state.qualifier = static_cast<UWORD>(down ? (state.qualifier | bit) : (state.qualifier & ~bit));
        if (screen == nullptr) {
            break;
        }
        if (event.button == HostEvent::LeftButton) {
            down ? LeftDown(screen) : LeftUp(screen);
        } else if (event.button == HostEvent::RightButton) {
            down ? RightDown(screen) : RightUp(screen);
        } else if (event.button == HostEvent::MiddleButton && state.active != nullptr) {
            SendIntuiMessage(state.active, IDCMP_MOUSEBUTTONS, down ? MIDDLEDOWN : MIDDLEUP, nullptr);
        }
        break;
    }
    case Kind::KeyDown:
    case Kind::KeyUp:
        Key(event, event.kind == Kind::KeyDown);
        break;
    case Kind::CloseRequest:
        CloseRequested();
        break;
    case Kind::Break:
        Signal(FindTask(nullptr), SIGBREAKF_CTRL_C);
        break;
    case Kind::Wake:
        break;
    }
}

} // namespace internal

} // namespace amiga
