// SPDX-License-Identifier: MIT
// The viewport every host shares: where the screen sits in a window or page, and which screen
// pixel a host pixel points at.
#include "platform/host/Viewport.h"

#include <gtest/gtest.h>

#include <vector>

using amiga::host::ComputeViewport;
using amiga::host::ToScreen;
using amiga::host::Viewport;

namespace {

struct Case {
    int windowW, windowH, screenW, screenH;
    Viewport expected;
};

const Case kCases[] = {
    {800, 600, 800, 600, {1, 0, 0, 800, 600}},
    {1920, 1080, 800, 600, {2, 240, 0, 1440, 1080}}, // fit 1.8: fills the height, smoothed
    {2560, 1440, 800, 600, {3, 320, 0, 1920, 1440}}, // fit 2.4: 2x would leave a sixth unused
    {1024, 768, 800, 600, {2, 0, 0, 1024, 768}},     // fit 1.28
    {640, 480, 800, 600, {1, 0, 0, 640, 480}},       // smaller than the screen
    {390, 844, 800, 600, {1, 0, 276, 390, 292}},     // a phone held upright: width-bound
    {1000, 1080, 800, 600, {2, 0, 165, 1000, 750}},  // width-bound above 1x
    {1700, 1250, 800, 600, {2, 50, 25, 1600, 1200}}, // fit 2.08: 2x fills it well
    {3840, 2160, 800, 600, {4, 480, 0, 2880, 2160}}, // fit 3.6
    {200, 1000, 90, 60, {2, 10, 440, 180, 120}},     // fit 2.22: whole 2 is exactly 0.9 of it
    {201, 1000, 90, 60, {3, 0, 433, 201, 134}},      // just past it
};

std::string Name(const Case& c)
{
    return std::to_string(c.windowW) + "x" + std::to_string(c.windowH) + " for " + std::to_string(c.screenW) + "x" +
           std::to_string(c.screenH);
}

} // namespace

TEST(Viewport, FillsTheWindowWithTheScreensAspect)
{
    for (const Case& c : kCases) {
        const Viewport view = ComputeViewport(c.windowW, c.windowH, c.screenW, c.screenH);
        EXPECT_EQ(view.prescale, c.expected.prescale) << Name(c);
        EXPECT_EQ(view.x, c.expected.x) << Name(c);
        EXPECT_EQ(view.y, c.expected.y) << Name(c);
        EXPECT_EQ(view.width, c.expected.width) << Name(c);
        EXPECT_EQ(view.height, c.expected.height) << Name(c);
    }
}

// Along one axis, for every host pixel of the image: the screen pixel whose span in the image,
// [s * size / screen, (s + 1) * size / screen), holds the host pixel's centre. Every screen
// pixel is reached, in order; at a whole multiple each by exactly `prescale` host pixels.
// Outside the image the pointer is held to the edge.
void CheckAxis(const Viewport& view, int screenW, int screenH, bool columns, const std::string& name)
{
    const int start = columns ? view.x : view.y;
    const int size = columns ? view.width : view.height;
    const int screen = columns ? screenW : screenH;
    const bool sharp = size == screen * view.prescale;
    auto at = [&](int host) {
        int x = -1;
        int y = -1;
        // The other coordinate sits in the middle of the image.
        if (columns) {
            ToScreen(view, screenW, screenH, host, view.y + view.height / 2, x, y);
        } else {
            ToScreen(view, screenW, screenH, view.x + view.width / 2, host, x, y);
        }
        return columns ? x : y;
    };
    std::vector<int> hits(static_cast<size_t>(screen), 0);
    for (int host = start; host < start + size; ++host) {
        const int s = at(host);
        ASSERT_GE(s, 0) << name << " at " << host;
        ASSERT_LT(s, screen) << name << " at " << host;
        const long long centre2 = 2LL * (host - start) + 1; // twice the centre, relative to the image
        ASSERT_LE(2LL * s * size, centre2 * screen) << name << " at " << host;
        ASSERT_LT(centre2 * screen, 2LL * (s + 1) * size) << name << " at " << host;
        ++hits[static_cast<size_t>(s)];
    }
    for (int s = 0; s < screen; ++s) {
        if (sharp) {
            ASSERT_EQ(hits[static_cast<size_t>(s)], view.prescale) << name << " screen pixel " << s;
        } else if (size >= screen) {
            ASSERT_GE(hits[static_cast<size_t>(s)], 1) << name << " screen pixel " << s << " unreachable";
        }
    }
    EXPECT_EQ(at(start - 1), 0) << name;
    EXPECT_EQ(at(start - 1000), 0) << name;
    EXPECT_EQ(at(start + size), screen - 1) << name;
}

TEST(Viewport, EveryHostPixelMapsBackToTheScreenPixelShownThere)
{
    for (const Case& c : kCases) {
        const Viewport view = ComputeViewport(c.windowW, c.windowH, c.screenW, c.screenH);
        CheckAxis(view, c.screenW, c.screenH, true, Name(c) + " columns");
        CheckAxis(view, c.screenW, c.screenH, false, Name(c) + " rows");
    }
}
