// SPDX-License-Identifier: MIT
// The host on SDL's dummy driver: window, presenting, events and waiting.
#include "platform/dos/Dos.h"
#include "platform/exec/Exec.h"
#include "platform/graphics/Graphics.h"
#include "platform/common/InputEvent.h"
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "platform/common/Internal.h"
#include "platform/testing/Testing.h"
#include "platform/host/Host.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

using namespace amiga;
using internal::HostEvent;

namespace {

class Host : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlatform();
        ASSERT_TRUE(host::OpenWindow(320, 200, "test")) << host::LastError();
        if (host::DriverName() != "dummy") {
            // A real desktop sends its own events (pointer entering, focus) at any moment.
            GTEST_SKIP() << "needs the quiet dummy video driver";
        }
    }
    void TearDown() override
    {
        HostEvent ignored;
        while (host::PollEvent(ignored)) {
        }
        ResetPlatform();
    }

    // The next translated event; fails the test when none arrives.
    HostEvent Next()
    {
        HostEvent event;
        EXPECT_TRUE(host::WaitEvent(1000000, event));
        return event;
    }
};

TEST_F(Host, InjectedEventsComeBackInOrder)
{
    HostEvent move;
    move.kind = HostEvent::Kind::PointerMove;
    move.x = 10;
    move.y = 20;
    HostEvent click;
    click.kind = HostEvent::Kind::ButtonDown;
    click.button = HostEvent::LeftButton;
    InjectHostEvent(move);
    InjectHostEvent(click);

    HostEvent event = Next();
    EXPECT_EQ(event.kind, HostEvent::Kind::PointerMove);
    EXPECT_EQ(event.x, 10);
    EXPECT_EQ(event.y, 20);
    event = Next();
    EXPECT_EQ(event.kind, HostEvent::Kind::ButtonDown);
    EXPECT_FALSE(host::PollEvent(event));
}

TEST_F(Host, KeysArriveAsRawKeysWithQualifiers)
{
    // USB HID usages: A 4, E 8, Return 40, Escape 41, Space 44, F1 58, Up 82, keypad 7 95,
    // left Shift 225, left Alt 226.
    struct Case {
        int usage;
        UWORD raw;
    };
    for (const Case& key : {Case{4, RAWKEY_A}, Case{8, RAWKEY_Q + 2}, Case{40, RAWKEY_RETURN}, Case{41, RAWKEY_ESCAPE},
                            Case{44, RAWKEY_SPACE}, Case{58, RAWKEY_F1}, Case{82, RAWKEY_UP}}) {
        EXPECT_EQ(host::RawKeyFromUsbUsage(key.usage), key.raw) << key.usage;
    }
    EXPECT_EQ(host::RawKeyFromUsbUsage(-1), 0xFF);
    EXPECT_EQ(host::RawKeyFromUsbUsage(100000), 0xFF);

    SimulateHostKey(226, true); // Alt plays the Amiga key
    SimulateHostKey(8, true);
    SimulateHostKey(8, false);
    SimulateHostKey(226, false);
    SimulateHostKey(95, true);

    HostEvent event = Next();
    EXPECT_EQ(event.kind, HostEvent::Kind::KeyDown);
    EXPECT_EQ(event.rawKey, RAWKEY_LAMIGA);
    event = Next();
    EXPECT_EQ(event.kind, HostEvent::Kind::KeyDown);
    EXPECT_EQ(event.rawKey, RAWKEY_Q + 2);
    EXPECT_EQ(event.qualifier & IEQUALIFIER_LCOMMAND, IEQUALIFIER_LCOMMAND);
    event = Next();
    EXPECT_EQ(event.kind, HostEvent::Kind::KeyUp);
    event = Next();
    EXPECT_EQ(event.rawKey, RAWKEY_LAMIGA);
    EXPECT_EQ(event.qualifier & IEQUALIFIER_LCOMMAND, 0) << "released";
    event = Next();
    EXPECT_EQ(event.rawKey, RAWKEY_KP_7);
    EXPECT_EQ(event.qualifier & IEQUALIFIER_NUMERICPAD, IEQUALIFIER_NUMERICPAD);
}

