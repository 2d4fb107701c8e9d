// SPDX-License-Identifier: MIT
// Windows: boxes and borders from tags, their own bitmaps and clipping, composition order,
// content that survives a dialog, resizing, depth order, titles and failures.
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "platform/intuition/State.h"
#include "platform/testing/Testing.h"
#include "toolkit/core/Form.h"
#include "tests/support/PlatformScreenFixture.h"

#include <gtest/gtest.h>

using namespace amiga;

namespace {

class WindowTest : public PlatformScreenFixture {
protected:
    Window* OpenMain()
    {
        return OpenWindowTags(nullptr, WA_Left, 0, WA_Top, 0, WA_Width, 800, WA_Height, 600, WA_CustomScreen, screen,
                              WA_IDCMP, Form::WindowIDCMP, WA_Flags, 0xB00, WA_SizeGadget, FALSE, WA_DragBar, FALSE,
                              WA_CloseGadget, FALSE, TAG_DONE);
    }
    Window* OpenDialog(LONG left, LONG top, LONG innerWidth, LONG innerHeight, const char* title = "Dialog")
    {
        return OpenWindowTags(nullptr, WA_Left, left, WA_Top, top, WA_InnerWidth, innerWidth, WA_InnerHeight,
                              innerHeight, WA_MinWidth, 50, WA_MinHeight, 50, WA_AutoAdjust, TRUE, WA_CustomScreen,
                              screen, WA_Title, title, WA_IDCMP, Form::DialogIDCMP, WA_Flags, 0x120E, WA_SizeGadget,
                              FALSE, WA_DragBar, TRUE, WA_CloseGadget, TRUE, TAG_DONE);
    }
};

TEST_F(WindowTest, MainWindowIsABorderlessBackdropCoveringTheScreen)
{
    Window* main = OpenMain();
    ASSERT_NE(main, nullptr) << IntuitionLastError();
    EXPECT_EQ(main->LeftEdge, 0);
    EXPECT_EQ(main->TopEdge, 0);
    EXPECT_EQ(main->Width, 800);
    EXPECT_EQ(main->Height, 600);
    EXPECT_EQ(main->Flags & (WFLG_BACKDROP | WFLG_BORDERLESS | WFLG_REPORTMOUSE),
              WFLG_BACKDROP | WFLG_BORDERLESS | WFLG_REPORTMOUSE);
    EXPECT_EQ(main->BorderLeft + main->BorderTop + main->BorderRight + main->BorderBottom, 0);
    EXPECT_EQ(main->Title, nullptr);
    EXPECT_EQ(main->WScreen, screen);
    EXPECT_EQ(main->IDCMPFlags, Form::WindowIDCMP);
    ASSERT_NE(main->UserPort, nullptr);
    EXPECT_EQ(main->RPort->BitMap->Width, 800);
    EXPECT_EQ(main->RPort->BitMap->Rows, 600);
    EXPECT_EQ(screen->FirstWindow, main);
    EXPECT_EQ(ActiveWindow(), nullptr); // no WFLG_ACTIVATE
}

TEST_F(WindowTest, InnerSizeGetsTheBordersAdded)
{
    Window* dialog = OpenDialog(100, 80, 200, 100);
    ASSERT_NE(dialog, nullptr) << IntuitionLastError();
    EXPECT_EQ(dialog->BorderTop, screen->BarHeight + 1);
    EXPECT_EQ(dialog->BorderLeft, 4);
    EXPECT_EQ(dialog->BorderRight, 4);
    EXPECT_EQ(dialog->BorderBottom, 2);
    EXPECT_EQ(dialog->Width, 200 + 8);
    EXPECT_EQ(dialog->Height, 100 + dialog->BorderTop + 2);
    EXPECT_EQ(dialog->GZZWidth, 200);
    EXPECT_EQ(dialog->GZZHeight, 100);
    EXPECT_STREQ(dialog->Title, "Dialog");
    EXPECT_EQ(dialog->MinWidth, 50);
    EXPECT_EQ(dialog->Flags & (WFLG_CLOSEGADGET | WFLG_DEPTHGADGET | WFLG_SIZEGADGET),
              WFLG_CLOSEGADGET | WFLG_DEPTHGADGET);
    EXPECT_EQ(ActiveWindow(), dialog);

    Window* sizable = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_InnerWidth, 100, WA_InnerHeight, 40,
                                     WA_SizeGadget, TRUE, WA_DragBar, TRUE, TAG_DONE);
    ASSERT_NE(sizable, nullptr);
    EXPECT_EQ(sizable->BorderBottom, 10); // the size gadget sits in the bottom border
    EXPECT_EQ(sizable->Height, 40 + sizable->BorderTop + 10);
}

