// SPDX-License-Identifier: MIT
// intuition's screens: opening and closing, depth and position on the display, the title
// bar, and the default public screen.
#include "platform/intuition/State.h"
#include "platform/host/Host.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include <sys/mman.h>

namespace amiga {

namespace internal {

namespace {

constexpr int kMaxScreenSize = 4096;
constexpr int kScreenDepthGadgetWidth = 23;
constexpr const char* kPublicScreenTitle = "Workbench Screen";

// The default colours: the desktop's four (grey, black, white, blue), four more of its
// tones, the pointer's colours at 17..19, a 6 × 6 × 6 colour cube and a grey ramp.
void LoadDefaultPalette(ColorMap* colorMap)
{
    // clang-format off
    static constexpr ULONG kFirst[20] = {
        0xAAAAAA, 0x000000, 0xFFFFFF, 0x6688BB, 0x999999, 0xBBBBBB, 0xBBAA99, 0xFFBBAA,
        0x000080, 0x008000, 0x800000, 0x808000, 0x800080, 0x008080, 0x555555, 0xDDDDDD,
        0x000000, 0xE04020, 0x000000, 0xEEDDCC,
    };
    // clang-format on
    ULONG* table = colorMap->ColorTable;
    std::copy(std::begin(kFirst), std::end(kFirst), table);
    int pen = 20;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                table[pen++] = static_cast<ULONG>((r * 51) << 16 | (g * 51) << 8 | (b * 51));
            }
        }
    }
    for (int i = 0; pen < 256; ++i, ++pen) {
        const ULONG level = static_cast<ULONG>(i * 255 / 19);
        table[pen] = level << 16 | level << 8 | level;
    }
    colorMap->Count = 256;
    ++colorMap->Changes;
}

void SetError(const TagItem* tags, ULONG code)
{
    if (auto* error = reinterpret_cast<ULONG*>(GetTagData(SA_ErrorCode, 0, tags))) {
        *error = code;
    }
}

bool SizeAndDepthFit(const TagItem* tags, LONG width, LONG height, LONG depth)
{
    if (depth < 1 || depth > 8) {
        SetError(tags, OSERR_TOODEEP);
        Fail("OpenScreenTagList: depth " + std::to_string(depth) + " is not 1..8");
        return false;
    }
    if (width < 1 || height < 1 || width > kMaxScreenSize || height > kMaxScreenSize) {
        SetError(tags, OSERR_NOMEM);
        Fail("OpenScreenTagList: size " + std::to_string(width) + " x " + std::to_string(height) + " is out of range");
        return false;
    }
    return true;
}

// The host window shows the front screen: the first one opens it, one of another size resizes it.
bool ShowOnHost(LONG width, LONG height, const char* title)
{
    auto& state = Intuition();
    if (host::IsWindowOpen() && state.hostWidth == width && state.hostHeight == height) {
        return true;
    }
    if (!host::OpenWindow(width, height, title != nullptr ? title : "")) {
        return false;
    }
    state.hostWidth = width;
    state.hostHeight = height;
    state.lastSignature.clear();
    return true;
}

// Type, flags, titles and pens.
void SetLook(ScreenRecord* screen, const TagItem* tags, bool likeWorkbench, const char* title, bool behind)
{
    screen->Flags = static_cast<UWORD>(GetTagData(SA_Type, CUSTOMSCREEN, tags)) & SCREENTYPE;
    if (GetTagData(SA_ShowTitle, TRUE, tags) != 0) {
        screen->Flags |= SHOWTITLE;
    }
    if (GetTagData(SA_Quiet, FALSE, tags) != 0) {
        screen->Flags |= SCREENQUIET;
    }
    if (behind) {
        screen->Flags |= SCREENBEHIND;
    }
    if (title != nullptr) {
        screen->title = title;
        screen->defaultTitle = title;
        screen->Title = screen->title.data();
        screen->DefaultTitle = screen->defaultTitle.data();
    }
    screen->DetailPen = static_cast<UBYTE>(GetTagData(SA_DetailPen, likeWorkbench ? 1 : 0, tags));
    screen->BlockPen = static_cast<UBYTE>(GetTagData(SA_BlockPen, likeWorkbench ? 2 : 1, tags));
    static constexpr UWORD kDefaultPens[NUMDRIPENS] = {0, 1, 1, 2, 1, 3, 1, 0, 2, 1, 2, 1};
    std::copy(std::begin(kDefaultPens), std::end(kDefaultPens), screen->pens);
}

