// SPDX-License-Identifier: MIT
// intuition's state, input messages, pointers and the display beep.
#include "platform/intuition/State.h"
#include "platform/keymap/Keymap.h"
#include "platform/timer/Timer.h"
#include "platform/host/Host.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace amiga {

namespace internal {

IntuitionState::IntuitionState()
{
    replyPort.mp_Node.ln_Type = NT_MSGPORT;
    // Replies only need to be found again when a message is reused: nobody waits on this port.
    replyPort.mp_Flags = PA_IGNORE;
    NewList(&replyPort.mp_MsgList);
    replyPort.mp_MsgList.lh_Type = NT_MESSAGE;
}

IntuitionState::~IntuitionState() = default;

std::unique_ptr<IntuitionState>& IntuitionHolder()
{
    static std::unique_ptr<IntuitionState> state;
    return state;
}

IntuitionState& Intuition()
{
    auto& holder = IntuitionHolder();
    if (!holder) {
        holder = std::make_unique<IntuitionState>();
    }
    return *holder;
}

std::nullptr_t Fail(std::string reason)
{
    Intuition().lastError = std::move(reason);
    return nullptr;
}

ScreenRecord* FrontScreenRecord()
{
    auto& screens = Intuition().screens;
    return screens.empty() ? nullptr : screens.back().get();
}

bool IsOpenWindow(const Window* window)
{
    if (window == nullptr) {
        return false;
    }
    for (const auto& record : Intuition().windows) {
        if (record.get() == window) {
            return true;
        }
    }
    return false;
}

bool IsOpenScreen(const Screen* screen)
{
    if (screen == nullptr) {
        return false;
    }
    for (const auto& record : Intuition().screens) {
        if (record.get() == screen) {
            return true;
        }
    }
    return false;
}

void CollectReplies()
{
    auto& state = Intuition();
    while (Message* message = GetMsg(&state.replyPort)) {
        auto* record = static_cast<MessageRecord*>(reinterpret_cast<IntuiMessage*>(message));
        if (record->owner != nullptr && record->Class == IDCMP_MOUSEMOVE) {
            --record->owner->pendingMouseMoves;
        }
        record->inUse = false;
        record->owner = nullptr;
    }
}

namespace {

MessageRecord* NewMessage()
{
    auto& state = Intuition();
    CollectReplies();
    for (auto& record : state.messages) {
        if (!record->inUse) {
            return record.get();
        }
    }
    state.messages.push_back(std::make_unique<MessageRecord>());
    return state.messages.back().get();
}

} // namespace

bool SendIntuiMessage(WindowRecord* window, ULONG idcmpClass, UWORD code, APTR address)
{
    if (window == nullptr || window->UserPort == nullptr || (window->IDCMPFlags & idcmpClass) == 0) {
        return false;
    }
    if (idcmpClass == IDCMP_MOUSEMOVE) {
        CollectReplies();
        // The mouse queue: moves the program has not replied yet are not piled up further.
        if (window->pendingMouseMoves >= window->mouseQueue) {
            return false;
        }
        ++window->pendingMouseMoves;
    }
    auto& state = Intuition();
    MessageRecord* message = NewMessage();
    message->inUse = true;
    message->owner = window;
    message->ExecMessage.mn_Node.ln_Type = NT_MESSAGE;
    message->ExecMessage.mn_ReplyPort = &state.replyPort;
    message->ExecMessage.mn_Length = sizeof(IntuiMessage);
    message->Class = idcmpClass;
    message->Code = code;
    message->Qualifier = state.qualifier;
    message->IAddress = address;
    if (idcmpClass == IDCMP_RAWKEY) {
        InputEventDead previous{state.previousKeys[0], state.previousKeys[1], state.previousKeys[2],
                                state.previousKeys[3]};
        message->previousKeys = PackPreviousKeys(previous);
        message->IAddress = &message->previousKeys;
    }
    const int screenY = state.pointerY - window->WScreen->TopEdge;
    const int screenX = state.pointerX - window->WScreen->LeftEdge;
    message->MouseX = static_cast<WORD>(screenX - window->LeftEdge);
    message->MouseY = static_cast<WORD>(screenY - window->TopEdge);
    timeval now;
    GetSysTime(&now);
    message->Seconds = now.tv_secs;
    message->Micros = now.tv_micro;
    message->IDCMPWindow = window;
    message->SpecialLink = nullptr;
    PutMsg(window->UserPort, &message->ExecMessage);
    return true;
}

void UpdatePointer()
{
    auto& state = Intuition();
    const WindowRecord* owner = state.active;
    PointerShape wanted = PointerShape::Normal;
    if (owner != nullptr && owner->busyPointer) {
        wanted = PointerShape::Busy;
    } else if (owner != nullptr && !owner->pointerRGBA.empty()) {
        wanted = PointerShape::Custom;
    } else {
        owner = nullptr;
    }
    if (wanted == state.shownPointer && owner == state.shownPointerOwner &&
        state.shownPointerGeneration == state.pointerGeneration) {
        return;
    }
    state.shownPointer = wanted;
    state.shownPointerOwner = owner;
    state.shownPointerGeneration = state.pointerGeneration;
    switch (wanted) {
    case PointerShape::Normal:
        host::SetCursor(host::CursorShape::Normal);
        break;
    case PointerShape::Busy:
        host::SetCursor(host::CursorShape::Busy);
        break;
    case PointerShape::Custom:
        host::SetCursor(owner->pointerRGBA.data(), owner->pointerWidth, owner->pointerHeight, owner->pointerHotX,
                        owner->pointerHotY);
        break;
    }
}

// exec keeps weak stand-ins for these two seams. They are defined here, in the object every
// use of intuition links, so that the real ones always replace the stand-ins.
void PresentIfDirty()
{
    PresentFrontScreenIfChanged();
}

void HandleHostEvent(const HostEvent& event)
{
    RouteHostEvent(event);
}

} // namespace internal

