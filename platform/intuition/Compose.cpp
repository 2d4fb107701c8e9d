// SPDX-License-Identifier: MIT
// Composition of the front screen and its presentation through the host.
//
// The screen's own bitmap holds its background and title bar; each window holds its own
// pixels. The shown image is built back to front: screen, backdrop windows, the title bar
// again (it stays in front of backdrop windows), the other windows, a window outline being
// dragged, the open menu. Pixels are pen numbers all the way; the host converts them through
// the screen's palette. Nothing is composed or presented unless something changed.
#include "platform/intuition/State.h"
#include "platform/intuition/MenuState.h"
#include "platform/host/Host.h"

#include <algorithm>
#include <cstring>

namespace amiga::internal {

namespace {

void BlitWindow(const WindowRecord* window, UBYTE* out, int outWidth, int outHeight)
{
    const BitMap* bitmap = window->bitmap;
    const int x0 = std::max(0, static_cast<int>(window->LeftEdge));
    const int y0 = std::max(0, static_cast<int>(window->TopEdge));
    const int x1 = std::min(outWidth, window->LeftEdge + static_cast<int>(bitmap->Width));
    const int y1 = std::min(outHeight, window->TopEdge + static_cast<int>(bitmap->Rows));
    if (x1 <= x0 || y1 <= y0) {
        return;
    }
    for (int y = y0; y < y1; ++y) {
        const UBYTE* source =
            bitmap->Pixels + static_cast<size_t>(y - window->TopEdge) * bitmap->BytesPerRow + (x0 - window->LeftEdge);
        std::memcpy(out + static_cast<size_t>(y) * static_cast<size_t>(outWidth) + x0, source,
                    static_cast<size_t>(x1 - x0));
    }
}

// The outline of a window being moved or sized: a dotted frame that inverts what it crosses.
void DrawOutline(const Rectangle& box, UBYTE* out, int width, int height)
{
    auto plot = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < width && y < height && ((x + y) & 1) == 0) {
            out[static_cast<size_t>(y) * static_cast<size_t>(width) + x] ^= 0xFF;
        }
    };
    for (int x = box.MinX; x <= box.MaxX; ++x) {
        plot(x, box.MinY);
        plot(x, box.MaxY);
    }
    for (int y = box.MinY + 1; y < box.MaxY; ++y) {
        plot(box.MinX, y);
        plot(box.MaxX, y);
    }
}

BitMap WrapPixels(UBYTE* pixels, int width, int height, UBYTE depth)
{
    BitMap bitmap{};
    bitmap.BytesPerRow = static_cast<UWORD>(width);
    bitmap.Rows = static_cast<UWORD>(height);
    bitmap.Depth = depth;
    bitmap.Width = static_cast<UWORD>(width);
    bitmap.Pixels = pixels;
    return bitmap;
}

std::vector<uint64_t> Signature(const ScreenRecord* screen)
{
    auto& state = Intuition();
    std::vector<uint64_t> signature;
    signature.reserve(8 + 3 * screen->windows.size());
    signature.push_back(state.generation);
    signature.push_back(reinterpret_cast<uintptr_t>(screen));
    signature.push_back(screen->BitMap.Changes);
    signature.push_back(screen->colorMap->Changes);
    signature.push_back(static_cast<uint64_t>(screen->TopEdge));
    signature.push_back(MenuIsOpen() ? 1 : 0);
    for (const WindowRecord* window : screen->windows) {
        signature.push_back(reinterpret_cast<uintptr_t>(window->bitmap));
        signature.push_back(window->bitmap->Changes);
    }
    return signature;
}

// The screen as the display shows it, composed straight into the host's frame: no copy of
// the whole image besides the one the host keeps.
UBYTE* ComposeForHost(ScreenRecord* screen)
{
    UBYTE* frame = host::FrameBuffer(screen->Width, screen->Height);
    ComposeScreenInto(screen, frame);
    ShiftForDisplay(screen, frame);
    return frame;
}

// Makes sure the host window shows a screen of this size.
bool FitHost(ScreenRecord* screen)
{
    auto& state = Intuition();
    if (!host::IsWindowOpen()) {
        return false;
    }
    if (state.hostWidth != screen->Width || state.hostHeight != screen->Height) {
        if (!host::OpenWindow(screen->Width, screen->Height, screen->Title != nullptr ? screen->Title : "")) {
            return false;
        }
        state.hostWidth = screen->Width;
        state.hostHeight = screen->Height;
    }
    return true;
}

} // namespace

