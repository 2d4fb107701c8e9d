// SPDX-License-Identifier: MIT
// Input routing: host events injected at the host's queue become activation, drags, system
// gadgets and IDCMP messages for the windows that asked for them.
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "platform/keymap/Keymap.h"
#include "platform/testing/Testing.h"
#include "toolkit/core/Form.h"
#include "tests/support/PlatformScreenFixture.h"

#include <gtest/gtest.h>

using namespace amiga;

namespace {

class InputTest : public PlatformScreenFixture {
protected:
    Window* OpenMain(ULONG idcmp = Form::WindowIDCMP)
    {
        return OpenWindowTags(nullptr, WA_Left, 0, WA_Top, 0, WA_Width, 800, WA_Height, 600, WA_CustomScreen, screen,
                              WA_IDCMP, idcmp, WA_Flags, 0xB00, TAG_DONE);
    }
    Window* OpenDialog(LONG left, LONG top, ULONG idcmp = Form::DialogIDCMP)
    {
        return OpenWindowTags(nullptr, WA_Left, left, WA_Top, top, WA_InnerWidth, 200, WA_InnerHeight, 100,
                              WA_CustomScreen, screen, WA_Title, "Dialog", WA_IDCMP, idcmp, WA_Flags, 0x120E, TAG_DONE);
    }
    // The window's messages without pointer moves (the injected clicks move the pointer first,
    // which an active REPORTMOUSE window hears about).
    static std::vector<ReceivedMessage> Drain(Window* window)
    {
        std::vector<ReceivedMessage> kept;
        for (const auto& message : DrainMessages(window)) {
            if (message.Class != IDCMP_MOUSEMOVE) {
                kept.push_back(message);
            }
        }
        return kept;
    }
    static std::vector<ULONG> Classes(const std::vector<ReceivedMessage>& messages)
    {
        std::vector<ULONG> classes;
        for (const auto& message : messages) {
            classes.push_back(message.Class);
        }
        return classes;
    }
};

TEST_F(InputTest, ClickGivesButtonMessagesWithWindowRelativePositions)
{
    Window* main = OpenMain();
    ASSERT_NE(main, nullptr);
    InjectClick(300, 250);
    auto messages = Drain(main);
    // The click activates the backdrop window and is delivered to it.
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].Class, IDCMP_ACTIVEWINDOW);
    EXPECT_EQ(messages[1].Class, IDCMP_MOUSEBUTTONS);
    EXPECT_EQ(messages[1].Code, SELECTDOWN);
    EXPECT_EQ(messages[1].MouseX, 300);
    EXPECT_EQ(messages[1].MouseY, 250);
    EXPECT_EQ(messages[1].IDCMPWindow, main);
    EXPECT_NE(messages[1].Qualifier & IEQUALIFIER_LEFTBUTTON, 0);
    EXPECT_EQ(messages[2].Class, IDCMP_MOUSEBUTTONS);
    EXPECT_EQ(messages[2].Code, SELECTUP);
    EXPECT_EQ(messages[2].MouseX, 300);
    EXPECT_EQ(messages[2].MouseY, 250);
    EXPECT_EQ(messages[2].Qualifier & IEQUALIFIER_LEFTBUTTON, 0);
    EXPECT_GE(messages[2].Seconds * 1000000ull + messages[2].Micros,
              messages[1].Seconds * 1000000ull + messages[1].Micros);
    EXPECT_EQ(main->MouseX, 300);
    EXPECT_EQ(main->MouseY, 250);

    Window* dialog = OpenDialog(100, 80);
    ASSERT_NE(dialog, nullptr);
    Drain(main);
    Drain(dialog);
    InjectClick(300, 150);
    messages = Drain(dialog);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Code, SELECTDOWN);
    EXPECT_EQ(messages[0].MouseX, 300 - 100);
    EXPECT_EQ(messages[0].MouseY, 150 - 80);
    EXPECT_EQ(messages[1].Code, SELECTUP);
    EXPECT_EQ(dialog->MouseX, 200);
    EXPECT_EQ(dialog->MouseY, 70);
    EXPECT_TRUE(Drain(main).empty());
}

TEST_F(InputTest, OnlyTheClassesAWindowAskedForAreDelivered)
{
    Window* window = OpenMain(IDCMP_RAWKEY);
    ASSERT_NE(window, nullptr);
    InjectClick(300, 250);
    InjectPointerMove(310, 260);
    InjectKey(RAWKEY_A);
    auto messages = Drain(window);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Class, IDCMP_RAWKEY);
    EXPECT_EQ(messages[0].Code, RAWKEY_A);
    EXPECT_EQ(messages[1].Code, RAWKEY_A | IECODE_UP_PREFIX);
    // Nothing at all without a port.
    ASSERT_TRUE(ModifyIDCMP(window, 0));
    EXPECT_EQ(window->UserPort, nullptr);
    InjectKey(RAWKEY_A);
    ASSERT_TRUE(ModifyIDCMP(window, IDCMP_MOUSEBUTTONS));
    EXPECT_TRUE(Drain(window).empty());
}

