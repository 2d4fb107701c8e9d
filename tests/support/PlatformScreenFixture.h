// SPDX-License-Identifier: MIT
// An 800 x 600 Workbench-like screen for tests that open windows on the platform alone; the
// platform goes back to its starting state after each test.
#pragma once

#include "platform/intuition/Intuition.h"
#include "platform/testing/InputTesting.h"
#include "platform/testing/Testing.h"

#include <gtest/gtest.h>

class PlatformScreenFixture : public ::testing::Test {
protected:
    amiga::Screen* screen = nullptr;

    void SetUp() override
    {
        using namespace amiga;
        screen = OpenScreenTags(nullptr, SA_Depth, 8, SA_LikeWorkbench, TRUE, SA_Width, 800, SA_Height, 600, SA_Title,
                                "Test", TAG_DONE);
        ASSERT_NE(screen, nullptr) << IntuitionLastError();
    }
    void TearDown() override
    {
        amiga::ResetIntuition();
        amiga::ResetPlatform();
    }
};