// The title bar's ROM font, and the bar and window borders that go with it.
void SetFontAndBorders(ScreenRecord* screen)
{
    screen->fontAttr = TextAttr{"topaz.font", 8, FS_NORMAL, FPF_ROMFONT};
    screen->font = OpenFont(&screen->fontAttr);
    screen->Font = &screen->fontAttr;
    const int fontHeight = screen->font != nullptr ? screen->font->tf_YSize : 8;
    screen->BarVBorder = 1;
    screen->BarHBorder = 5;
    screen->MenuVBorder = 2;
    screen->MenuHBorder = 4;
    screen->BarHeight = static_cast<BYTE>(fontHeight + 2);
    screen->WBorTop = 2;
    screen->WBorLeft = 4;
    screen->WBorRight = 4;
    screen->WBorBottom = 2;
}

void SetColours(ScreenRecord* screen)
{
    screen->colorMap = GetColorMap(256);
    LoadDefaultPalette(screen->colorMap);
    screen->ViewPort.ColorMap = screen->colorMap;
    screen->ViewPort.DWidth = screen->Width;
    screen->ViewPort.DHeight = screen->Height;
    screen->ViewPort.DyOffset = screen->TopEdge;
}

// Zeroed pixels for a screen of this size; null when the system has no memory for them.
std::unique_ptr<UBYTE, UnmapPixels> MapPixels(LONG width, LONG height)
{
    const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height);
    void* pixels = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pixels == MAP_FAILED) {
        return {nullptr, UnmapPixels{}};
    }
    return {static_cast<UBYTE*>(pixels), UnmapPixels{size}};
}

// The screen's own pixels (background and title bar) and the RastPort that draws into them.
void SetBitMap(ScreenRecord* screen, LONG depth, std::unique_ptr<UBYTE, UnmapPixels> pixels)
{
    screen->pixels = std::move(pixels);
    screen->BitMap.BytesPerRow = static_cast<UWORD>(screen->Width);
    screen->BitMap.Rows = static_cast<UWORD>(screen->Height);
    screen->BitMap.Depth = static_cast<UBYTE>(depth);
    screen->BitMap.Width = static_cast<UWORD>(screen->Width);
    screen->BitMap.Pixels = screen->pixels.get();
    screen->BitMap.Changes = 1;
    InitRastPort(&screen->RastPort);
    screen->RastPort.BitMap = &screen->BitMap;
    SetFont(&screen->RastPort, screen->font);
}

void SetDrawInfo(ScreenRecord* screen, LONG depth)
{
    screen->drawInfo.dri_Version = 2;
    screen->drawInfo.dri_NumPens = NUMDRIPENS;
    screen->drawInfo.dri_Pens = screen->pens;
    screen->drawInfo.dri_Font = screen->font;
    screen->drawInfo.dri_Depth = static_cast<UWORD>(depth);
    screen->drawInfo.dri_ResolutionX = 44;
    screen->drawInfo.dri_ResolutionY = 44;
}

// NextScreen runs from the front towards the back.
void RelinkScreens()
{
    auto& screens = Intuition().screens;
    for (size_t i = 0; i < screens.size(); ++i) {
        screens[i]->NextScreen = i > 0 ? screens[i - 1].get() : nullptr;
    }
}

// In front, or behind all the others.
void AddScreen(std::unique_ptr<ScreenRecord> record, bool behind)
{
    auto& screens = Intuition().screens;
    ScreenRecord* screen = record.get();
    if (behind) {
        screens.insert(screens.begin(), std::move(record));
    } else {
        screens.push_back(std::move(record));
        host::SetTitle(screen->Title != nullptr ? screen->Title : "");
    }
    RelinkScreens();
    if ((screen->Flags & SHOWTITLE) != 0) {
        DrawScreenTitleBar(screen);
    }
    Touch();
}

// The screen's depth gadget: two overlapping boxes, as on the windows.
void DrawScreenDepthGadget(RastPort* rp, const ScreenRecord* screen, int gadgetLeft)
{
    const int bar = screen->BarHeight;
    SetAPen(rp, screen->pens[SHADOWPEN]);
    RectFill(rp, gadgetLeft, 0, gadgetLeft, bar - 1);
    const int boxW = 9;
    const int boxH = std::max(4, bar - 5);
    const int bx = gadgetLeft + 5;
    const int by = 2;
    Move(rp, bx, by);
    Draw(rp, bx + boxW, by);
    Draw(rp, bx + boxW, by + boxH - 2);
    Draw(rp, bx, by + boxH - 2);
    Draw(rp, bx, by);
    SetAPen(rp, screen->pens[SHINEPEN]);
    RectFill(rp, bx + 4, by + 2, bx + boxW + 4, by + boxH);
    SetAPen(rp, screen->pens[SHADOWPEN]);
    Move(rp, bx + 4, by + 2);
    Draw(rp, bx + boxW + 4, by + 2);
    Draw(rp, bx + boxW + 4, by + boxH);
    Draw(rp, bx + 4, by + boxH);
    Draw(rp, bx + 4, by + 2);
}

} // namespace

