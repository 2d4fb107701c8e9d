// SPDX-License-Identifier: MIT
// The strip while the right button is held: highlighting, picks, the NextSelect chain, command
// keys, and its drawing over the composed screen.
#include "platform/intuition/MenuState.h"

#include "platform/graphics/Internal.h"
#include "platform/intuition/Intuition.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace amiga::internal {

MenuState& Menus()
{
    static MenuState state;
    return state;
}

namespace {

struct Box {
    int left = 0, top = 0, right = -1, bottom = -1; // inclusive
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

Screen* ScreenOf(const Window* window)
{
    return window != nullptr ? window->WScreen : nullptr;
}

int ScreenWidth(const Window* window)
{
    const Screen* screen = ScreenOf(window);
    return screen != nullptr ? screen->Width : 640;
}

// The screen changed: intuition composes it again before the next present.
void Touch(const OpenStrip& open)
{
    if (Screen* screen = ScreenOf(open.window))
        ++screen->BitMap.Changes;
}

Menu* MenuAt(Menu* strip, int index)
{
    for (int i = 0; strip != nullptr && i < index; ++i)
        strip = strip->NextMenu;
    return index < 0 ? nullptr : strip;
}

MenuItem* ItemAt(MenuItem* item, int index)
{
    for (int i = 0; item != nullptr && i < index; ++i)
        item = item->NextItem;
    return index < 0 ? nullptr : item;
}

// A box kept on the screen: moved left when it would leave it on the right.
int KeepOnScreen(int left, int right, const Window* window)
{
    const int overflow = right - (ScreenWidth(window) - 1);
    return overflow > 0 ? std::max(0, left - overflow) - left : 0;
}

Box MenuBox(const Menu* menu, const Window* window)
{
    const int top = BarBottom(window);
    Box box{menu->LeftEdge + menu->JazzX, top + menu->JazzY, menu->LeftEdge + menu->BeatX, top + menu->BeatY};
    const int shift = KeepOnScreen(box.left, box.right, window);
    box.left += shift;
    box.right += shift;
    return box;
}

Box ItemBox(const Menu* menu, const MenuItem* item, const Window* window)
{
    const Box menuBox = MenuBox(menu, window);
    const int left = menuBox.left - menu->JazzX + item->LeftEdge;
    const int top = BarBottom(window) + item->TopEdge;
    return {left, top, left + item->Width - 1, top + item->Height - 1};
}

Box SubBox(const Menu* menu, const MenuItem* item, const Window* window)
{
    const Box parent = ItemBox(menu, item, window);
    const MenuItem* first = item->SubItem;
    if (first == nullptr)
        return {};
    int bottom = 0;
    for (const MenuItem* sub = first; sub != nullptr; sub = sub->NextItem)
        bottom = std::max(bottom, sub->TopEdge + sub->Height);
    Box box{parent.left + first->LeftEdge - kMenuBoxBorder, parent.top + first->TopEdge - kMenuBoxBorder,
            parent.left + first->LeftEdge + first->Width + kMenuBoxBorder - 1,
            parent.top + bottom + kMenuBoxBorder - 1};
    const int shift = KeepOnScreen(box.left, box.right, window);
    box.left += shift;
    box.right += shift;
    return box;
}

Box SubItemBox(const Menu* menu, const MenuItem* item, const MenuItem* sub, const Window* window)
{
    const Box box = SubBox(menu, item, window);
    const int left = box.left + kMenuBoxBorder;
    const int top = ItemBox(menu, item, window).top + sub->TopEdge;
    return {left, top, left + sub->Width - 1, top + sub->Height - 1};
}

// Highlights what lies under the pointer. Returns whether anything changed.
bool Track(OpenStrip& open, int x, int y)
{
    const int before[3] = {open.menu, open.item, open.subItem};
    if (y < BarBottom(open.window)) {
        int index = 0;
        for (Menu* menu = open.strip; menu != nullptr; menu = menu->NextMenu, ++index) {
            if (x >= menu->LeftEdge && x < menu->LeftEdge + menu->Width) {
                if (open.menu != index)
                    open.menu = index;
                break;
            }
        }
        open.item = -1;
        open.subItem = -1;
    } else if (Menu* menu = MenuAt(open.strip, open.menu)) {
        MenuItem* current = ItemAt(menu->FirstItem, open.item);
        bool found = false;
        if (current != nullptr && current->SubItem != nullptr && SubBox(menu, current, open.window).Contains(x, y)) {
            open.subItem = -1;
            int index = 0;
            for (MenuItem* sub = current->SubItem; sub != nullptr; sub = sub->NextItem, ++index)
                if (SubItemBox(menu, current, sub, open.window).Contains(x, y))
                    open.subItem = index;
            found = true;
        }
        if (!found && MenuBox(menu, open.window).Contains(x, y)) {
            int index = 0;
            int under = -1;
            for (MenuItem* item = menu->FirstItem; item != nullptr; item = item->NextItem, ++index)
                if (ItemBox(menu, item, open.window).Contains(x, y))
                    under = index;
            if (under != open.item)
                open.subItem = -1;
            open.item = under;
            found = true;
        }
        if (!found) {
            open.item = -1;
            open.subItem = -1;
        }
    }
    return before[0] != open.menu || before[1] != open.item || before[2] != open.subItem;
}

// Picks what is highlighted, when it may be picked; adds it to the chain once.
void PickHighlighted(OpenStrip& open)
{
    Menu* menu = MenuAt(open.strip, open.menu);
    MenuItem* item = menu != nullptr ? ItemAt(menu->FirstItem, open.item) : nullptr;
    if (item == nullptr || !(menu->Flags & MENUENABLED) || !(item->Flags & ITEMENABLED))
        return;
    MenuItem* target = item;
    MenuItem* siblings = menu->FirstItem;
    int subIndex = 0;
    if (item->SubItem != nullptr) {
        // An item with sub-items is only a way to them.
        target = ItemAt(item->SubItem, open.subItem);
        if (target == nullptr || !(target->Flags & ITEMENABLED))
            return;
        siblings = item->SubItem;
        subIndex = open.subItem;
    }
    const UWORD number =
        FULLMENUNUM(static_cast<UWORD>(open.menu), static_cast<UWORD>(open.item), static_cast<UWORD>(subIndex));
    // The chain holds each item once, so a chain can never loop back on itself.
    if (std::find(open.picks.begin(), open.picks.end(), number) != open.picks.end())
        return;
    ApplyCheck(menu, target, siblings);
    open.picks.push_back(number);
}

// ---- Drawing ---------------------------------------------------------------------------------

struct Pens {
    UBYTE block = 2;  // the bar's and boxes' background
    UBYTE detail = 1; // titles, frames
    UBYTE trim = 1;   // the bar's bottom row
};

Pens PensOf(Screen* screen)
{
    Pens pens;
    if (screen == nullptr)
        return pens;
    if (DrawInfo* info = GetScreenDrawInfo(screen)) {
        if (info->dri_Pens != nullptr && info->dri_NumPens > BARTRIMPEN) {
            pens.block = static_cast<UBYTE>(info->dri_Pens[BARBLOCKPEN]);
            pens.detail = static_cast<UBYTE>(info->dri_Pens[BARDETAILPEN]);
            pens.trim = static_cast<UBYTE>(info->dri_Pens[BARTRIMPEN]);
        }
        FreeScreenDrawInfo(screen, info);
    }
    return pens;
}

void Fill(RastPort* rp, UBYTE pen, const Box& box)
{
    SetAPen(rp, pen);
    SetDrMd(rp, JAM1);
    RectFill(rp, box.left, box.top, box.right, box.bottom);
}

void Frame(RastPort* rp, UBYTE pen, const Box& box)
{
    SetAPen(rp, pen);
    Move(rp, box.left, box.top);
    Draw(rp, box.right, box.top);
    Draw(rp, box.right, box.bottom);
    Draw(rp, box.left, box.bottom);
    Draw(rp, box.left, box.top);
}

// The platform's ghosting: a sparse dot pattern (0x8888 / 0x2222) in the background pen.
void Ghost(RastPort* rp, UBYTE pen, const Box& box)
{
    SetAPen(rp, pen);
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left + ((y & 1) ? 2 : 0); x <= box.right; x += 4)
            WritePixel(rp, x, y);
}

void Label(RastPort* rp, CONST_STRPTR text, UBYTE pen, int left, int top)
{
    IntuiText label{pen, 0, JAM1, 0, 0, nullptr, text, nullptr};
    PrintIText(rp, &label, left, top);
}

void CheckMark(RastPort* rp, UBYTE pen, int left, int top)
{
    // A tick seven pixels wide, two pixels thick.
    static const int points[][2] = {{0, 3}, {1, 4}, {2, 5}, {3, 4}, {4, 3}, {5, 2}, {6, 1}};
    SetAPen(rp, pen);
    for (const auto& p : points) {
        WritePixel(rp, left + p[0], top + p[1]);
        WritePixel(rp, left + p[0], top + p[1] + 1);
    }
}

// The Amiga-key glyph: an "A" cut out of a filled box, then the key.
void CommandKey(RastPort* rp, BYTE key, UBYTE pen, UBYTE background, int right, int top)
{
    char text[2] = {static_cast<char>(std::toupper(static_cast<unsigned char>(key))), '\0'};
    const int keyWidth = TextLength(rp, text, 1);
    const int keyLeft = right - keyWidth + 1;
    const int glyphLeft = keyLeft - kMenuAmigaKeyWidth + 1;
    Fill(rp, pen, {glyphLeft, top, glyphLeft + 9, top + 7});
    Label(rp, "A", background, glyphLeft + 1, top);
    Label(rp, text, pen, keyLeft, top);
}

void SubArrow(RastPort* rp, UBYTE pen, int right, int top)
{
    SetAPen(rp, pen);
    for (int i = 0; i < 4; ++i) {
        Move(rp, right - 6 + i, top + 1 + i);
        Draw(rp, right - 6 + i, top + 7 - i);
    }
}

void DrawItem(RastPort* rp, const Pens& pens, Menu* menu, MenuItem* item, const Box& box, bool highlighted)
{
    const bool enabled = (menu->Flags & MENUENABLED) && (item->Flags & ITEMENABLED);
    UBYTE textPen = pens.detail;
    if (item->Flags & ITEMTEXT)
        textPen = static_cast<const IntuiText*>(item->ItemFill)->FrontPen;
    // HIGHCOMP shown as the platform shows it on its two-colour menus: text and background swap.
    const bool inverse = highlighted && enabled && (item->Flags & HIGHFLAGS) == HIGHCOMP;
    const UBYTE foreground = inverse ? pens.block : textPen;
    const UBYTE background = inverse ? textPen : pens.block;
    if (inverse)
        Fill(rp, background, box);
    if (item->Flags & ITEMTEXT) {
        IntuiText text = *static_cast<const IntuiText*>(item->ItemFill);
        text.FrontPen = foreground;
        text.DrawMode = JAM1;
        text.NextText = nullptr;
        PrintIText(rp, &text, box.left, box.top);
    } else if (item->ItemFill != nullptr) {
        DrawImage(rp, static_cast<const Image*>(item->ItemFill), box.left, box.top);
    }
    if (highlighted && enabled && (item->Flags & HIGHFLAGS) == HIGHBOX)
        Frame(rp, pens.detail, box);
    const int textTop = box.top + 1;
    if ((item->Flags & CHECKIT) && (item->Flags & CHECKED))
        CheckMark(rp, foreground, box.left + 3, textTop);
    if (item->Flags & COMMSEQ)
        CommandKey(rp, item->Command, foreground, background, box.right - kMenuItemPadX, textTop);
    if (item->SubItem != nullptr)
        SubArrow(rp, foreground, box.right - 1, textTop);
    if (!enabled)
        Ghost(rp, background, box);
}

void DrawColumn(RastPort* rp, const Pens& pens, Menu* menu, MenuItem* first, const Box& box, int highlighted,
                const OpenStrip& open, bool isSub, MenuItem* parent)
{
    Fill(rp, pens.block, box);
    Frame(rp, pens.detail, box);
    int index = 0;
    for (MenuItem* item = first; item != nullptr; item = item->NextItem, ++index) {
        const Box itemBox = isSub ? SubItemBox(menu, parent, item, open.window) : ItemBox(menu, item, open.window);
        DrawItem(rp, pens, menu, item, itemBox, index == highlighted);
    }
}

} // namespace

