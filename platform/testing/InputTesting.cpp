// SPDX-License-Identifier: MIT
// Test helpers: input through the host's queue and intuition's routing, received messages,
// composed screens, and intuition's reset.
#include "platform/testing/InputTesting.h"

#include "platform/common/Png.h"
#include "platform/gadtools/GadTools.h"
#include "platform/host/Host.h"
#include "platform/intuition/MenuState.h"
#include "platform/testing/RequesterTesting.h"
#include "platform/testing/Testing.h"

#include <algorithm>
#include <cstdlib>

namespace amiga {

namespace {

using internal::HostEvent;

void Queue(HostEvent::Kind kind, int x, int y, int button, UWORD rawKey, UWORD qualifier)
{
    HostEvent event;
    event.kind = kind;
    event.x = x;
    event.y = y;
    event.button = button;
    event.rawKey = rawKey;
    event.qualifier = qualifier;
    InjectHostEvent(event);
}

// Keys carry the keyboard's qualifiers; pointer events carry none of their own.
UWORD KeyQualifiers()
{
    return static_cast<UWORD>(internal::Intuition().qualifier &
                              ~(IEQUALIFIER_LEFTBUTTON | IEQUALIFIER_RBUTTON | IEQUALIFIER_MIDBUTTON));
}

} // namespace

void InjectPointerMove(int x, int y)
{
    Queue(HostEvent::Kind::PointerMove, x, y, 0, 0, KeyQualifiers());
    PumpInput();
}

void InjectButtonDown(int x, int y, int button)
{
    Queue(HostEvent::Kind::ButtonDown, x, y, button, 0, KeyQualifiers());
    PumpInput();
}

void InjectButtonUp(int x, int y, int button)
{
    Queue(HostEvent::Kind::ButtonUp, x, y, button, 0, KeyQualifiers());
    PumpInput();
}

void QueueClick(int x, int y, int button, UWORD qualifier)
{
    Queue(HostEvent::Kind::PointerMove, x, y, 0, 0, qualifier);
    Queue(HostEvent::Kind::ButtonDown, x, y, button, 0, qualifier);
    Queue(HostEvent::Kind::ButtonUp, x, y, button, 0, qualifier);
}

void InjectClick(int x, int y, int button)
{
    QueueClick(x, y, button, KeyQualifiers());
    PumpInput();
}

void InjectDrag(int fromX, int fromY, int toX, int toY)
{
    Queue(HostEvent::Kind::PointerMove, fromX, fromY, 0, 0, KeyQualifiers());
    Queue(HostEvent::Kind::ButtonDown, fromX, fromY, HostEvent::LeftButton, 0, KeyQualifiers());
    const int steps = std::max(1, std::max(std::abs(toX - fromX), std::abs(toY - fromY)) / 8);
    for (int i = 1; i <= steps; ++i) {
        Queue(HostEvent::Kind::PointerMove, fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps, 0, 0,
              KeyQualifiers());
    }
    Queue(HostEvent::Kind::ButtonUp, toX, toY, HostEvent::LeftButton, 0, KeyQualifiers());
    PumpInput();
}

void InjectKeyDown(UWORD rawKey, UWORD qualifier)
{
    Queue(HostEvent::Kind::KeyDown, 0, 0, 0, rawKey, qualifier);
    PumpInput();
}

void InjectKeyUp(UWORD rawKey, UWORD qualifier)
{
    Queue(HostEvent::Kind::KeyUp, 0, 0, 0, rawKey, qualifier);
    PumpInput();
}

void QueueKey(UWORD rawKey, UWORD qualifier)
{
    Queue(HostEvent::Kind::KeyDown, 0, 0, 0, rawKey, qualifier);
    Queue(HostEvent::Kind::KeyUp, 0, 0, 0, rawKey, qualifier);
}

void InjectKey(UWORD rawKey, UWORD qualifier)
{
    QueueKey(rawKey, qualifier);
    PumpInput();
}

void InjectCloseRequest()
{
    Queue(HostEvent::Kind::CloseRequest, 0, 0, 0, 0, 0);
    PumpInput();
}

std::vector<ReceivedMessage> DrainMessages(Window* window)
{
    std::vector<ReceivedMessage> received;
    if (!internal::IsOpenWindow(window) || window->UserPort == nullptr) {
        return received;
    }
    while (IntuiMessage* message = GT_GetIMsg(window->UserPort)) {
        ReceivedMessage copy;
        copy.Class = message->Class;
        copy.Code = message->Code;
        copy.Qualifier = message->Qualifier;
        copy.IAddress = message->IAddress;
        copy.MouseX = message->MouseX;
        copy.MouseY = message->MouseY;
        copy.Seconds = message->Seconds;
        copy.Micros = message->Micros;
        copy.IDCMPWindow = message->IDCMPWindow;
        if (message->Class == IDCMP_RAWKEY && message->IAddress != nullptr) {
            copy.PreviousKeys = *static_cast<APTR*>(message->IAddress);
        }
        GT_ReplyIMsg(message);
        received.push_back(copy);
    }
    return received;
}

void ResetIntuition()
{
    // An open strip points into a window: drop it before the windows go.
    internal::ResetMenus();
    ClearRequesterAnswers();
    auto& state = internal::Intuition();
    state.menuOpen = false;
    state.pressed = {};
    state.drag = {};
    // Windows first (newest first), then screens: the platform closes them in that order.
    while (!state.windows.empty()) {
        CloseWindow(state.windows.back().get());
    }
    while (!state.screens.empty()) {
        Screen* screen = state.screens.back().get();
        internal::Record(screen)->locks = 0;
        CloseScreen(screen);
    }
    for (auto& entry : state.gadtools) {
        delete const_cast<Gadget*>(entry.first);
    }
    internal::IntuitionHolder().reset();
    host::SetCursor(host::CursorShape::Normal);
}

ComposedScreen ComposeScreen(Screen* screen)
{
    ComposedScreen result;
    internal::ScreenRecord* record = internal::FrontScreenRecord();
    if (screen != nullptr) {
        record = internal::IsOpenScreen(screen) ? internal::Record(screen) : nullptr;
    }
    if (record == nullptr) {
        return result;
    }
    internal::ComposeScreenInto(record, result.pixels);
    internal::ShiftForDisplay(record, result.pixels.data());
    result.width = record->Width;
    result.height = record->Height;
    std::copy(std::begin(record->colorMap->ColorTable), std::end(record->colorMap->ColorTable), result.palette);
    return result;
}

bool SaveScreenPNG(Screen* screen, const char* path, std::string* error)
{
    const ComposedScreen composed = ComposeScreen(screen);
    if (composed.pixels.empty()) {
        if (error != nullptr) {
            *error = "no screen to save";
        }
        return false;
    }
    return SavePNG(composed.pixels.data(), composed.width, composed.height, composed.width, composed.palette, path,
                   error);
}

Screen* FrontScreen()
{
    return internal::FrontScreenRecord();
}

Window* ActiveWindow()
{
    return internal::Intuition().active;
}

ULONG DisplayBeepCount()
{
    return internal::Intuition().beeps;
}

ULONG PresentCount()
{
    return internal::Intuition().presents;
}

PointerShape ShownPointer()
{
    return internal::Intuition().shownPointer;
}

} // namespace amiga
