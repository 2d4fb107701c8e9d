// SPDX-License-Identifier: MIT
// The viewport arithmetic both hosts use.
#include "platform/host/Viewport.h"

#include <algorithm>
#include <cmath>

namespace amiga::host {

namespace {

// Floor division, also for a negative numerator (a pointer left of or above the image).
long long FloorDiv(long long a, long long b)
{
    const long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int Clamp(long long value, int high)
{
    return static_cast<int>(std::clamp<long long>(value, 0, std::max(0, high)));
}

} // namespace

Viewport ComputeViewport(int windowW, int windowH, int screenW, int screenH)
{
    Viewport view;
    if (screenW <= 0 || screenH <= 0 || windowW <= 0 || windowH <= 0) {
        view.width = std::max(0, screenW);
        view.height = std::max(0, screenH);
        return view;
    }
    const double fit = std::min(static_cast<double>(windowW) / screenW, static_cast<double>(windowH) / screenH);
    const int whole = static_cast<int>(std::floor(fit));
    if (whole >= 1 && whole >= 0.9 * fit) {
        // A whole multiple that fills the window well: sharp, nothing smoothed.
        view.prescale = whole;
        view.width = screenW * whole;
        view.height = screenH * whole;
    } else {
        // Enlarged past the size shown, then scaled down smoothly: every screen column keeps
        // a pure column, so no blurry smear and no uneven columns.
        view.prescale = fit > 1 ? static_cast<int>(std::ceil(fit)) : 1;
        // screen x fit, floored, in integers: a double product can land just under a whole
        // number (600 x 700 / 600).
        if (static_cast<long long>(windowW) * screenH <= static_cast<long long>(windowH) * screenW) {
            view.width = windowW;
            view.height = static_cast<int>(static_cast<long long>(windowW) * screenH / screenW);
        } else {
            view.height = windowH;
            view.width = static_cast<int>(static_cast<long long>(windowH) * screenW / screenH);
        }
    }
    view.x = (windowW - view.width) / 2;
    view.y = (windowH - view.height) / 2;
    return view;
}

void ToScreen(const Viewport& view, int screenW, int screenH, int windowX, int windowY, int& x, int& y)
{
    if (view.width <= 0 || view.height <= 0) {
        x = 0;
        y = 0;
        return;
    }
    x = Clamp(FloorDiv((2LL * (windowX - view.x) + 1) * screenW, 2LL * view.width), screenW - 1);
    y = Clamp(FloorDiv((2LL * (windowY - view.y) + 1) * screenH, 2LL * view.height), screenH - 1);
}

} // namespace amiga::host