TEST_F(InputTest, ActivationMovesWithClicks)
{
    Window* main = OpenMain();
    Window* dialog = OpenDialog(100, 80);
    ASSERT_TRUE(main && dialog);
    EXPECT_EQ(ActiveWindow(), dialog);
    EXPECT_EQ(Classes(Drain(dialog)), std::vector<ULONG>{IDCMP_ACTIVEWINDOW});

    InjectClick(600, 500); // on the backdrop window
    EXPECT_EQ(ActiveWindow(), main);
    EXPECT_EQ(Classes(Drain(dialog)), std::vector<ULONG>{IDCMP_INACTIVEWINDOW});
    EXPECT_EQ(Classes(Drain(main)), (std::vector<ULONG>{IDCMP_ACTIVEWINDOW, IDCMP_MOUSEBUTTONS, IDCMP_MOUSEBUTTONS}));

    InjectClick(150, 120); // back on the dialog
    EXPECT_EQ(ActiveWindow(), dialog);
    EXPECT_EQ(Classes(Drain(main)), std::vector<ULONG>{IDCMP_INACTIVEWINDOW});

    // Closing the active window hands the keyboard to the frontmost one left.
    Drain(dialog);
    CloseWindow(dialog);
    EXPECT_EQ(ActiveWindow(), main);
    EXPECT_EQ(Classes(Drain(main)), std::vector<ULONG>{IDCMP_ACTIVEWINDOW});
}

TEST_F(InputTest, CloseGadgetSendsCloseWindowOnlyWhenReleasedOverIt)
{
    Window* dialog = OpenDialog(100, 80);
    ASSERT_NE(dialog, nullptr);
    Drain(dialog);
    InjectButtonDown(105, 84);
    EXPECT_EQ(ReadPixel(dialog->RPort, 1, 1), 1); // pressed: the gadget turns dark
    EXPECT_EQ(ReadPixel(dialog->RPort, 0, 0), 1);
    InjectButtonUp(105, 84);
    EXPECT_EQ(Classes(Drain(dialog)), std::vector<ULONG>{IDCMP_CLOSEWINDOW});
    EXPECT_EQ(ReadPixel(dialog->RPort, 1, 1), 3);
    EXPECT_EQ(ReadPixel(dialog->RPort, 0, 0), 2);

    InjectButtonDown(105, 84);
    InjectPointerMove(200, 150);
    InjectButtonUp(200, 150);
    EXPECT_TRUE(Drain(dialog).empty());
}

TEST_F(InputTest, DragBarMovesAndDepthGadgetReordersWindows)
{
    Window* back = OpenDialog(300, 300);
    Window* dialog = OpenDialog(100, 80, Form::DialogIDCMP | IDCMP_CHANGEWINDOW);
    ASSERT_TRUE(back && dialog);
    Drain(dialog);
    InjectDrag(160, 85, 260, 135);
    EXPECT_EQ(dialog->LeftEdge, 200);
    EXPECT_EQ(dialog->TopEdge, 130);
    auto messages = Drain(dialog);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Class, IDCMP_CHANGEWINDOW);
    // Dragging past the edge keeps the window on the screen.
    InjectDrag(260, 135, 1000, 135);
    EXPECT_EQ(dialog->LeftEdge + dialog->Width, 800);

    // The depth gadget at the right of the title bar: to the back, then to the front again.
    const int depthX = dialog->LeftEdge + dialog->Width - 5;
    const int depthY = dialog->TopEdge + 4;
    auto frontmost = [&] { return ComposeScreen().At(dialog->LeftEdge + 2, dialog->TopEdge + 30); };
    SetAPen(back->RPort, 30);
    RectFill(back->RPort, 0, 0, back->Width - 1, back->Height - 1);
    SetAPen(dialog->RPort, 31);
    RectFill(dialog->RPort, 0, 20, dialog->Width - 1, dialog->Height - 1);
    ChangeWindowBox(back, dialog->LeftEdge, dialog->TopEdge + 20, back->Width, back->Height);
    EXPECT_EQ(frontmost(), 31);
    InjectClick(depthX, depthY);
    EXPECT_EQ(frontmost(), 30);
    InjectClick(depthX, depthY); // its bar still shows above the other window
    EXPECT_EQ(frontmost(), 31);
}

TEST_F(InputTest, SizeGadgetResizesWithinTheLimits)
{
    Window* window = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Left, 100, WA_Top, 100, WA_Width, 260,
                                    WA_Height, 130, WA_MinWidth, 80, WA_MinHeight, 50, WA_SizeGadget, TRUE, WA_DragBar,
                                    TRUE, WA_IDCMP, IDCMP_NEWSIZE, TAG_DONE);
    ASSERT_NE(window, nullptr);
    InjectDrag(100 + 255, 100 + 125, 100 + 10, 100 + 10);
    EXPECT_EQ(window->Width, 80);
    EXPECT_EQ(window->Height, 50);
    EXPECT_EQ(Classes(Drain(window)), std::vector<ULONG>{IDCMP_NEWSIZE});
    // The maximum is the size it opened at.
    InjectDrag(100 + 75, 100 + 45, 100 + 400, 100 + 300);
    EXPECT_EQ(window->Width, 260);
    EXPECT_EQ(window->Height, 130);
    // The program put it, narrower than its minimum, at the screen's right edge: the size
    // gadget still gives at least the minimum, moving the window in.
    ChangeWindowBox(window, 740, 100, 60, 50);
    InjectDrag(740 + 55, 100 + 45, 740 + 56, 100 + 46);
    EXPECT_EQ(window->Width, 80);
    EXPECT_EQ(window->LeftEdge, 720);
}