TEST_F(WindowTest, AutoAdjustFitsTheScreenAndWithoutItAWindowThatDoesNotFitFails)
{
    Window* adjusted = OpenDialog(700, 550, 300, 200);
    ASSERT_NE(adjusted, nullptr);
    EXPECT_EQ(adjusted->LeftEdge + adjusted->Width, 800);
    EXPECT_EQ(adjusted->TopEdge + adjusted->Height, 600);
    Window* huge = OpenDialog(0, 0, 2000, 2000);
    ASSERT_NE(huge, nullptr);
    EXPECT_EQ(huge->Width, 800);
    EXPECT_EQ(huge->Height, 600);

    EXPECT_EQ(OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Left, 700, WA_Width, 300, WA_Height, 10, TAG_DONE),
              nullptr);
    EXPECT_EQ(OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Width, 0, WA_Height, 10, TAG_DONE), nullptr);
    FailNextPortCreation();
    EXPECT_EQ(OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_IDCMP, IDCMP_MOUSEBUTTONS, WA_Width, 10, WA_Height,
                             10, TAG_DONE),
              nullptr);
    EXPECT_NE(std::string(IntuitionLastError()).find("port"), std::string::npos);
    // Unknown tags are ignored.
    Window* odd = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Width, 10, WA_Height, 10, TAG_USER + 7, 99,
                                 WA_Dummy + 0x77, 1, TAG_DONE);
    EXPECT_NE(odd, nullptr);
}

TEST_F(WindowTest, DrawingIsClippedAtTheWindowsEdges)
{
    Window* window = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Left, 100, WA_Top, 80, WA_Width, 200,
                                    WA_Height, 100, WA_Borderless, TRUE, TAG_DONE);
    ASSERT_NE(window, nullptr);
    SetAPen(window->RPort, 5);
    RectFill(window->RPort, -50, -50, 400, 400);
    // Window coordinates: (0, 0) is the window's top-left corner.
    EXPECT_EQ(ReadPixel(window->RPort, 0, 0), 5);
    EXPECT_EQ(ReadPixel(window->RPort, 199, 99), 5);
    SetAPen(window->RPort, 6);
    EXPECT_EQ(WritePixel(window->RPort, 200, 50), -1);
    const ComposedScreen shown = ComposeScreen(screen);
    EXPECT_EQ(shown.At(100, 80), 5);
    EXPECT_EQ(shown.At(299, 179), 5);
    EXPECT_EQ(shown.At(99, 80), 0);
    EXPECT_EQ(shown.At(300, 179), 0);
    EXPECT_EQ(shown.At(100, 180), 0);
    EXPECT_EQ(shown.At(100, 79), 0);
}

TEST_F(WindowTest, ContentSurvivesWhenADialogOverItCloses)
{
    Window* main = OpenMain();
    ASSERT_NE(main, nullptr);
    SetAPen(main->RPort, 7);
    RectFill(main->RPort, 0, 0, 799, 599);
    SetAPen(main->RPort, 9);
    RectFill(main->RPort, 150, 100, 160, 110);
    const ComposedScreen before = ComposeScreen(screen);
    EXPECT_EQ(before.At(155, 105), 9);
    EXPECT_EQ(before.At(400, 5), 2); // the screen's title bar stays in front of backdrop windows

    Window* dialog = OpenDialog(100, 80, 200, 100);
    ASSERT_NE(dialog, nullptr);
    SetAPen(dialog->RPort, 4);
    RectFill(dialog->RPort, dialog->BorderLeft, dialog->BorderTop, dialog->Width - dialog->BorderRight - 1,
             dialog->Height - dialog->BorderBottom - 1);
    const ComposedScreen covered = ComposeScreen(screen);
    EXPECT_EQ(covered.At(155, 105), 4);
    EXPECT_EQ(covered.At(100, 80), 2); // the dialog frame's bright top-left edge

    CloseWindow(dialog);
    const ComposedScreen after = ComposeScreen(screen);
    EXPECT_EQ(after.pixels, before.pixels);
}

TEST_F(WindowTest, FrameShowsTitleGadgetsAndActivation)
{
    Window* dialog = OpenDialog(100, 80, 200, 100);
    ASSERT_NE(dialog, nullptr);
    RastPort* rp = dialog->RPort;
    // Active: the border is filled with the fill pen (blue); outer edges bright and dark.
    EXPECT_EQ(ReadPixel(rp, 0, 0), 2);
    EXPECT_EQ(ReadPixel(rp, dialog->Width - 1, dialog->Height - 1), 1);
    EXPECT_EQ(ReadPixel(rp, 1, dialog->Height / 2), 3);
    EXPECT_EQ(ReadPixel(rp, dialog->Width - 30, 1), 3);
    // The inner area starts clear.
    EXPECT_EQ(ReadPixel(rp, dialog->BorderLeft, dialog->BorderTop), 0);
    // Title text in black after the close gadget.
    int black = 0;
    for (int y = 1; y < dialog->BorderTop - 1; ++y) {
        for (int x = 24; x < 24 + 6 * 8; ++x) {
            black += ReadPixel(rp, x, y) == 1 ? 1 : 0;
        }
    }
    EXPECT_GT(black, 20);

    ActivateWindow(nullptr);
    Window* other =
        OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Width, 50, WA_Height, 50, WA_Activate, TRUE, TAG_DONE);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(ActiveWindow(), other);
    EXPECT_EQ(dialog->Flags & WFLG_WINDOWACTIVE, 0u);
    EXPECT_EQ(ReadPixel(rp, 1, dialog->Height / 2), 0); // inactive: grey border
}

