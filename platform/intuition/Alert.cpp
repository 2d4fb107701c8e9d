// SPDX-License-Identifier: MIT
// DisplayAlert: the platform's alert box across the top of the front screen.
#include "platform/intuition/Requesters.h"

#include "platform/exec/Exec.h"
#include "platform/graphics/Internal.h"
#include "platform/intuition/Intuition.h"
#include "platform/intuition/State.h"
#include "platform/intuition/RequesterState.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace amiga {

namespace {

// The alert format carries no length, so a string that lacks a text's NUL or its last
// continuation byte 0 has no end a reader could find. Reading stops after this many bytes
// (a line cut short there is not drawn): ample for an alert's few lines (four lines of 77
// characters take 330 bytes). A string shorter than one line's three position bytes cannot
// be told from a valid one by any reader; callers must pass at least that.
constexpr size_t kMaxAlertBytes = 512;

// The pen whose colour lies nearest to `rgb` (0xRRGGBB).
UBYTE NearestPen(const Screen* screen, ULONG rgb)
{
    const ColorMap* colors = screen->ViewPort.ColorMap;
    if (colors == nullptr)
        return 1;
    const int count = std::clamp<int>(colors->Count, 1, 1 << std::min<int>(screen->BitMap.Depth, 8));
    int best = 0;
    long bestDistance = -1;
    for (int pen = 0; pen < count; ++pen) {
        const ULONG c = colors->ColorTable[pen];
        const long dr = static_cast<long>((c >> 16) & 0xFF) - static_cast<long>((rgb >> 16) & 0xFF);
        const long dg = static_cast<long>((c >> 8) & 0xFF) - static_cast<long>((rgb >> 8) & 0xFF);
        const long db = static_cast<long>(c & 0xFF) - static_cast<long>(rgb & 0xFF);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = pen;
        }
    }
    return static_cast<UBYTE>(best);
}

void DrawAlert(RastPort* rp, int width, int height, UBYTE black, UBYTE colour, CONST_STRPTR string)
{
    SetDrMd(rp, JAM1);
    SetAPen(rp, black);
    RectFill(rp, 0, 0, width - 1, height - 1);
    // The frame: thick sides, thinner top and bottom, inside the band's edge.
    SetAPen(rp, colour);
    RectFill(rp, 2, 2, width - 3, 4);
    RectFill(rp, 2, height - 5, width - 3, height - 3);
    RectFill(rp, 2, 2, 5, height - 3);
    RectFill(rp, width - 6, 2, width - 3, height - 3);
    if (string == nullptr)
        return;
    // Each line: x (16 bits, high byte first), y (the baseline) as one byte, the text, NUL,
    // then a continuation byte, nonzero when another line follows.
    const auto* bytes = reinterpret_cast<const UBYTE*>(string);
    size_t at = 0;
    while (kMaxAlertBytes - at > 3) {
        const int x = (bytes[at] << 8) | bytes[at + 1];
        const int y = bytes[at + 2];
        const char* text = reinterpret_cast<const char*>(bytes + at + 3);
        const size_t room = kMaxAlertBytes - at - 3;
        const size_t length = strnlen(text, room);
        if (length == room)
            return; // no NUL within the bound
        Move(rp, x, y);
        Text(rp, text, static_cast<ULONG>(length));
        at += 3 + length + 1;
        if (at == kMaxAlertBytes || bytes[at] == 0)
            return;
        ++at;
    }
}

} // namespace

BOOL DisplayAlert(ULONG alertNumber, CONST_STRPTR string, UWORD height)
{
    Screen* screen = internal::FrontScreenRecord();
    if (screen == nullptr)
        return FALSE;
    const int bandHeight = std::clamp<int>(height, 12, screen->Height);
    // The alert takes the whole display, as the platform's does, so that a click anywhere
    // answers it and none reaches a window: its window covers the screen and shows, below
    // the band, what the screen showed.
    std::vector<UBYTE> shown;
    internal::ComposeScreenInto(internal::Record(screen), shown);
    const auto tags =
        internal::MakeTagList(WA_CustomScreen, screen, WA_Left, 0, WA_Top, 0, WA_Width, screen->Width, WA_Height,
                              screen->Height, WA_Borderless, TRUE, WA_Activate, TRUE, WA_RMBTrap, TRUE, WA_SmartRefresh,
                              TRUE, WA_IDCMP, IDCMP_MOUSEBUTTONS, TAG_DONE);
    Window* window = OpenWindowTagList(nullptr, tags.data());
    if (window == nullptr)
        return FALSE;
    RastPort* rp = window->RPort;
    BitMap* pixels = rp->BitMap;
    for (int y = bandHeight; y < window->Height; ++y)
        std::memcpy(pixels->Pixels + static_cast<size_t>(y) * pixels->BytesPerRow,
                    shown.data() + static_cast<size_t>(y) * static_cast<size_t>(window->Width),
                    static_cast<size_t>(window->Width));
    ++pixels->Changes;
    SetFont(rp, internal::DefaultFont());
    SetClipRect(rp, 0, 0, window->Width - 1, bandHeight - 1); // the lines stay in the band
    const bool deadEnd = (alertNumber & DEADEND_ALERT) != 0;
    DrawAlert(rp, window->Width, bandHeight, NearestPen(screen, 0x000000),
              NearestPen(screen, deadEnd ? 0xFF0000 : 0xFFAA00), string);

    if (internal::gRequesterHooks.alertShown != nullptr)
        internal::gRequesterHooks.alertShown(window, bandHeight);

    // Left button: go on (TRUE); right button: FALSE. The alert closes once that button is
    // released, so that the release does not reach the window underneath.
    BOOL result = -1;
    bool released = false;
    const ULONG signal = 1UL << window->UserPort->mp_SigBit;
    while (!released) {
        Wait(signal);
        while (auto* message = reinterpret_cast<IntuiMessage*>(GetMsg(window->UserPort))) {
            if (message->Class == IDCMP_MOUSEBUTTONS) {
                if (result < 0 && message->Code == SELECTDOWN)
                    result = TRUE;
                else if (result < 0 && message->Code == MENUDOWN)
                    result = FALSE;
                else if ((result == TRUE && message->Code == SELECTUP) || (result == FALSE && message->Code == MENUUP))
                    released = true;
            }
            ReplyMsg(&message->ExecMessage);
        }
    }
    CloseWindow(window);
    // A dead-end alert does not restart anything here: the caller learns FALSE and ends.
    return deadEnd ? FALSE : result;
}

} // namespace amiga