TEST_F(Host, PointerIsUnscaledWhenTheWindowIsEnlarged)
{
    SimulateHostPointer(100, 50);
    HostEvent event = Next();
    EXPECT_EQ(event.kind, HostEvent::Kind::PointerMove);
    EXPECT_EQ(event.x, 100);
    EXPECT_EQ(event.y, 50);

    // 700 x 420 holds the 320 x 200 screen twice, centred: 30 pixels left, 10 above.
    SimulateHostResize(700, 420);
    SimulateHostButton(HostEvent::RightButton, true, 30 + 2 * 100 + 1, 10 + 2 * 50 + 1);
    event = Next();
    EXPECT_EQ(event.kind, HostEvent::Kind::ButtonDown);
    EXPECT_EQ(event.button, HostEvent::RightButton);
    EXPECT_EQ(event.x, 100);
    EXPECT_EQ(event.y, 50);
    EXPECT_EQ(event.qualifier & IEQUALIFIER_RBUTTON, IEQUALIFIER_RBUTTON);

    SimulateHostPointer(5, 5000); // outside the image: held to its edge
    event = Next();
    EXPECT_EQ(event.x, 0);
    EXPECT_EQ(event.y, 199);

    // 600 x 360 holds it 1.8 times, 12 pixels left: (100, 50) spans [192, 193.8) x [90, 91.8).
    SimulateHostResize(600, 360);
    SimulateHostPointer(12 + 181, 91);
    event = Next();
    EXPECT_EQ(event.x, 100);
    EXPECT_EQ(event.y, 50);
}

TEST_F(Host, PresentShowsThePaletteColoursScaled)
{
    std::vector<UBYTE> pixels(320 * 200, 0);
    pixels[0] = 1;
    pixels[5 * 320 + 7] = 2;
    ULONG palette[256] = {};
    palette[0] = 0x102030;
    palette[1] = 0xFF0000;
    palette[2] = 0x00FF80;
    host::Present(pixels.data(), 320, 200, 320, palette);
    ULONG rgb = 0;
    ASSERT_TRUE(host::ReadWindowPixel(0, 0, rgb));
    EXPECT_EQ(rgb, 0xFF0000u);
    ASSERT_TRUE(host::ReadWindowPixel(7, 5, rgb));
    EXPECT_EQ(rgb, 0x00FF80u);
    ASSERT_TRUE(host::ReadWindowPixel(8, 5, rgb));
    EXPECT_EQ(rgb, 0x102030u);

    SimulateHostResize(640, 400);
    host::Present(pixels.data(), 320, 200, 320, palette);
    for (auto [x, y] : {std::pair{14, 10}, std::pair{15, 11}}) {
        ASSERT_TRUE(host::ReadWindowPixel(x, y, rgb));
        EXPECT_EQ(rgb, 0x00FF80u) << x << "," << y;
    }
    ASSERT_TRUE(host::ReadWindowPixel(16, 10, rgb));
    EXPECT_EQ(rgb, 0x102030u);

    // 1.8 times, 12 pixels left: pixel (7, 5) spans [12.6, 14.4) x [9, 10.8). A host pixel
    // within it shows its colour, one across its edge the shares of both, black around.
    SimulateHostResize(600, 360);
    host::Present(pixels.data(), 320, 200, 320, palette);
    ASSERT_TRUE(host::ReadWindowPixel(12 + 13, 9, rgb));
    EXPECT_EQ(rgb, 0x00FF80u);
    ASSERT_TRUE(host::ReadWindowPixel(12 + 12, 9, rgb)); // 0.4 of it, 0.6 of the background
    for (int shift : {16, 8, 0}) {
        const double share = 0.4 * ((0x00FF80 >> shift) & 0xFF) + 0.6 * ((0x102030 >> shift) & 0xFF);
        EXPECT_NEAR((rgb >> shift) & 0xFF, share, 1.0) << shift;
    }
    ASSERT_TRUE(host::ReadWindowPixel(5, 100, rgb));
    EXPECT_EQ(rgb, 0u);
}

TEST_F(Host, CloseButtonBecomesACloseRequest)
{
    SimulateHostCloseRequest();
    EXPECT_EQ(Next().kind, HostEvent::Kind::CloseRequest);
}

