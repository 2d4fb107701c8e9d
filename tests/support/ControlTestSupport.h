// SPDX-License-Identifier: MIT
// What the control tests share: the program's screen with the game's palette and a
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
#include "toolkit/data/Palette.h"
#include "tests/support/GoldenPicture.h"
#include "tests/support/ToolkitFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class ControlFixture : public ToolkitFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ToolkitFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(OpenGameScreen());
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
        ToolkitFixture::TearDown();
    }

    amiga::RastPort* Rp() const { return main->GetHandle()->RPort; }
    // The pen at a point of the main window (which covers the screen).
    int Pen(int x, int y) const { return static_cast<int>(amiga::ReadPixel(Rp(), x, y)); }
    int Count(int left, int top, int w, int h, int pen) const { return CountPen(Rp(), left, top, w, h, pen); }
    // Fills the whole window in one pen, so that any painting shows.
    void Clear(int pen) const
    {
        amiga::SetAPen(Rp(), static_cast<amiga::ULONG>(pen));
        amiga::RectFill(Rp(), 0, 0, 799, 599);
    }

    // The composed screen's rectangle against tests/data/<name>.png; a mismatch leaves the
    // actual and difference pictures in the build's tests directory.
    static ::testing::AssertionResult LooksLike(const testsupport::PenPicture& actual, const std::string& name)
    {
        return testsupport::MatchesGolden(actual, std::string(KESA_TEST_DATA_DIR) + "/" + name + ".png",
                                          std::string(KESA_BINARY_DIR) + "/tests");
    }
    ::testing::AssertionResult ScreenLooksLike(int left, int top, int w, int h, const std::string& name) const
    {
        return LooksLike(testsupport::CutScreen(amiga::ComposeScreen(screen->GetHandle()), left, top, w, h), name);
    }

    std::unique_ptr<Form> main;
    std::vector<std::unique_ptr<Form>> forms;
};
