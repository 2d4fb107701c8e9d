// SPDX-License-Identifier: MIT
// KesaScreen: the screen it opens, the sizes it answers, the slide-out and closing.
#include "toolkit/core/KesaScreen.h"

#include "platform/gadtools/GadTools.h"
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "platform/testing/Testing.h"
#include "toolkit/core/GUIElement.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace amiga;

namespace {

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetIntuition();
        ResetPlatform();
        GUIElement::GlobalScreen = nullptr;
        GUIElement::GlobalVisualInfo = nullptr;
    }
    void TearDown() override
    {
        GUIElement::GlobalScreen = nullptr;
        GUIElement::GlobalVisualInfo = nullptr;
        ResetIntuition();
        ResetPlatform();
    }
};

} // namespace

TEST_F(ScreenTest, OpensAnEightHundredBySixHundredScreenOfEightPlanes)
{
    KesaScreen screen("Kesa Pegline");
    EXPECT_EQ(screen.GetWidth(), 800);
    EXPECT_EQ(screen.GetHeight(), 600);
    EXPECT_EQ(screen.GetMaxDepth(), 8);
    EXPECT_EQ(screen.IsError(), 0);
    EXPECT_EQ(KesaScreen::ScrollWidth(), 0);
    EXPECT_EQ(KesaScreen::ScrollHeight(), 0);
    Screen* handle = screen.GetHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->Width, 800);
    EXPECT_EQ(handle->Height, 600);
    EXPECT_EQ(handle->BitMap.Depth, 8);
    EXPECT_EQ(handle->Flags & SCREENTYPE, CUSTOMSCREEN);
    ASSERT_NE(handle->Title, nullptr);
    EXPECT_STREQ(handle->Title, "Kesa Pegline");
    EXPECT_EQ(FrontScreen(), handle);
}

TEST_F(ScreenTest, SizesComeFromTheSharedScreenOrTheDefaultPublicOne)
{
    // Before any window: the default public screen.
    Screen* pub = LockPubScreen(nullptr);
    ASSERT_NE(pub, nullptr);
    const int pubWidth = pub->Width;
    const int pubHeight = pub->Height;
    UnlockPubScreen(nullptr, pub);
    EXPECT_EQ(KesaScreen::Width(), pubWidth);
    EXPECT_EQ(KesaScreen::Height(), pubHeight);

    // A shared screen of another size answers for itself, pointer included.
    const TagItem tags[] = {{SA_Width, 320}, {SA_Height, 240}, {SA_Depth, 8}, {TAG_DONE, 0}};
    Screen* small = OpenScreenTagList(nullptr, tags);
    ASSERT_NE(small, nullptr);
    GUIElement::GlobalScreen = small;
    EXPECT_EQ(KesaScreen::Width(), 320);
    EXPECT_EQ(KesaScreen::Height(), 240);
    // The pointer as intuition keeps it in each screen.
    small->MouseX = 17;
    small->MouseY = 23;
    EXPECT_EQ(KesaScreen::GetMouseXY(), (tagPOINT{17, 23}));
    GUIElement::GlobalScreen = nullptr;
    pub = LockPubScreen(nullptr);
    pub->MouseX = 5;
    pub->MouseY = 6;
    UnlockPubScreen(nullptr, pub);
    EXPECT_EQ(KesaScreen::GetMouseXY(), (tagPOINT{5, 6}));
    EXPECT_TRUE(CloseScreen(small));
}

TEST_F(ScreenTest, ScrollingMovesDownOnePixelPerLineUntilOffTheDisplay)
{
    KesaScreen screen("Kesa Pegline");
    Screen* handle = screen.GetHandle();
    ASSERT_NE(handle, nullptr);
    ASSERT_EQ(handle->TopEdge, 0);
    screen.Scrolling();
    EXPECT_EQ(handle->TopEdge, 600); // 600 one-pixel steps
}

TEST_F(ScreenTest, CloseIsHarmlessTwiceAndReportsAScreenThatStaysOpen)
{
    KesaScreen screen("Kesa Pegline");
    Screen* handle = screen.GetHandle();
    ASSERT_NE(handle, nullptr);

    // A window still open keeps the screen open: the failure is reported, not hidden.
    const TagItem windowTags[] = {
        {WA_CustomScreen, reinterpret_cast<IPTR>(handle)}, {WA_Width, 100}, {WA_Height, 50}, {TAG_DONE, 0}};
    Window* window = OpenWindowTagList(nullptr, windowTags);
    ASSERT_NE(window, nullptr);
    GUIElement::GlobalScreen = handle; // as the first window on it would have set it
    EXPECT_FALSE(screen.Close());
    EXPECT_EQ(screen.GetHandle(), handle);
    EXPECT_EQ(GUIElement::GlobalScreen, handle);
    CloseWindow(window);

    EXPECT_TRUE(screen.Close());
    EXPECT_EQ(screen.GetHandle(), nullptr);
    EXPECT_EQ(GUIElement::GlobalScreen, nullptr); // no dangling shared screen
    EXPECT_TRUE(screen.Close());
    screen.Scrolling(); // nothing to slide
    EXPECT_EQ(FrontScreen(), nullptr);
}

TEST_F(ScreenTest, AScreenThatDoesNotOpenIsAnErrorAndAFreedScreenIsNotShared)
{
    {
        KesaScreen screen("Kesa Pegline");
        ASSERT_NE(screen.GetHandle(), nullptr);
        EXPECT_EQ(screen.IsError(), 0);
        screen.createHardwareScreen(0, 0); // no such size: the program must not use it
        EXPECT_EQ(screen.GetHandle(), nullptr);
        EXPECT_NE(screen.IsError(), 0);
        screen.createHardwareScreen(800, 600);
        ASSERT_NE(screen.GetHandle(), nullptr);
        EXPECT_EQ(screen.IsError(), 0);
        GUIElement::GlobalScreen = screen.GetHandle(); // as the first window on it would have set it
    }
    // Destroyed without Close(): the sizes come from the public screen again, not from freed memory.
    EXPECT_EQ(GUIElement::GlobalScreen, nullptr);
    Screen* pub = LockPubScreen(nullptr);
    ASSERT_NE(pub, nullptr);
    const int pubWidth = pub->Width;
    UnlockPubScreen(nullptr, pub);
    EXPECT_EQ(KesaScreen::Width(), pubWidth);
}
