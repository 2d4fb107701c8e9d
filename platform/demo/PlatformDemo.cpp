// SPDX-License-Identifier: MIT
// platform-demo: a desktop screen with a backdrop window and a dialog, drawn through the
// platform stand-in's own calls. With KESA_SCREENSHOT set it saves the screen there and exits.
#include "platform/diskfont/DiskFont.h"
#include "platform/gadtools/GadTools.h"
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace amiga;

namespace {

void Print(RastPort* rp, int x, int y, const char* text)
{
    Move(rp, x, y);
    Text(rp, text, static_cast<ULONG>(std::strlen(text)));
}

// A 48 × 48 picture in three planes: a peg on a recessed hole, built pixel by pixel into the
// platform's planar layout (rows of words, most significant byte first, plane after plane).
std::vector<UBYTE> PegImageData()
{
    constexpr int size = 48, depth = 3, rowBytes = (size + 15) / 16 * 2;
    std::vector<UBYTE> data(static_cast<size_t>(rowBytes * size * depth), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int dx = x - 23, dy = y - 23;
            const int d2 = dx * dx + dy * dy;
            int pen = 0;
            if (d2 <= 20 * 20) {
                pen = 4; // the peg
                if (d2 <= 12 * 12 && dx + dy < -6) {
                    pen = 7; // its highlight
                } else if (dx + dy > 14) {
                    pen = 5; // its shade
                }
            } else if (d2 <= 23 * 23) {
                pen = 1; // the hole's rim
            }
            for (int plane = 0; plane < depth; ++plane) {
                if ((pen >> plane) & 1) {
                    data[static_cast<size_t>(plane * rowBytes * size + y * rowBytes + x / 8)] |=
                        static_cast<UBYTE>(0x80 >> (x % 8));
                }
            }
        }
    }
    return data;
}

} // namespace