TEST_F(WindowTest, ChangeWindowBoxKeepsContentAndReportsTheNewSize)
{
    Window* window = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Left, 10, WA_Top, 20, WA_Width, 100, WA_Height,
                                    60, WA_Borderless, TRUE, WA_IDCMP,
                                    IDCMP_NEWSIZE | IDCMP_CHANGEWINDOW | IDCMP_REFRESHWINDOW, TAG_DONE);
    ASSERT_NE(window, nullptr);
    SetAPen(window->RPort, 12);
    RectFill(window->RPort, 0, 0, 99, 59);

    ChangeWindowBox(window, 30, 40, 150, 80);
    EXPECT_EQ(window->LeftEdge, 30);
    EXPECT_EQ(window->TopEdge, 40);
    EXPECT_EQ(window->Width, 150);
    EXPECT_EQ(window->Height, 80);
    EXPECT_EQ(ReadPixel(window->RPort, 99, 59), 12);
    EXPECT_EQ(ReadPixel(window->RPort, 100, 59), 0);
    EXPECT_EQ(ReadPixel(window->RPort, 149, 79), 0);
    auto messages = DrainMessages(window);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].Class, IDCMP_NEWSIZE);
    EXPECT_EQ(messages[1].Class, IDCMP_REFRESHWINDOW);
    EXPECT_EQ(messages[2].Class, IDCMP_CHANGEWINDOW);

    // A move alone is no new size; a box beyond the screen is brought back onto it.
    ChangeWindowBox(window, 790, 590, 150, 80);
    EXPECT_EQ(window->LeftEdge, 650);
    EXPECT_EQ(window->TopEdge, 520);
    messages = DrainMessages(window);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Class, IDCMP_CHANGEWINDOW);
}

TEST_F(WindowTest, ZipWindowTogglesBetweenTwoBoxes)
{
    Window* window = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Left, 100, WA_Top, 100, WA_Width, 300,
                                    WA_Height, 200, WA_MinWidth, 120, WA_MinHeight, 70, WA_DragBar, TRUE, TAG_DONE);
    ASSERT_NE(window, nullptr);
    ZipWindow(window); // the other box: its minimum size, in the same place
    EXPECT_EQ(window->LeftEdge, 100);
    EXPECT_EQ(window->Width, 120);
    EXPECT_EQ(window->Height, 70);
    EXPECT_NE(window->Flags & WFLG_ZOOMED, 0u);
    ZipWindow(window);
    EXPECT_EQ(window->LeftEdge, 100);
    EXPECT_EQ(window->Width, 300);
    EXPECT_EQ(window->Height, 200);
}

TEST_F(WindowTest, DepthOrderDecidesWhatIsOnTop)
{
    Window* main = OpenMain();
    Window* a = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Left, 100, WA_Top, 100, WA_Width, 100, WA_Height,
                               100, WA_Borderless, TRUE, TAG_DONE);
    Window* b = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Left, 150, WA_Top, 150, WA_Width, 100, WA_Height,
                               100, WA_Borderless, TRUE, TAG_DONE);
    ASSERT_TRUE(main && a && b);
    SetAPen(a->RPort, 20);
    RectFill(a->RPort, 0, 0, 99, 99);
    SetAPen(b->RPort, 21);
    RectFill(b->RPort, 0, 0, 99, 99);
    EXPECT_EQ(ComposeScreen().At(175, 175), 21);
    WindowToFront(a);
    EXPECT_EQ(ComposeScreen().At(175, 175), 20);
    WindowToBack(a);
    EXPECT_EQ(ComposeScreen().At(175, 175), 21);
    EXPECT_EQ(ComposeScreen().At(120, 120), 20); // still in front of the backdrop window
    MoveWindowInFrontOf(a, b);
    EXPECT_EQ(ComposeScreen().At(175, 175), 20);
    WindowToFront(main); // a backdrop window stays behind the others
    EXPECT_EQ(ComposeScreen().At(175, 175), 20);
}

