// SPDX-License-Identifier: MIT
// Screens: opening from tags, the title bar, the palette, closing rules, MoveScreen and the
// default public screen.
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "tests/support/PngFile.h"
#include "platform/testing/Testing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace amiga;

namespace {

class ScreenTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        ResetIntuition();
        ResetPlatform();
    }

    static Screen* OpenGameScreen(const char* title = "Kesa Pegline")
    {
        return OpenScreenTags(nullptr, SA_Depth, 8, SA_LikeWorkbench, TRUE, SA_BlockPen, 2, SA_DetailPen, 1, SA_Type,
                              CUSTOMSCREEN, SA_Width, 800, SA_Height, 600, SA_Title, title, TAG_DONE);
    }
};

TEST_F(ScreenTest, OpensWithTheTagsTheProgramGives)
{
    Screen* screen = OpenGameScreen();
    ASSERT_NE(screen, nullptr) << IntuitionLastError();
    EXPECT_EQ(screen->Width, 800);
    EXPECT_EQ(screen->Height, 600);
    EXPECT_EQ(screen->BitMap.Depth, 8);
    EXPECT_EQ(screen->Flags & SCREENTYPE, CUSTOMSCREEN);
    EXPECT_STREQ(screen->Title, "Kesa Pegline");
    EXPECT_EQ(screen->DetailPen, 1);
    EXPECT_EQ(screen->BlockPen, 2);
    EXPECT_EQ(screen->BarHeight, 10); // topaz 8 and a pixel above and below
    EXPECT_EQ(FrontScreen(), screen);
    EXPECT_EQ(screen->ViewPort.ColorMap->Count, 256);
    EXPECT_EQ(screen->ViewPort.ColorMap->ColorTable[0], 0xAAAAAAu);
    EXPECT_EQ(screen->ViewPort.ColorMap->ColorTable[1], 0x000000u);
    EXPECT_EQ(screen->ViewPort.ColorMap->ColorTable[2], 0xFFFFFFu);
    EXPECT_EQ(screen->ViewPort.ColorMap->ColorTable[3], 0x6688BBu);
    EXPECT_TRUE(CloseScreen(screen));
    EXPECT_EQ(FrontScreen(), nullptr);
}

TEST_F(ScreenTest, TitleBarIsDrawnInTheScreensBitmap)
{
    Screen* screen = OpenGameScreen("Title");
    ASSERT_NE(screen, nullptr);
    ComposedScreen shown = ComposeScreen(screen);
    ASSERT_EQ(shown.width, 800);
    // Bar background in the bar block pen (white), its trim line in black below it, the
    // screen's background grey beneath.
    EXPECT_EQ(shown.At(400, 0), 2);
    EXPECT_EQ(shown.At(400, 9), 2);
    EXPECT_EQ(shown.At(0, 10), 1);
    EXPECT_EQ(shown.At(799, 10), 1);
    EXPECT_EQ(shown.At(400, 11), 0);
    // Title text in the bar detail pen (black) somewhere in its first characters.
    int black = 0;
    for (int y = 1; y < 9; ++y) {
        for (int x = 5; x < 5 + 5 * 8; ++x) {
            black += shown.At(x, y) == 1 ? 1 : 0;
        }
    }
    EXPECT_GT(black, 20);
    CloseScreen(screen);
}

TEST_F(ScreenTest, UnknownTagsAreIgnoredAndImpossibleScreensFail)
{
    Screen* screen = OpenScreenTags(nullptr, SA_Width, 320, SA_Height, 200, SA_Depth, 4, TAG_USER + 0x4242, 17,
                                    SA_Dummy + 0x7F, 3, TAG_DONE);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->Width, 320);
    EXPECT_EQ(screen->BitMap.Depth, 4);
    CloseScreen(screen);

    ULONG error = 0;
    EXPECT_EQ(OpenScreenTags(nullptr, SA_Depth, 9, SA_ErrorCode, &error, TAG_DONE), nullptr);
    EXPECT_EQ(error, OSERR_TOODEEP);
    EXPECT_NE(std::string(IntuitionLastError()).find("depth"), std::string::npos);
    EXPECT_EQ(OpenScreenTags(nullptr, SA_Width, 0, SA_ErrorCode, &error, TAG_DONE), nullptr);
    EXPECT_EQ(error, OSERR_NOMEM);
    EXPECT_EQ(OpenScreenTags(nullptr, SA_Height, 100000, TAG_DONE), nullptr);
    EXPECT_EQ(FrontScreen(), nullptr);
}

