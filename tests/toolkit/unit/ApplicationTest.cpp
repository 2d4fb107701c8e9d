// SPDX-License-Identifier: MIT
// Application against the platform: input that piled up while a modal box was shown is
// thrown away.
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "platform/testing/Testing.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/Form.h"

#include <gtest/gtest.h>

using namespace amiga;

namespace {

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        screen = OpenScreenTags(nullptr, SA_Depth, 8, SA_LikeWorkbench, TRUE, SA_Width, 320, SA_Height, 200, SA_Title,
                                "Test", TAG_DONE);
        ASSERT_NE(screen, nullptr) << IntuitionLastError();
        window = OpenWindowTags(nullptr, WA_Left, 0, WA_Top, 0, WA_Width, 100, WA_Height, 60, WA_CustomScreen, screen,
                                WA_IDCMP, Form::WindowIDCMP, TAG_DONE);
        ASSERT_NE(window, nullptr) << IntuitionLastError();
    }
    void TearDown() override
    {
        ResetIntuition();
        ResetPlatform();
    }

    Screen* screen = nullptr;
    Window* window = nullptr;
};

TEST_F(ApplicationTest, CancellaBufferDiscardsEveryPendingMessage)
{
    ChangeWindowBox(window, 10, 10, 150, 80); // a new size and a refresh
    Application::CancellaBuffer(window);
    EXPECT_TRUE(DrainMessages(window).empty());

    // The same messages reach the window when nobody discards them.
    ChangeWindowBox(window, 10, 10, 200, 100);
    EXPECT_GE(DrainMessages(window).size(), 2u);

    Application::CancellaBuffer(nullptr); // harmless
}

} // namespace