int BarBottom(const Window* window)
{
    const Screen* screen = ScreenOf(window);
    return screen != nullptr ? screen->BarHeight + 1 : 11;
}

void ResetMenus()
{
    MenuState& state = Menus();
    if (state.isOpen) {
        Touch(state.open);
        state.open.window->Flags &= ~WFLG_MENUSTATE;
    }
    state.open = OpenStrip{};
    state.isOpen = false;
}

bool MenuBegin(Window* active, int x, int y)
{
    MenuState& state = Menus();
    if (active == nullptr || active->MenuStrip == nullptr)
        return false;
    state.open = OpenStrip{};
    state.open.window = active;
    state.open.strip = active->MenuStrip;
    state.isOpen = true;
    Track(state.open, x, y);
    Touch(state.open);
    return true;
}

void MenuTrack(int x, int y)
{
    MenuState& state = Menus();
    if (state.isOpen && Track(state.open, x, y))
        Touch(state.open);
}

void MenuAddPick(int x, int y)
{
    MenuState& state = Menus();
    if (!state.isOpen)
        return;
    Track(state.open, x, y);
    PickHighlighted(state.open);
    Touch(state.open);
}

UWORD MenuEnd(int x, int y)
{
    MenuState& state = Menus();
    if (!state.isOpen)
        return MENUNULL;
    Track(state.open, x, y);
    PickHighlighted(state.open);
    const std::vector<UWORD> picks = state.open.picks;
    Menu* strip = state.open.strip;
    ResetMenus();
    for (size_t i = 0; i < picks.size(); ++i)
        if (MenuItem* item = ItemAddress(strip, picks[i]))
            item->NextSelect = i + 1 < picks.size() ? picks[i + 1] : MENUNULL;
    return picks.empty() ? MENUNULL : picks.front();
}