void UnmapPixels::operator()(UBYTE* pixels) const
{
    munmap(pixels, size);
}

void DrawScreenTitleBar(ScreenRecord* screen)
{
    if ((screen->Flags & SCREENQUIET) != 0) {
        return;
    }
    RastPort rp;
    InitRastPort(&rp);
    rp.BitMap = &screen->BitMap;
    SetFont(&rp, screen->font);
    SetDrMd(&rp, JAM1);
    const int bar = screen->BarHeight;
    const int right = screen->Width - 1;
    SetAPen(&rp, screen->pens[BARBLOCKPEN]);
    RectFill(&rp, 0, 0, right, bar - 1);
    SetAPen(&rp, screen->pens[BARTRIMPEN]);
    RectFill(&rp, 0, bar, right, bar);

    const char* title = screen->Title;
    WindowRecord* active = Intuition().active;
    if (active != nullptr && active->screen == screen && active->ScreenTitle != nullptr) {
        title = active->ScreenTitle;
    }
    const int gadgetLeft = right - kScreenDepthGadgetWidth + 1;
    DrawScreenDepthGadget(&rp, screen, gadgetLeft);
    if (title != nullptr && *title != '\0') {
        SetClipRect(&rp, 0, 0, gadgetLeft - 2, bar - 1);
        SetAPen(&rp, screen->pens[BARDETAILPEN]);
        Move(&rp, screen->BarHBorder, screen->BarVBorder + screen->font->tf_Baseline);
        Text(&rp, title, static_cast<ULONG>(std::strlen(title)));
    }
    Touch();
}

bool ScreenDepthGadgetAt(const ScreenRecord* screen, int x, int y)
{
    return (screen->Flags & (SHOWTITLE | SCREENQUIET)) == SHOWTITLE && y >= 0 && y < screen->BarHeight &&
           x > screen->Width - kScreenDepthGadgetWidth && x < screen->Width;
}

} // namespace internal

using namespace internal;

Screen* OpenScreenTagList(const NewScreen* newScreen, const TagItem* tags)
{
    if (newScreen != nullptr) {
        SetError(tags, OSERR_UNKNOWNMODE);
        return Fail("OpenScreenTagList: only the tag interface is provided (NewScreen must be null)");
    }
    const bool likeWorkbench = GetTagData(SA_LikeWorkbench, FALSE, tags) != 0;
    const auto width = static_cast<LONG>(GetTagData(SA_Width, 800, tags));
    const auto height = static_cast<LONG>(GetTagData(SA_Height, 600, tags));
    const auto depth = static_cast<LONG>(GetTagData(SA_Depth, likeWorkbench ? 8 : 1, tags));
    if (!SizeAndDepthFit(tags, width, height, depth)) {
        return nullptr;
    }
    auto pixels = MapPixels(width, height);
    if (pixels == nullptr) {
        SetError(tags, OSERR_NOMEM);
        return Fail("OpenScreenTagList: no memory for a bitmap of " + std::to_string(width) + " x " +
                    std::to_string(height));
    }
    const auto* title = reinterpret_cast<const char*>(GetTagData(SA_Title, 0, tags));
    const bool behind = GetTagData(SA_Behind, FALSE, tags) != 0 && !Intuition().screens.empty();
    if (!behind && !ShowOnHost(width, height, title)) {
        SetError(tags, OSERR_NOMONITOR);
        return Fail("OpenScreenTagList: " + host::LastError());
    }
    auto record = std::make_unique<ScreenRecord>();
    ScreenRecord* screen = record.get();
    std::memset(static_cast<Screen*>(screen), 0, sizeof(Screen));
    screen->Width = static_cast<WORD>(width);
    screen->Height = static_cast<WORD>(height);
    SetLook(screen, tags, likeWorkbench, title, behind);
    SetFontAndBorders(screen);
    SetColours(screen);
    SetBitMap(screen, depth, std::move(pixels));
    SetDrawInfo(screen, depth);
    AddScreen(std::move(record), behind);
    return screen;
}

