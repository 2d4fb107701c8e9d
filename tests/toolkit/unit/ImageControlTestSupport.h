// SPDX-License-Identifier: MIT
// For the image control tests: small planar pictures made from a pen rule, and a real
// window on the program's screen to paint into, read back pixel by pixel.
#pragma once

#include "platform/gadtools/GadTools.h"
#include "platform/graphics/Graphics.h"
#include "platform/intuition/Images.h"
#include "platform/testing/InputTesting.h"
#include "platform/testing/Testing.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/KesaScreen.h"
#include "tests/support/ToolkitFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

// A picture of the given size whose pixel (x, y) is pen(x, y), in the platform's planar
// layout (PlanePick feeds planes 0 to depth - 1).
class TestPicture {
public:
    TestPicture(int width, int height, int depth, const std::function<int(int, int)>& pen)
    {
        const size_t rowBytes = 2 * ((static_cast<size_t>(width) + 15) / 16);
        const size_t planeBytes = rowBytes * static_cast<size_t>(height);
        // Whole words, so the planes can be handed over as the platform's UWORD pointer.
        words.assign((planeBytes * static_cast<size_t>(depth) + 1) / 2, 0);
        auto* bytes = reinterpret_cast<amiga::UBYTE*>(words.data());
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int p = 0; p < depth; ++p)
                    if ((pen(x, y) >> p) & 1)
                        bytes[planeBytes * static_cast<size_t>(p) + rowBytes * static_cast<size_t>(y) +
                              static_cast<size_t>(x) / 8] |= static_cast<amiga::UBYTE>(0x80u >> (x % 8));
        image.Width = static_cast<amiga::WORD>(width);
        image.Height = static_cast<amiga::WORD>(height);
        image.Depth = static_cast<amiga::WORD>(depth);
        image.ImageData = words.data();
        image.PlanePick = static_cast<amiga::UBYTE>((1u << depth) - 1);
    }
    TestPicture(const TestPicture&) = delete;
    TestPicture& operator=(const TestPicture&) = delete;

    amiga::Image* Get() { return &image; }
    size_t Bytes() const { return words.size() * 2; }

private:
    std::vector<amiga::UWORD> words;
    amiga::Image image{};
};

// A window on the program's screen with background pen 3, as the game's windows are made.
class ImageWindowTest : public ToolkitFixture {
protected:
    static constexpr amiga::ULONG WindowPen = 3;

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ToolkitFixture::SetUp());
        screen = std::make_unique<KesaScreen>("Images");
        ASSERT_NE(screen->GetHandle(), nullptr);
        form = std::make_unique<Form>(0);
        form->SetScreen(screen.get());
        form->SetBackgroundColor(WindowPen);
        form->Show();
        ASSERT_TRUE(form->IsLoad());
        rp = form->GetHandle()->RPort;
        // The window's own paint: its background.
        amiga::SetRast(rp, WindowPen);
    }
    void TearDown() override
    {
        Application::SospendiRefresh = 0;
        form.reset();
        ToolkitFixture::TearDown();
    }

    long At(int x, int y) const { return amiga::ReadPixel(rp, x, y); }
    // Paints a rectangle behind the controls' backs, to see what they paint over.
    void Scribble(int x, int y, int w, int h, amiga::ULONG pen)
    {
        amiga::SetAPen(rp, pen);
        amiga::RectFill(rp, x, y, x + w - 1, y + h - 1);
    }
    int CountPen(int x, int y, int w, int h, long pen) const { return ::CountPen(rp, x, y, w, h, pen); }

    std::unique_ptr<Form> form;
    amiga::RastPort* rp = nullptr;
};