bool MenuIsOpen()
{
    return Menus().isOpen;
}

void MenuDraw(BitMap* composed)
{
    const MenuState& state = Menus();
    if (!state.isOpen || composed == nullptr)
        return;
    const OpenStrip& open = state.open;
    Screen* screen = ScreenOf(open.window);
    const Pens pens = PensOf(screen);
    RastPort rp;
    InitRastPort(&rp);
    rp.BitMap = composed;
    SetFont(&rp, DefaultFont());

    // The strip takes the screen's title bar.
    const int barHeight = BarBottom(open.window) - 1;
    Fill(&rp, pens.block, {0, 0, composed->Width - 1, barHeight - 1});
    Fill(&rp, pens.trim, {0, barHeight, composed->Width - 1, barHeight});
    const int textTop = std::max(0, (barHeight - rp.TxHeight) / 2);
    int index = 0;
    for (Menu* menu = open.strip; menu != nullptr; menu = menu->NextMenu, ++index) {
        const Box title{menu->LeftEdge, 0, menu->LeftEdge + menu->Width - 1, barHeight - 1};
        const bool highlighted = index == open.menu;
        if (highlighted)
            Fill(&rp, pens.detail, title);
        Label(&rp, menu->MenuName, highlighted ? pens.block : pens.detail, menu->LeftEdge + kMenuTitleGap / 2, textTop);
        if (!(menu->Flags & MENUENABLED))
            Ghost(&rp, highlighted ? pens.detail : pens.block, title);
    }

    Menu* menu = MenuAt(open.strip, open.menu);
    if (menu == nullptr || menu->FirstItem == nullptr)
        return;
    DrawColumn(&rp, pens, menu, menu->FirstItem, MenuBox(menu, open.window), open.item, open, false, nullptr);
    MenuItem* item = ItemAt(menu->FirstItem, open.item);
    if (item != nullptr && item->SubItem != nullptr && (item->Flags & ITEMENABLED) && (menu->Flags & MENUENABLED))
        DrawColumn(&rp, pens, menu, item->SubItem, SubBox(menu, item, open.window), open.subItem, open, true, item);
}