int main()
{
    Screen* screen =
        OpenScreenTags(nullptr, SA_Depth, 8, SA_LikeWorkbench, TRUE, SA_BlockPen, 2, SA_DetailPen, 1, SA_Type,
                       CUSTOMSCREEN, SA_Width, 800, SA_Height, 600, SA_Title, "Kesa Pegline - platform demo", TAG_DONE);
    if (screen == nullptr) {
        std::fprintf(stderr, "platform-demo: %s\n", IntuitionLastError());
        return 1;
    }
    // The demo's own colours after the desktop's: peg colours at 32..39.
    static const ULONG palette[] = {
        8u << 16 | 32, 0xE0000000, 0x30000000, 0x30000000, 0x30000000, 0xB0000000, 0x40000000, 0x30000000, 0x60000000,
        0xE0000000,    0xF0000000, 0xD0000000, 0x20000000, 0xF0000000, 0x80000000, 0x10000000, 0x90000000, 0x30000000,
        0xC0000000,    0x20000000, 0xC0000000, 0xC0000000, 0xF8000000, 0xF8000000, 0xF8000000, 0,
    };
    LoadRGB32(&screen->ViewPort, palette);

    Window* desk = OpenWindowTags(nullptr, WA_Left, 0, WA_Top, 0, WA_Width, 800, WA_Height, 600, WA_CustomScreen,
                                  screen, WA_Flags, WFLG_BACKDROP | WFLG_BORDERLESS | WFLG_REPORTMOUSE, WA_IDCMP,
                                  IDCMP_CLOSEWINDOW | IDCMP_MOUSEBUTTONS, TAG_DONE);
    if (desk == nullptr) {
        std::fprintf(stderr, "platform-demo: %s\n", IntuitionLastError());
        CloseScreen(screen);
        return 1;
    }
    RastPort* rp = desk->RPort;
    SetRast(rp, 0);

    TextAttr helveticaAttr{"helvetica.font", 24, FS_NORMAL, FPF_DISKFONT};
    TextAttr topaz8Attr{"topaz.font", 8, FS_NORMAL, FPF_ROMFONT};
    TextAttr topaz9Attr{"topaz.font", 9, FS_NORMAL, FPF_ROMFONT};
    TextFont* helvetica = OpenDiskFont(&helveticaAttr);
    TextFont* topaz8 = OpenFont(&topaz8Attr);
    TextFont* topaz9 = OpenFont(&topaz9Attr);

    SetDrMd(rp, JAM1);
    SetAPen(rp, 1);
    if (helvetica != nullptr) {
        SetFont(rp, helvetica);
        Print(rp, 24, 50, "Kesa Pegline platform");
    }
    SetFont(rp, topaz9);
    Print(rp, 24, 72, "topaz.font 9: The quick brown fox jumps over the lazy dog. 0123456789");
    SetFont(rp, topaz8);
    Print(rp, 24, 88, "topaz.font 8: screens, windows, gadgets, lines, images and fonts, all in software.");

    // Lines: solid, dashed and dotted, in a recessed panel.
    APTR visual = GetVisualInfoA(screen, nullptr);
    DrawBevelBox(rp, 20, 104, 360, 110, GT_VisualInfo, visual, GTBB_Recessed, TRUE, TAG_DONE);
    const struct {
        UWORD pattern;
        ULONG pen;
        const char* name;
    } lines[] = {{0xFFFF, 1, "solid"}, {0xFF00, 3, "dashed"}, {0xAAAA, 1, "dotted"}};
    for (int i = 0; i < 3; ++i) {
        const int y = 124 + i * 30;
        SetAPen(rp, lines[i].pen);
        SetDrPt(rp, lines[i].pattern);
        Move(rp, 30, y);
        Draw(rp, 300, y);
        SetDrPt(rp, 0xFFFF);
        SetAPen(rp, 1);
        Print(rp, 310, y + 3, lines[i].name);
    }
    SetAPen(rp, 32);
    SetDrPt(rp, 0xF0F0);
    Move(rp, 30, 205);
    Draw(rp, 370, 112);
    SetDrPt(rp, 0xFFFF);

    // Rectangles: the desktop's pens and the demo's peg colours, as swatches.
    for (int i = 0; i < 16; ++i) {
        SetAPen(rp, static_cast<ULONG>(i < 8 ? i : 24 + i));
        RectFill(rp, 24 + i * 22, 232, 24 + i * 22 + 17, 255);
        SetAPen(rp, 1);
        Move(rp, 24 + i * 22, 232);
        Draw(rp, 24 + i * 22 + 17, 232);
        Draw(rp, 24 + i * 22 + 17, 255);
        Draw(rp, 24 + i * 22, 255);
        Draw(rp, 24 + i * 22, 232);
    }

    // Pixels: a field of dots in a colour ramp.
    for (int y = 0; y < 60; y += 3) {
        for (int x = 0; x < 340; x += 3) {
            SetAPen(rp, static_cast<ULONG>(20 + (x / 3 + y / 3) % 216));
            WritePixel(rp, 24 + x, 272 + y);
        }
    }

    // A planar image drawn four times: plain, with the planes moved up to the demo's colours.
    std::vector<UBYTE> pegData = PegImageData();
    Image peg{0, 0, 48, 48, 3, reinterpret_cast<UWORD*>(pegData.data()), 0x07, 0x00, nullptr};
    DrawImage(rp, &peg, 24, 350);
    Image tinted = peg;
    tinted.PlanePick = 0x07;
    tinted.PlaneOnOff = 0x20; // pens 32..39
    for (int i = 1; i < 4; ++i) {
        DrawImage(rp, &tinted, 24 + i * 56, 350);
    }
    SetAPen(rp, 1);
    Print(rp, 24, 414, "A planar Image: PlanePick 7, PlaneOnOff 0 and 0x20.");

    // The dialog: title bar, close and depth gadgets, gadtools gadgets.
    Gadget* glist = nullptr;
    Gadget* last = CreateContext(&glist);
    NewGadget text{16, 14, 240, 16, "Status", nullptr, 1, PLACETEXT_ABOVE, visual, nullptr};
    text.ng_TopEdge = 26;
    last = CreateGadget(TEXT_KIND, last, &text, GTTX_Text, "Ready to play", GTTX_Border, TRUE, TAG_DONE);
    NewGadget sound{140, 58, 26, 11, "Sound", nullptr, 2, PLACETEXT_LEFT, visual, nullptr};
    last = CreateGadget(CHECKBOX_KIND, last, &sound, GTCB_Checked, TRUE, TAG_DONE);
    NewGadget ok{16, 96, 100, 20, "OK", nullptr, 3, 0, visual, nullptr};
    last = CreateGadgetA(BUTTON_KIND, last, &ok, nullptr);
    NewGadget cancel{180, 96, 100, 20, "Cancel", nullptr, 4, 0, visual, nullptr};
    last = CreateGadgetA(BUTTON_KIND, last, &cancel, nullptr);
    Window* dialog = OpenWindowTags(nullptr, WA_Left, 440, WA_Top, 150, WA_InnerWidth, 300, WA_InnerHeight, 130,
                                    WA_CustomScreen, screen, WA_Title, "Platform demo", WA_Flags, 0x120E, WA_IDCMP,
                                    IDCMP_CLOSEWINDOW | IDCMP_GADGETUP, WA_AutoAdjust, TRUE, TAG_DONE);
    if (dialog != nullptr) {
        // Gadget positions are given inside the borders, as gadtools users write them.
        for (Gadget* g = glist->NextGadget; g != nullptr; g = g->NextGadget) {
            g->LeftEdge = static_cast<WORD>(g->LeftEdge + dialog->BorderLeft);
            g->TopEdge = static_cast<WORD>(g->TopEdge + dialog->BorderTop);
        }
        AddGList(dialog, glist, static_cast<UWORD>(~0), -1, nullptr);
        RefreshGList(glist, dialog, nullptr, -1);
        GT_RefreshWindow(dialog, nullptr);
    }

    int result = 0;
    if (const char* path = std::getenv("KESA_SCREENSHOT"); path != nullptr && *path != '\0') {
        std::string error;
        if (!SaveScreenPNG(screen, path, &error)) {
            std::fprintf(stderr, "platform-demo: %s\n", error.c_str());
            result = 1;
        }
    } else {
        bool running = true;
        while (running) {
            ULONG mask = 1u << desk->UserPort->mp_SigBit;
            if (dialog != nullptr) {
                mask |= 1u << dialog->UserPort->mp_SigBit;
            }
            Wait(mask);
            while (IntuiMessage* message = GT_GetIMsg(desk->UserPort)) {
                running = running && message->Class != IDCMP_CLOSEWINDOW;
                GT_ReplyIMsg(message);
            }
            bool closeDialog = false;
            while (dialog != nullptr && !closeDialog) {
                IntuiMessage* message = GT_GetIMsg(dialog->UserPort);
                if (message == nullptr) {
                    break;
                }
                closeDialog =
                    message->Class == IDCMP_CLOSEWINDOW ||
                    (message->Class == IDCMP_GADGETUP && static_cast<Gadget*>(message->IAddress)->GadgetID >= 3);
                GT_ReplyIMsg(message);
            }
            if (closeDialog) {
                CloseWindow(dialog);
                dialog = nullptr;
            }
        }
    }

    if (dialog != nullptr) {
        CloseWindow(dialog);
    }
    FreeGadgets(glist);
    CloseWindow(desk);
    FreeVisualInfo(visual);
    if (helvetica != nullptr) {
        CloseFont(helvetica);
    }
    CloseFont(topaz8);
    CloseFont(topaz9);
    CloseScreen(screen);
    return result;
}