using namespace internal;

void SetPointer(Window* window, UWORD* pointer, LONG height, LONG width, LONG xOffset, LONG yOffset)
{
    if (!IsOpenWindow(window)) {
        return;
    }
    WindowRecord* record = Record(window);
    const int w = std::clamp<int>(width, 0, 16);
    const int h = std::max<int>(height, 0);
    record->Pointer = pointer;
    record->PtrWidth = static_cast<BYTE>(w);
    record->PtrHeight = static_cast<BYTE>(std::min(h, 127));
    record->XOffset = static_cast<BYTE>(std::clamp<LONG>(xOffset, -128, 127));
    record->YOffset = static_cast<BYTE>(std::clamp<LONG>(yOffset, -128, 127));
    record->pointerRGBA.clear();
    if (pointer != nullptr && w > 0 && h > 0) {
        // Sprite colours 1..3 are pens 17..19 of the screen.
        const ColorMap* colors = record->screen->colorMap;
        uint32_t rgba[4] = {0, 0, 0, 0};
        for (int c = 1; c < 4; ++c) {
            const ULONG rgb = colors->ColorTable[16 + c];
            rgba[c] = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16) | 0xFF000000u;
        }
        record->pointerRGBA.assign(static_cast<size_t>(w * h), 0);
        for (int y = 0; y < h; ++y) {
            const UWORD plane0 = pointer[2 + 2 * y];
            const UWORD plane1 = pointer[3 + 2 * y];
            for (int x = 0; x < w; ++x) {
                const int bit = 15 - x;
                const int color = ((plane0 >> bit) & 1) | (((plane1 >> bit) & 1) << 1);
                record->pointerRGBA[static_cast<size_t>(y * w + x)] = rgba[color];
            }
        }
        record->pointerWidth = w;
        record->pointerHeight = h;
        // The offsets say where the image lies relative to the hot spot (both usually <= 0).
        record->pointerHotX = std::clamp<int>(-xOffset, 0, w - 1);
        record->pointerHotY = std::clamp<int>(-yOffset, 0, h - 1);
    }
    record->busyPointer = false;
    ++Intuition().pointerGeneration;
    UpdatePointer();
}

void ClearPointer(Window* window)
{
    if (!IsOpenWindow(window)) {
        return;
    }
    WindowRecord* record = Record(window);
    record->Pointer = nullptr;
    record->PtrWidth = record->PtrHeight = 0;
    record->pointerRGBA.clear();
    record->busyPointer = false;
    ++Intuition().pointerGeneration;
    UpdatePointer();
}

void SetWindowPointerA(Window* window, const TagItem* tags)
{
    if (!IsOpenWindow(window)) {
        return;
    }
    WindowRecord* record = Record(window);
    if (GetTagData(WA_BusyPointer, FALSE, tags) != 0) {
        record->busyPointer = true;
        ++Intuition().pointerGeneration;
        UpdatePointer();
        return;
    }
    const auto* data = reinterpret_cast<UWORD*>(GetTagData(WA_Pointer, 0, tags));
    if (data == nullptr) {
        ClearPointer(window);
        return;
    }
    // FIXME: WA_Pointer takes a pointer object on the platform; raw sprite data stands in.
    SetPointer(window, const_cast<UWORD*>(data), 16, 16, 0, 0);
}

void DisplayBeep(Screen* screen)
{
    auto& state = Intuition();
    ++state.beeps;
    ScreenRecord* front = FrontScreenRecord();
    if (front == nullptr || (screen != nullptr && screen != front)) {
        return; // a screen that is not shown has nothing to flash
    }
    FlashScreen(front);
}

void CurrentTime(ULONG* seconds, ULONG* micros)
{
    timeval now;
    GetSysTime(&now);
    if (seconds != nullptr) {
        *seconds = now.tv_secs;
    }
    if (micros != nullptr) {
        *micros = now.tv_micro;
    }
}

const char* IntuitionLastError()
{
    return Intuition().lastError.c_str();
}

} // namespace amiga