UWORD MenuCommandKey(Window* window, char key)
{
    if (window == nullptr || window->MenuStrip == nullptr || key == '\0')
        return MENUNULL;
    const int wanted = std::toupper(static_cast<unsigned char>(key));
    auto matches = [wanted](const MenuItem* item) {
        return (item->Flags & COMMSEQ) && (item->Flags & ITEMENABLED) &&
               std::toupper(static_cast<unsigned char>(item->Command)) == wanted;
    };
    UWORD menuIndex = 0;
    for (Menu* menu = window->MenuStrip; menu != nullptr; menu = menu->NextMenu, ++menuIndex) {
        if (!(menu->Flags & MENUENABLED))
            continue;
        UWORD itemIndex = 0;
        for (MenuItem* item = menu->FirstItem; item != nullptr; item = item->NextItem, ++itemIndex) {
            MenuItem* target = nullptr;
            MenuItem* siblings = menu->FirstItem;
            UWORD subIndex = 0;
            if (item->SubItem == nullptr) {
                if (matches(item))
                    target = item;
            } else if (item->Flags & ITEMENABLED) {
                for (MenuItem* sub = item->SubItem; sub != nullptr && target == nullptr;
                     sub = sub->NextItem, ++subIndex)
                    if (matches(sub)) {
                        target = sub;
                        siblings = item->SubItem;
                        break;
                    }
            }
            if (target != nullptr) {
                ApplyCheck(menu, target, siblings);
                target->NextSelect = MENUNULL;
                return FULLMENUNUM(menuIndex, itemIndex, subIndex);
            }
        }
    }
    return MENUNULL;
}

} // namespace amiga::internal