TEST_F(InputTest, PointerMovesReachTheActiveReportMouseWindow)
{
    Window* main = OpenMain();
    ASSERT_NE(main, nullptr);
    InjectPointerMove(10, 20); // not active yet: nothing
    EXPECT_TRUE(DrainMessages(main).empty());
    InjectClick(10, 20);
    DrainMessages(main);
    InjectPointerMove(40, 50);
    auto messages = DrainMessages(main);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Class, IDCMP_MOUSEMOVE);
    EXPECT_EQ(messages[0].MouseX, 40);
    EXPECT_EQ(messages[0].MouseY, 50);
    // Moves the program has not replied are not piled up beyond the mouse queue.
    for (int i = 0; i < 20; ++i) {
        InjectPointerMove(41 + i, 50);
    }
    EXPECT_EQ(DrainMessages(main).size(), 5u);
    EXPECT_EQ(main->MouseX, 60);
}

TEST_F(InputTest, RightButtonIsTrappedOnlyWhenTheWindowAsks)
{
    Window* main = OpenMain();
    ASSERT_NE(main, nullptr);
    InjectClick(300, 300);
    Drain(main);
    InjectClick(300, 300, internal::HostEvent::RightButton); // no strip, no trap: nothing
    EXPECT_TRUE(Drain(main).empty());
    main->Flags |= WFLG_RMBTRAP;
    InjectClick(300, 300, internal::HostEvent::RightButton);
    auto messages = Drain(main);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Code, MENUDOWN);
    EXPECT_EQ(messages[1].Code, MENUUP);
}

TEST_F(InputTest, RawKeysCarryQualifiersAndThePreviousKeys)
{
    Window* dialog = OpenDialog(100, 80);
    ASSERT_NE(dialog, nullptr);
    Drain(dialog);
    InjectKey(RAWKEY_A, IEQUALIFIER_LSHIFT);
    InjectKey((RAWKEY_A + 1));
    auto messages = Drain(dialog);
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].Code, RAWKEY_A);
    EXPECT_EQ(messages[0].Qualifier, IEQUALIFIER_LSHIFT);
    EXPECT_EQ(messages[1].Code, RAWKEY_A | IECODE_UP_PREFIX);
    EXPECT_EQ(messages[2].Code, (RAWKEY_A + 1));
    EXPECT_EQ(messages[2].Qualifier, 0);
    const InputEventDead previous = UnpackPreviousKeys(messages[2].PreviousKeys);
    EXPECT_EQ(previous.ie_prev1DownCode, RAWKEY_A);
    EXPECT_EQ(previous.ie_prev1DownQual, IEQUALIFIER_LSHIFT);
    // The event loop's translation: the event address copied from the message.
    InputEvent event{};
    event.ie_Class = IECLASS_RAWKEY;
    event.ie_Code = messages[2].Code;
    event.ie_Qualifier = messages[2].Qualifier;
    event.ie_EventAddress = messages[2].PreviousKeys;
    char buffer[4] = {};
    EXPECT_EQ(MapRawKey(&event, buffer, sizeof buffer, nullptr), 1);
    EXPECT_EQ(buffer[0], 's');
}

TEST_F(InputTest, HostCloseRequestReachesTheFirstWindowOfTheFrontScreen)
{
    Window* main = OpenMain();
    Window* dialog = OpenDialog(100, 80, Form::DialogIDCMP);
    ASSERT_TRUE(main && dialog);
    Drain(main);
    Drain(dialog);
    InjectCloseRequest();
    EXPECT_EQ(Classes(Drain(main)), std::vector<ULONG>{IDCMP_CLOSEWINDOW});
    EXPECT_TRUE(Drain(dialog).empty());
}

TEST_F(InputTest, ClickOnTheScreenTitleBarGoesToNoWindowAndItsGadgetSendsTheScreenBack)
{
    Window* main = OpenMain();
    ASSERT_NE(main, nullptr);
    Screen* other = OpenScreenTags(nullptr, SA_Depth, 8, SA_Behind, TRUE, TAG_DONE);
    ASSERT_NE(other, nullptr);
    InjectClick(300, 5);
    EXPECT_TRUE(Drain(main).empty());
    EXPECT_EQ(FrontScreen(), screen);
    InjectClick(790, 5);
    EXPECT_EQ(FrontScreen(), other);
}

} // namespace
