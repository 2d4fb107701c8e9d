// SPDX-License-Identifier: MIT
// The whole program from start to exit with scripted input, for a leak checker to watch:
// Program::Main runs as main() would run it, while a second thread plays the user at the host
// boundary. It opens the about window and closes it, opens the menu and lets it go, then
// quits through the menu shortcut and answers the exit question.
#include "game/Program.h"
#include "platform/common/Internal.h"
#include "platform/common/InputEvent.h"
#include "platform/testing/RequesterTesting.h"
#include "platform/testing/Testing.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

using amiga::internal::HostEvent;

std::atomic<bool> finished{false};

// Each pause is long enough for the step before it to be handled; KESA_LEAK_STEP_MS stretches
// it for slow runs (under valgrind everything is tens of times slower).
std::chrono::milliseconds Step()
{
    const char* text = std::getenv("KESA_LEAK_STEP_MS");
    return std::chrono::milliseconds(text != nullptr ? std::atoi(text) : 300);
}

void Send(HostEvent::Kind kind, int x, int y, int button = 0, amiga::UWORD key = 0, amiga::UWORD qualifier = 0)
{
    HostEvent event;
    event.kind = kind;
    event.x = x;
    event.y = y;
    event.button = button;
    event.rawKey = key;
    event.qualifier = qualifier;
    amiga::InjectHostEvent(event);
}

void Click(int x, int y, int button)
{
    Send(HostEvent::Kind::PointerMove, x, y);
    Send(HostEvent::Kind::ButtonDown, x, y, button);
    Send(HostEvent::Kind::ButtonUp, x, y, button);
}

void Key(amiga::UWORD key, amiga::UWORD qualifier = 0)
{
    Send(HostEvent::Kind::KeyDown, 0, 0, 0, key, qualifier);
    Send(HostEvent::Kind::KeyUp, 0, 0, 0, key, qualifier);
}

void User()
{
    // The first start saves a new game while the window opens: once the last value is there,
    // the window is up.
    const std::filesystem::path ready = "Settings/KesaPegline.exe/dati/col4";
    while (!finished && !std::filesystem::exists(ready))
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto step = Step();
    std::this_thread::sleep_for(step);

    Click(464 + 50, 40 + 12, HostEvent::LeftButton); // the window's info button
    std::this_thread::sleep_for(2 * step);
    Key(amiga::RAWKEY_ESCAPE); // closes the about window
    std::this_thread::sleep_for(step);

    // The menu: the right button held over the screen's title bar, moved over the first
    // menu's items and let go below them, where it picks nothing.
    Send(HostEvent::Kind::PointerMove, 20, 5);
    Send(HostEvent::Kind::ButtonDown, 20, 5, HostEvent::RightButton);
    for (int y = 5; y <= 40; y += 5)
        Send(HostEvent::Kind::PointerMove, 20, y);
    Send(HostEvent::Kind::PointerMove, 400, 500);
    Send(HostEvent::Kind::ButtonUp, 400, 500, HostEvent::RightButton);
    std::this_thread::sleep_for(step);

    // File -> Exit by its shortcut (the host's Alt is the platform's Amiga key); the exit
    // question is answered yes when it opens. Should a step have gone astray, the host
    // window's close button asks the same question again, until the program has ended.
    Key(0x12, amiga::IEQUALIFIER_LCOMMAND); // "e"
    for (int tries = 0; tries < 60 && !finished; ++tries) {
        std::this_thread::sleep_for(4 * step);
        if (!finished) {
            std::fprintf(stderr, "leak run: the program is still running, closing its window\n");
            Send(HostEvent::Kind::CloseRequest, 0, 0);
        }
    }
}

} // namespace

int main()
{
    // The exit question is the only requester of the run: yes is its leftmost button.
    amiga::AnswerNextRequester(0);
    // ? -> Home or Guida would start a browser: never from here.
    amiga::SetExecuteRunner([](const std::string&) { return amiga::LONG{0}; });
    std::thread user(User);
    const int result = Program::Main();
    finished = true;
    user.join();
    amiga::SetExecuteRunner({});
    std::printf("leak run: Program::Main returned %d\n", result);
    return result;
}
