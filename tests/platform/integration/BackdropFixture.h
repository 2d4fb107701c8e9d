// SPDX-License-Identifier: MIT
// A 640 x 480 screen under one active, borderless backdrop window; the platform goes back to
// its starting state, requester answers not used included, after each test.
#pragma once

#include "platform/intuition/Intuition.h"
#include "platform/testing/InputTesting.h"
#include "platform/testing/RequesterTesting.h"
#include "platform/testing/Testing.h"

#include <gtest/gtest.h>

class BackdropFixture : public ::testing::Test {
protected:
    void OpenBackdrop(const char* title, amiga::ULONG idcmp)
    {
        using namespace amiga;
        screen = OpenScreenTags(nullptr, SA_Width, 640, SA_Height, 480, SA_Depth, 8, SA_Title, title, SA_Type,
                                CUSTOMSCREEN, TAG_DONE);
        ASSERT_NE(screen, nullptr) << IntuitionLastError();
        window =
            OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Left, 0, WA_Top, 0, WA_Width, 640, WA_Height, 480,
                           WA_Flags, WFLG_BACKDROP, WA_Borderless, TRUE, WA_Activate, TRUE, WA_IDCMP, idcmp, TAG_DONE);
        ASSERT_NE(window, nullptr) << IntuitionLastError();
    }
    void TearDown() override
    {
        amiga::ClearRequesterAnswers();
        amiga::ResetIntuition();
        amiga::ResetPlatform();
    }

    amiga::Screen* screen = nullptr;
    amiga::Window* window = nullptr;
};
