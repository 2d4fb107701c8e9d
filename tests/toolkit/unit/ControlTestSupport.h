// SPDX-License-Identifier: MIT
// What the control tests share: the program's screen with the game's first colours and a
// main window to place controls in, pen readers, and the controls made by a test destroyed
// before the window.
#pragma once

#include "platform/graphics/Graphics.h"
#include "platform/intuition/Intuition.h"
#include "platform/testing/InputTesting.h"
#include "platform/testing/Testing.h"
#include "platform/gadtools/GadTools.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/Child.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/KesaScreen.h"

#include "ElementTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// The first 32 colours of the game's palette, enough to look at the screenshots.
inline void LoadTestColours(amiga::Screen* screen)
{
    static const amiga::ULONG colours[32] = {
        0xC0C0C0, 0x000000, 0xFFFFFF, 0x00A6D6, 0x0000FF, 0xCF3B76, 0x00FFFF, 0x964B00,
        0xFFA500, 0x80FF80, 0xFFFF00, 0x991199, 0xC8A0C8, 0x00FF00, 0xFFFF55, 0x00AA00,
        0xEFEFEF, 0xFF0000, 0xD3D3D3, 0xFFFDE5, 0xB7B7B7, 0xABABAB, 0x9B9B9B, 0x8F8F8F,
        0x7F7F7F, 0x737373, 0x676767, 0x575757, 0x4B4B4B, 0x3B3B3B, 0x2F2F2F, 0x232323};
    for (amiga::ULONG pen = 0; pen < 32; ++pen) {
        const amiga::ULONG rgb = colours[pen];
        amiga::SetRGB32(&screen->ViewPort, pen, ((rgb >> 16) & 0xFF) * 0x01010101u, ((rgb >> 8) & 0xFF) * 0x01010101u,
                        (rgb & 0xFF) * 0x01010101u);
    }
}

class ControlFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(workingDirectory.Ready());
        amiga::ResetIntuition();
        amiga::ResetPlatform();
        GUIElement::GlobalScreen = nullptr;
        GUIElement::GlobalVisualInfo = nullptr;
        Application::ResetRiferimenti();
        Application::SospendiRefresh = 0;
        Application::postQuit = 0;
        screen = std::make_unique<KesaScreen>("Kesa Pegline");
        ASSERT_NE(screen->GetHandle(), nullptr);
        LoadTestColours(screen->GetHandle());
        main = std::make_unique<Form>(0);
        main->SetScreen(screen.get());
        main->Show();
        ASSERT_TRUE(main->IsLoad());
    }
    void TearDown() override
    {
        controls.clear();
        forms.clear();
        main.reset();
        if (GUIElement::GlobalVisualInfo)
            amiga::FreeVisualInfo(GUIElement::GlobalVisualInfo);
        GUIElement::GlobalScreen = nullptr;
        GUIElement::GlobalVisualInfo = nullptr;
        Application::ResetRiferimenti();
        Application::SospendiRefresh = 0;
        Application::postQuit = 0;
        screen.reset();
        amiga::ResetIntuition();
        amiga::ResetPlatform();
        EXPECT_TRUE(Application::lst.empty());
    }

    // A control owned by the test, destroyed before the windows.
    template <typename T, typename... Args>
    T* Add(Args&&... args)
    {
        auto element = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = element.get();
        controls.push_back(std::unique_ptr<Child>(element.release()));
        return raw;
    }

    amiga::RastPort* Rp() const { return main->GetHandle()->RPort; }
    // The pen at a point of the main window (which covers the screen).
    int Pen(int x, int y) const { return static_cast<int>(amiga::ReadPixel(Rp(), x, y)); }
    // How many pixels of the rectangle are in the pen.
    int Count(int left, int top, int w, int h, int pen) const
    {
        int n = 0;
        for (int y = top; y < top + h; ++y)
            for (int x = left; x < left + w; ++x)
                n += Pen(x, y) == pen ? 1 : 0;
        return n;
    }
    // Fills the whole window in one pen, so that any painting shows.
    void Clear(int pen) const
    {
        amiga::SetAPen(Rp(), static_cast<amiga::ULONG>(pen));
        amiga::RectFill(Rp(), 0, 0, 799, 599);
    }

    ScopedWorkingDirectory workingDirectory;
    std::unique_ptr<KesaScreen> screen;
    std::unique_ptr<Form> main;
    std::vector<std::unique_ptr<Form>> forms;
    std::vector<std::unique_ptr<Child>> controls;
};