BOOL CloseScreen(Screen* screen)
{
    auto& state = Intuition();
    if (!IsOpenScreen(screen)) {
        return FALSE;
    }
    ScreenRecord* record = Record(screen);
    if (!record->windows.empty()) {
        Fail("CloseScreen: windows are still open on the screen");
        return FALSE;
    }
    if (record->locks > 0) {
        Fail("CloseScreen: the public screen is still locked");
        return FALSE;
    }
    if (record->font != nullptr) {
        CloseFont(record->font);
    }
    FreeColorMap(record->colorMap);
    std::erase_if(state.screens, [record](const auto& s) { return s.get() == record; });
    RelinkScreens();
    if (state.screens.empty()) {
        host::CloseWindow();
        state.hostWidth = state.hostHeight = 0;
    } else if (ScreenRecord* front = FrontScreenRecord()) {
        host::SetTitle(front->Title != nullptr ? front->Title : "");
    }
    state.lastSignature.clear();
    Touch();
    return TRUE;
}

void MoveScreen(Screen* screen, LONG dx, LONG dy)
{
    (void)dx; // the platform's screens move only up and down
    if (!IsOpenScreen(screen) || dy == 0) {
        return;
    }
    const LONG top = std::clamp<LONG>(screen->TopEdge + dy, 0, screen->Height);
    if (top == screen->TopEdge) {
        return;
    }
    screen->TopEdge = static_cast<WORD>(top);
    screen->ViewPort.DyOffset = screen->TopEdge;
    // Shown at the next blocking call, like any drawing: a slide paces itself with WaitTOF.
    Touch();
}

void ScreenToFront(Screen* screen)
{
    auto& state = Intuition();
    if (!IsOpenScreen(screen) || Record(screen) == FrontScreenRecord()) {
        return;
    }
    auto it =
        std::find_if(state.screens.begin(), state.screens.end(), [screen](const auto& s) { return s.get() == screen; });
    std::rotate(it, it + 1, state.screens.end());
    RelinkScreens();
    screen->Flags &= static_cast<UWORD>(~SCREENBEHIND);
    host::SetTitle(screen->Title != nullptr ? screen->Title : "");
    Touch();
}

void ScreenToBack(Screen* screen)
{
    auto& state = Intuition();
    if (!IsOpenScreen(screen) || state.screens.front().get() == screen) {
        return;
    }
    auto it =
        std::find_if(state.screens.begin(), state.screens.end(), [screen](const auto& s) { return s.get() == screen; });
    std::rotate(state.screens.begin(), it, it + 1);
    RelinkScreens();
    if (ScreenRecord* front = FrontScreenRecord()) {
        host::SetTitle(front->Title != nullptr ? front->Title : "");
    }
    Touch();
}

Screen* LockPubScreen(CONST_STRPTR name)
{
    auto& state = Intuition();
    if (name != nullptr && std::strcmp(name, "Workbench") != 0) {
        return Fail(std::string("LockPubScreen: no public screen named ") + name);
    }
    ScreenRecord* screen = nullptr;
    for (auto& record : state.screens) {
        if (record->defaultPublic) {
            screen = record.get();
        }
    }
    if (screen == nullptr) {
        // Opened on first use, behind the program's own screen when it has one.
        screen = Record(OpenScreenTags(nullptr, SA_LikeWorkbench, TRUE, SA_Width, 800, SA_Height, 600, SA_Depth, 8,
                                       SA_Type, WBENCHSCREEN | PUBLICSCREEN, SA_Title, kPublicScreenTitle, SA_Behind,
                                       TRUE, TAG_DONE));
        if (screen == nullptr) {
            return nullptr;
        }
        screen->defaultPublic = true;
    }
    ++screen->locks;
    return screen;
}

void UnlockPubScreen(CONST_STRPTR name, Screen* screen)
{
    (void)name;
    if (screen == nullptr) {
        for (auto& record : Intuition().screens) {
            if (record->defaultPublic) {
                screen = record.get();
            }
        }
    }
    if (IsOpenScreen(screen) && Record(screen)->locks > 0) {
        --Record(screen)->locks;
    }
}

DrawInfo* GetScreenDrawInfo(Screen* screen)
{
    return IsOpenScreen(screen) ? &Record(screen)->drawInfo : nullptr;
}

void FreeScreenDrawInfo(Screen* screen, DrawInfo* drawInfo)
{
    (void)screen;
    (void)drawInfo; // part of the screen; nothing to free
}

} // namespace amiga