TEST_F(Host, BlockingCallsPresentAChangedScreenOnceAndDrawingNever)
{
    Screen* screen = OpenScreenTags(nullptr, SA_Depth, 8, SA_Width, 320, SA_Height, 200, SA_Title, "t", TAG_DONE);
    ASSERT_NE(screen, nullptr) << IntuitionLastError();
    Delay(1); // the screen's first picture
    const ULONG presents = PresentCount();
    SetAPen(&screen->RastPort, 3);
    for (int x = 100; x < 150; ++x) {
        RectFill(&screen->RastPort, x, 100, x, 150);
    }
    EXPECT_EQ(PresentCount(), presents) << "drawing alone shows nothing";
    Delay(1);
    EXPECT_EQ(PresentCount(), presents + 1) << "one present for all of it, before sleeping";
    ULONG rgb = 0;
    ASSERT_TRUE(host::ReadWindowPixel(120, 120, rgb));
    EXPECT_EQ(rgb, screen->ViewPort.ColorMap->ColorTable[3]);
    WaitTOF();
    Delay(1);
    EXPECT_EQ(PresentCount(), presents + 1) << "nothing changed since";
    EXPECT_TRUE(CloseScreen(screen));
}

TEST_F(Host, WaitEventHonoursItsTimeoutAndWakeUps)
{
    HostEvent event;
    uint64_t start = internal::NowMicros();
    EXPECT_FALSE(host::WaitEvent(50000, event));
    const uint64_t waited = internal::NowMicros() - start;
    EXPECT_GE(waited, 50000u);
    EXPECT_LT(waited, 1000000u);

    std::thread waker([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        host::Wake();
    });
    start = internal::NowMicros();
    EXPECT_FALSE(host::WaitEvent(UINT64_MAX, event));
    waker.join();
    EXPECT_LT(internal::NowMicros() - start, 1000000u);
}

TEST_F(Host, WaitHandsInputToIntuitionWhileASignalIsAwaited)
{
    // Input injected while the program waits is consumed by the waiting loop, and a signal
    // from another thread still ends the wait.
    const BYTE bit = AllocSignal(-1);
    Task* task = FindTask(nullptr);
    std::thread other([task, bit] {
        HostEvent move;
        move.kind = HostEvent::Kind::PointerMove;
        InjectHostEvent(move);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        Signal(task, 1u << bit);
    });
    EXPECT_EQ(Wait(1u << bit), 1u << bit);
    other.join();
    HostEvent event;
    EXPECT_FALSE(host::PollEvent(event)) << "the waiting loop took the injected event";
}

// Sets an environment variable (null: removes it) for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        const char* old = std::getenv(name);
        hadOld_ = old != nullptr;
        old_ = hadOld_ ? old : "";
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv()
    {
        if (hadOld_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    bool hadOld_ = false;
    std::string old_;
};

TEST(HostWithoutDisplay, OpeningFailsWithOneLineOnStandardErrorAndTheReason)
{
    ResetPlatform();
    {
        // The desktop's driver asked for, with no display to reach.
        ScopedEnv driver("SDL_VIDEODRIVER", "x11");
        ScopedEnv display("DISPLAY", nullptr);
        testing::internal::CaptureStderr();
        const bool opened = host::OpenWindow(320, 200, "test");
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(opened);
        EXPECT_FALSE(host::IsWindowOpen());
        EXPECT_FALSE(host::LastError().empty());
        EXPECT_EQ(printed, "kesa: no display available: " + host::LastError() + "\n");
    }
    // Nothing of the failed start lingers: with a driver that works, the window opens.
    EXPECT_TRUE(host::OpenWindow(320, 200, "test")) << host::LastError();
    ResetPlatform();
}

TEST(HostWithoutWindow, InjectedEventsStillFlowAndCursorCallsAreHarmless)
{
    ResetPlatform();
    const uint32_t arrow[4] = {0xFF0000FFu, 0, 0, 0xFFFFFFFFu};
    host::SetCursor(arrow, 2, 2, 0, 0);
    host::SetCursor(host::CursorShape::Busy);
    host::Present(nullptr, 0, 0, 0, nullptr);
    HostEvent key;
    key.kind = HostEvent::Kind::KeyDown;
    key.rawKey = RAWKEY_SPACE;
    InjectHostEvent(key);
    HostEvent event;
    ASSERT_TRUE(host::WaitEvent(0, event));
    EXPECT_EQ(event.rawKey, RAWKEY_SPACE);
    ResetPlatform();
}

} // namespace