void ShiftForDisplay(ScreenRecord* screen, UBYTE* image)
{
    const int top = screen->TopEdge;
    if (top <= 0) {
        return;
    }
    const size_t rowBytes = static_cast<size_t>(screen->Width);
    const size_t rows = static_cast<size_t>(screen->Height);
    const size_t moved = std::min(rows, static_cast<size_t>(top));
    std::memmove(image + moved * rowBytes, image, (rows - moved) * rowBytes);
    std::memset(image, DarkestPen(screen->colorMap), moved * rowBytes);
}

UBYTE DarkestPen(const ColorMap* colorMap)
{
    int best = 0;
    ULONG bestLevel = ~0u;
    for (int pen = 0; pen < 256; ++pen) {
        const ULONG rgb = colorMap->ColorTable[pen];
        const ULONG level = 30 * ((rgb >> 16) & 0xFF) + 59 * ((rgb >> 8) & 0xFF) + 11 * (rgb & 0xFF);
        if (level < bestLevel) {
            bestLevel = level;
            best = pen;
        }
    }
    return static_cast<UBYTE>(best);
}

void ComposeScreenInto(ScreenRecord* screen, UBYTE* out)
{
    auto& state = Intuition();
    const int width = screen->Width;
    const int height = screen->Height;
    std::memcpy(out, screen->pixels.get(), static_cast<size_t>(width) * static_cast<size_t>(height));
    for (const WindowRecord* window : screen->windows) {
        if ((window->Flags & WFLG_BACKDROP) != 0) {
            BlitWindow(window, out, width, height);
        }
    }
    if ((screen->Flags & (SHOWTITLE | SCREENQUIET)) == SHOWTITLE) {
        const size_t rows = std::min<size_t>(static_cast<size_t>(screen->BarHeight) + 1, static_cast<size_t>(height));
        std::memcpy(out, screen->pixels.get(), rows * static_cast<size_t>(width));
    }
    for (const WindowRecord* window : screen->windows) {
        if ((window->Flags & WFLG_BACKDROP) == 0) {
            BlitWindow(window, out, width, height);
        }
    }
    if (state.drag.window != nullptr && state.drag.window->screen == screen) {
        DrawOutline(state.drag.outline, out, width, height);
    }
    if (screen == FrontScreenRecord() && MenuIsOpen()) {
        BitMap composed = WrapPixels(out, width, height, screen->BitMap.Depth);
        MenuDraw(&composed);
    }
}

void ComposeScreenInto(ScreenRecord* screen, std::vector<UBYTE>& out)
{
    out.resize(static_cast<size_t>(screen->Width) * static_cast<size_t>(screen->Height));
    ComposeScreenInto(screen, out.data());
}

void FlashScreen(ScreenRecord* screen)
{
    auto& state = Intuition();
    if (!FitHost(screen)) {
        return;
    }
    const UBYTE* shown = ComposeForHost(screen);
    ULONG inverted[256];
    for (int pen = 0; pen < 256; ++pen) {
        inverted[pen] = screen->colorMap->ColorTable[pen] ^ 0xFFFFFFu;
    }
    host::Present(shown, screen->Width, screen->Height, screen->Width, inverted);
    // One frame of flash: long enough to be seen, short enough never to hold anyone up.
    host::Hold(20000);
    host::Present(shown, screen->Width, screen->Height, screen->Width, screen->colorMap->ColorTable);
    state.presents += 2;
    state.lastSignature = Signature(screen);
}

void PresentFrontScreenIfChanged()
{
    auto& state = Intuition();
    ScreenRecord* screen = FrontScreenRecord();
    if (screen == nullptr || !FitHost(screen)) {
        return;
    }
    std::vector<uint64_t> signature = Signature(screen);
    if (signature == state.lastSignature) {
        return;
    }
    host::Present(ComposeForHost(screen), screen->Width, screen->Height, screen->Width, screen->colorMap->ColorTable);
    ++state.presents;
    state.lastSignature = std::move(signature);
}

} // namespace amiga::internal
