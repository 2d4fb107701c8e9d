// SPDX-License-Identifier: MIT
// A whole multiple is the sharpest picture, so it wins whenever it leaves at most a tenth of
// the possible size unused; otherwise the picture fills the window and the host smooths it.
// Integer arithmetic throughout, so that every host maps the same pixel to the same place.
#include "platform/host/Viewport.h"

#include <algorithm>
#include <cstdint>

namespace amiga::host {

namespace {

int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int ToScreenAxis(int windowPos, int viewPos, int viewSize, int screenSize)
{
    if (viewSize <= 0 || screenSize <= 0) {
        return 0;
    }
    const int64_t at = FloorDiv((2 * int64_t{windowPos - viewPos} + 1) * screenSize, 2 * int64_t{viewSize});
    return static_cast<int>(std::clamp<int64_t>(at, 0, screenSize - 1));
}

} // namespace

Viewport ComputeViewport(int windowW, int windowH, int screenW, int screenH)
{
    Viewport view;
    if (screenW <= 0 || screenH <= 0 || windowW <= 0 || windowH <= 0) {
        return view;
    }
    // fit = num / den, the smaller of the two axes' ratios.
    int64_t num = windowW;
    int64_t den = screenW;
    if (int64_t{windowH} * screenW < int64_t{windowW} * screenH) {
        num = windowH;
        den = screenH;
    }
    const int64_t whole = num / den;
    if (whole >= 1 && 10 * whole * den >= 9 * num) {
        view.prescale = static_cast<int>(whole);
        view.width = static_cast<int>(screenW * whole);
        view.height = static_cast<int>(screenH * whole);
    } else {
        view.prescale = num > den ? static_cast<int>((num + den - 1) / den) : 1;
        view.width = static_cast<int>(screenW * num / den);
        view.height = static_cast<int>(screenH * num / den);
    }
    view.x = (windowW - view.width) / 2;
    view.y = (windowH - view.height) / 2;
    return view;
}

void ToScreen(const Viewport& view, int screenW, int screenH, int windowX, int windowY, int& x, int& y)
{
    x = ToScreenAxis(windowX, view.x, view.width, screenW);
    y = ToScreenAxis(windowY, view.y, view.height, screenH);
}

} // namespace amiga::host
