// SPDX-License-Identifier: MIT
// The viewport both hosts share: how the 800 x 600 screen fills a window or page, and the way
// back from a pointer position to the screen pixel.
#include "platform/host/Viewport.h"

#include <gtest/gtest.h>

using amiga::host::ComputeViewport;
using amiga::host::ToScreen;
using amiga::host::Viewport;

TEST(Viewport, FillsTheWindowSharplyWithTheAspectKept)
{
    struct Case {
        int windowW, windowH;
        Viewport expected;
    };
    const Case cases[] = {
        {800, 600, {1, 0, 0, 800, 600}},
        {1920, 1080, {2, 240, 0, 1440, 1080}},   // fit 1.8: pre-scaled twice, smoothed down
        {1700, 1250, {2, 50, 25, 1600, 1200}},   // 2 of 2.08: a whole multiple fills it well
        {2560, 1440, {3, 320, 0, 1920, 1440}},   // fit 2.4
        {2200, 1500, {3, 100, 0, 2000, 1500}},   // fit 2.5: 2 is not within 10 %
        {1000, 700, {2, 33, 0, 933, 700}},
        {390, 844, {1, 0, 276, 390, 292}},       // a phone: shrunk
        {880, 600, {1, 40, 0, 800, 600}},
    };
    for (const Case& c : cases) {
        const Viewport view = ComputeViewport(c.windowW, c.windowH, 800, 600);
        SCOPED_TRACE(testing::Message() << c.windowW << " x " << c.windowH);
        EXPECT_EQ(view.prescale, c.expected.prescale);
        EXPECT_EQ(view.x, c.expected.x);
        EXPECT_EQ(view.y, c.expected.y);
        EXPECT_EQ(view.width, c.expected.width);
        EXPECT_EQ(view.height, c.expected.height);
    }
}

TEST(Viewport, PointerPositionsMapBackToTheScreenPixelUnderThem)
{
    struct Case {
        int windowW, windowH, windowX, windowY, x, y;
    };
    const Case cases[] = {
        {1600, 1200, 247, 913, 123, 456},  // 2x: both window pixels of a screen pixel
        {1600, 1200, 246, 912, 123, 456},
        {1920, 1080, 240, 0, 0, 0},
        {1920, 1080, 241, 1, 0, 0},        // 1.8 window pixels per screen pixel
        {1920, 1080, 242, 2, 1, 1},
        {1920, 1080, 1679, 1079, 799, 599},
        {1000, 700, 34, 1, 1, 1},          // a near miss when the pixel's left edge is mapped
        {1920, 1080, 100, -20, 0, 0},      // outside the image: held to its edge
        {1920, 1080, 1900, 5000, 799, 599},
    };
    for (const Case& c : cases) {
        const Viewport view = ComputeViewport(c.windowW, c.windowH, 800, 600);
        int x = -1;
        int y = -1;
        ToScreen(view, 800, 600, c.windowX, c.windowY, x, y);
        EXPECT_EQ(x, c.x) << c.windowW << " x " << c.windowH << " at " << c.windowX << "," << c.windowY;
        EXPECT_EQ(y, c.y) << c.windowW << " x " << c.windowH << " at " << c.windowX << "," << c.windowY;
    }
}
