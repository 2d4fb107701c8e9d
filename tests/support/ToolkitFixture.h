// SPDX-License-Identifier: MIT
// The frame of every test that opens toolkit windows: a fresh working directory (where
// "log.txt" and the saved game land), and the toolkit's globals, its screen and the
// platform at their starting state on both sides of the test.
#pragma once

#include "platform/gadtools/GadTools.h"
#include "platform/graphics/Graphics.h"
#include "platform/testing/Testing.h"
#include "tests/support/TempDirectory.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/Child.h"
#include "toolkit/core/KesaScreen.h"
#include "toolkit/data/Palette.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

// How many pixels of the rectangle are in the pen.
inline int CountPen(amiga::RastPort* rp, int left, int top, int w, int h, long pen)
{
    int n = 0;
    for (int y = top; y < top + h; ++y)
        for (int x = left; x < left + w; ++x)
            n += amiga::ReadPixel(rp, x, y) == pen ? 1 : 0;
    return n;
}

class ToolkitFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(workingDirectory.Ok());
        // An earlier test's visual info went with its platform: not ours to free.
        GUIElement::GlobalVisualInfo = nullptr;
        Reset();
    }
    // A derived fixture destroys its controls and windows first.
    void TearDown() override
    {
        Reset();
        EXPECT_TRUE(Application::lst.empty());
        EXPECT_TRUE(Application::lstForm.empty());
    }

    // The game's own screen with the game palette, as the program opens it.
    void OpenGameScreen()
    {
        screen = std::make_unique<KesaScreen>("Kesa Pegline");
        ASSERT_NE(screen->GetHandle(), nullptr);
        amiga::LoadRGB32(&screen->GetHandle()->ViewPort, palettedata);
    }

    // A control owned by the test; a derived fixture destroys them before its windows.
    template <typename T, typename... Args> T* Add(Args&&... args)
    {
        auto element = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = element.get();
        controls.push_back(std::unique_ptr<Child>(element.release()));
        return raw;
    }

    ScopedWorkingDirectory workingDirectory;
    std::unique_ptr<KesaScreen> screen;
    std::vector<std::unique_ptr<Child>> controls;

private:
    // The visual info goes before its screen, as the program frees them; the platform reset
    // then closes what is still open and forgets the requester answers not yet used.
    void Reset()
    {
        if (GUIElement::GlobalVisualInfo != nullptr)
            amiga::FreeVisualInfo(GUIElement::GlobalVisualInfo);
        GUIElement::GlobalScreen = nullptr;
        GUIElement::GlobalVisualInfo = nullptr;
        Application::ResetRiferimenti();
        Application::SospendiRefresh = 0;
        Application::postQuit = 0;
        screen.reset();
        amiga::ResetPlatform();
    }
};