TEST_F(WindowTest, TitlesCanBeKeptChangedOrCleared)
{
    Window* dialog = OpenDialog(100, 80, 200, 100, "Old");
    ASSERT_NE(dialog, nullptr);
    const auto keep = reinterpret_cast<CONST_STRPTR>(~static_cast<IPTR>(0));
    SetWindowTitles(dialog, "New", keep);
    EXPECT_STREQ(dialog->Title, "New");
    EXPECT_EQ(dialog->ScreenTitle, nullptr);
    SetWindowTitles(dialog, keep, "Screen title");
    EXPECT_STREQ(dialog->Title, "New");
    EXPECT_STREQ(dialog->ScreenTitle, "Screen title");
    SetWindowTitles(dialog, nullptr, nullptr);
    EXPECT_EQ(dialog->Title, nullptr);
    EXPECT_EQ(dialog->ScreenTitle, nullptr);
}

TEST_F(WindowTest, ActiveWindowsScreenTitleReplacesTheScreensOwn)
{
    const ComposedScreen plain = ComposeScreen(screen);
    Window* dialog = OpenDialog(100, 200, 200, 100);
    ASSERT_NE(dialog, nullptr);
    SetWindowTitles(dialog, reinterpret_cast<CONST_STRPTR>(~static_cast<IPTR>(0)), "Another, longer title");
    const ComposedScreen titled = ComposeScreen(screen);
    bool differs = false;
    for (int x = 0; x < 300; ++x) {
        differs = differs || titled.At(x, 5) != plain.At(x, 5);
    }
    EXPECT_TRUE(differs);
    CloseWindow(dialog);
    EXPECT_EQ(ComposeScreen(screen).pixels, plain.pixels);
}

TEST_F(WindowTest, AVisitorHoldsThePublicScreenUntilItCloses)
{
    Window* visitor = OpenWindowTags(nullptr, WA_Width, 100, WA_Height, 50, TAG_DONE);
    ASSERT_NE(visitor, nullptr) << IntuitionLastError();
    Screen* pub = visitor->WScreen;
    ASSERT_NE(pub, screen);
    EXPECT_EQ(OpenWindowTags(nullptr, WA_Width, 2000, WA_Height, 50, TAG_DONE), nullptr);
    EXPECT_EQ(internal::Record(pub)->locks, 1) << "the visitor's own, none left by the failed window";
    CloseWindow(visitor);
    EXPECT_EQ(internal::Record(pub)->locks, 0);
}

TEST_F(WindowTest, ClosingReclaimsMessagesStillQueued)
{
    Window* window = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Width, 100, WA_Height, 100, WA_IDCMP,
                                    IDCMP_NEWSIZE | IDCMP_ACTIVEWINDOW, WA_Activate, TRUE, TAG_DONE);
    ASSERT_NE(window, nullptr);
    ChangeWindowBox(window, 0, 0, 110, 110);
    // One message taken and held past the close, the rest left queued.
    IntuiMessage* held = reinterpret_cast<IntuiMessage*>(GetMsg(window->UserPort));
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->Class, IDCMP_ACTIVEWINDOW);
    CloseWindow(window);
    ReplyMsg(&held->ExecMessage); // still valid, and reused afterwards
    Window* next = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Width, 100, WA_Height, 100, WA_IDCMP,
                                  IDCMP_ACTIVEWINDOW, WA_Activate, TRUE, TAG_DONE);
    ASSERT_NE(next, nullptr);
    auto messages = DrainMessages(next);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].IDCMPWindow, next);
}

TEST_F(WindowTest, BusyAndCustomPointersAreShownForTheActiveWindow)
{
    Window* window = OpenDialog(100, 80, 200, 100);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ShownPointer(), PointerShape::Normal);
    SetWindowPointer(window, WA_BusyPointer, TRUE, TAG_DONE);
    EXPECT_EQ(ShownPointer(), PointerShape::Busy);
    UWORD sprite[2 + 2 * 2 + 2] = {0, 0, 0xC000, 0x4000, 0x8000, 0xC000, 0, 0};
    SetPointer(window, sprite, 2, 2, 0, 0);
    EXPECT_EQ(ShownPointer(), PointerShape::Custom);
    ClearPointer(window);
    EXPECT_EQ(ShownPointer(), PointerShape::Normal);
    SetWindowPointer(window, WA_BusyPointer, TRUE, TAG_DONE);
    CloseWindow(window);
    EXPECT_EQ(ShownPointer(), PointerShape::Normal);
}

TEST_F(WindowTest, DisplayBeepFlashesWithoutHoldingUp)
{
    const ULONG presents = PresentCount();
    DisplayBeep(nullptr);
    EXPECT_EQ(DisplayBeepCount(), 1u);
    EXPECT_EQ(PresentCount(), presents + 2); // inverted, then as it was
    internal::PresentIfDirty();
    EXPECT_EQ(PresentCount(), presents + 2); // nothing changed since
}

} // namespace
