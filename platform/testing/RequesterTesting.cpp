// SPDX-License-Identifier: MIT
// Requesters and alerts seen by tests: what they showed, and answers queued as host input.
// Linking this file arms intuition's requester hooks; the program never links it.
#include "platform/testing/RequesterTesting.h"

#include "platform/intuition/RequesterState.h"
#include "platform/testing/InputTesting.h"
#include "platform/testing/Testing.h"

#include <algorithm>
#include <cstring>

namespace amiga {

namespace {

struct Answers {
    int pendingButton = -1;     // the button the next requester is answered with
    UWORD pendingKey = 0;       // or the key
    int pendingAlertButton = 0; // the button the next alert is answered with
    RequesterRecord last;
    RequesterRecord lastAlert;
};

Answers& State()
{
    static Answers answers;
    return answers;
}

// The window's whole bitmap as a record.
RequesterRecord RecordOf(const Window* window)
{
    RequesterRecord record;
    record.left = window->LeftEdge;
    record.top = window->TopEdge;
    record.width = window->Width;
    record.height = window->Height;
    const BitMap* bitmap = window->RPort->BitMap;
    record.pixels.resize(static_cast<size_t>(record.width) * static_cast<size_t>(record.height));
    for (int y = 0; y < record.height && y < bitmap->Rows; ++y)
        std::memcpy(record.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(record.width),
                    bitmap->Pixels + static_cast<size_t>(y) * bitmap->BytesPerRow,
                    static_cast<size_t>(std::min<int>(record.width, bitmap->Width)));
    return record;
}

void RequesterShown(const Window* requester, const std::vector<Rectangle>& buttons, int lines, const char* title,
                    const char* text)
{
    Answers& state = State();
    state.last = RecordOf(requester);
    state.last.buttons = static_cast<int>(buttons.size());
    state.last.lines = lines;
    state.last.title = title;
    state.last.text = text;
    if (state.pendingButton >= 0) {
        const Rectangle& box = buttons[std::min(static_cast<size_t>(state.pendingButton), buttons.size() - 1)];
        QueueClick(requester->LeftEdge + box.MinX + (box.MaxX - box.MinX + 1) / 2,
                   requester->TopEdge + box.MinY + (box.MaxY - box.MinY + 1) / 2, internal::HostEvent::LeftButton);
    } else if (state.pendingKey != 0) {
        QueueKey(state.pendingKey);
    }
    state.pendingButton = -1;
    state.pendingKey = 0;
}

void AlertShown(const Window* alert, int bandHeight)
{
    Answers& state = State();
    state.lastAlert = RecordOf(alert);
    if (state.pendingAlertButton != 0) // below the band: any click answers
        QueueClick(alert->Width / 2, (bandHeight + alert->Height) / 2, state.pendingAlertButton);
    state.pendingAlertButton = 0;
}

const bool armed = [] {
    internal::gRequesterHooks = {RequesterShown, AlertShown};
    return true;
}();

} // namespace

void AnswerNextRequester(int buttonFromLeft)
{
    State().pendingButton = std::max(0, buttonFromLeft);
    State().pendingKey = 0;
}

void AnswerNextRequesterWithKey(UWORD rawKey)
{
    State().pendingKey = rawKey;
    State().pendingButton = -1;
}

void AnswerNextAlert(int button)
{
    State().pendingAlertButton = button;
}

void ClearRequesterAnswers()
{
    State() = Answers{};
}

RequesterRecord LastRequester()
{
    return State().last;
}

RequesterRecord LastAlert()
{
    return State().lastAlert;
}

} // namespace amiga