TEST_F(ScreenTest, CloseScreenFailsWhileWindowsAreOpen)
{
    Screen* screen = OpenGameScreen();
    ASSERT_NE(screen, nullptr);
    Window* window = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Width, 100, WA_Height, 50, TAG_DONE);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(CloseScreen(screen));
    EXPECT_EQ(FrontScreen(), screen);
    CloseWindow(window);
    EXPECT_TRUE(CloseScreen(screen));
    EXPECT_FALSE(CloseScreen(screen)); // no longer open: nothing happens
}

TEST_F(ScreenTest, MoveScreenShiftsTheComposedImage)
{
    Screen* screen = OpenGameScreen();
    ASSERT_NE(screen, nullptr);
    SetAPen(&screen->RastPort, 5);
    RectFill(&screen->RastPort, 0, 100, 799, 599);
    const ComposedScreen before = ComposeScreen(screen);

    MoveScreen(screen, 0, 10);
    EXPECT_EQ(screen->TopEdge, 10);
    const ComposedScreen after = ComposeScreen(screen);
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(after.At(0, y), 1) << "row " << y; // black above the screen
    }
    for (int y = 10; y < 600; y += 7) {
        for (int x = 0; x < 800; x += 13) {
            ASSERT_EQ(after.At(x, y), before.At(x, y - 10)) << x << "," << y;
        }
    }

    // The slide-out: one-pixel steps until the screen has left the display.
    for (int i = screen->TopEdge; i < screen->Height; ++i) {
        MoveScreen(screen, 0, 1);
    }
    EXPECT_EQ(screen->TopEdge, 600);
    MoveScreen(screen, 0, 1);
    EXPECT_EQ(screen->TopEdge, 600);
    const ComposedScreen gone = ComposeScreen(screen);
    EXPECT_EQ(gone.At(400, 599), 1);
    EXPECT_EQ(gone.At(0, 0), 1);
    CloseScreen(screen);
}

TEST_F(ScreenTest, DepthOrderDecidesWhichScreenIsShown)
{
    Screen* first = OpenGameScreen("First");
    Screen* second = OpenGameScreen("Second");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(FrontScreen(), second);
    ScreenToFront(first);
    EXPECT_EQ(FrontScreen(), first);
    ScreenToBack(first);
    EXPECT_EQ(FrontScreen(), second);
    Screen* behind = OpenScreenTags(nullptr, SA_Depth, 8, SA_Behind, TRUE, TAG_DONE);
    ASSERT_NE(behind, nullptr);
    EXPECT_EQ(FrontScreen(), second);
    CloseScreen(behind);
    CloseScreen(second);
    EXPECT_EQ(FrontScreen(), first);
    CloseScreen(first);
}

TEST_F(ScreenTest, DefaultPublicScreenOpensOnDemandAndStaysWhileLocked)
{
    Screen* game = OpenGameScreen();
    Screen* workbench = LockPubScreen(nullptr);
    ASSERT_NE(workbench, nullptr);
    EXPECT_EQ(workbench->Width, 800);
    EXPECT_EQ(workbench->Height, 600);
    EXPECT_EQ(FrontScreen(), game); // opened behind the program's own screen
    EXPECT_EQ(LockPubScreen("Workbench"), workbench);
    EXPECT_EQ(LockPubScreen("NoSuchScreen"), nullptr);
    EXPECT_FALSE(CloseScreen(workbench));
    UnlockPubScreen(nullptr, workbench);
    UnlockPubScreen(nullptr, workbench);
    EXPECT_TRUE(CloseScreen(workbench));
    CloseScreen(game);
}

TEST_F(ScreenTest, ScreenshotHoldsThePaletteColours)
{
    Screen* screen = OpenGameScreen();
    ASSERT_NE(screen, nullptr);
    SetRGB32(&screen->ViewPort, 9, 0x12000000, 0x34000000, 0x56000000);
    SetAPen(&screen->RastPort, 9);
    RectFill(&screen->RastPort, 10, 20, 29, 39);
    const std::string path = ::testing::TempDir() + "screen-test.png";
    std::string error;
    ASSERT_TRUE(SaveScreenPNG(screen, path.c_str(), &error)) << error;
    testsupport::PngImage image;
    ASSERT_TRUE(testsupport::LoadPNG(path.c_str(), image, &error)) << error;
    EXPECT_EQ(image.width, 800);
    EXPECT_EQ(image.height, 600);
    EXPECT_EQ(image.ColorAt(15, 25), 0x123456u);
    EXPECT_EQ(image.ColorAt(15, 45), 0xAAAAAAu);
    std::remove(path.c_str());
    CloseScreen(screen);
}

} // namespace
