// SPDX-License-Identifier: MIT
// gadtools' menu builder and layout, and intuition's strip attachment and menu numbers.
#include "platform/intuition/MenuState.h"

#include "platform/graphics/Internal.h"
#include "platform/intuition/Intuition.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace amiga {

using internal::ItemNode;
using internal::MenuNode;

namespace {

constexpr int kMaxMenus = 31;    // NOMENU is 0x1F
constexpr int kMaxItems = 63;    // NOITEM is 0x3F
constexpr int kMaxSubItems = 31; // NOSUB is 0x1F

constexpr int kBarLeft = 5; // first title
constexpr int kSeparatorHeight = 6;
constexpr int kTitleGap = internal::kMenuTitleGap;
constexpr int kBoxBorder = internal::kMenuBoxBorder;
constexpr int kItemPadX = internal::kMenuItemPadX;
constexpr int kCheckWidth = internal::kMenuCheckWidth;
constexpr int kAmigaKeyWidth = internal::kMenuAmigaKeyWidth;
constexpr int kSubArrowWidth = internal::kMenuSubArrowWidth;

char* CopyString(CONST_STRPTR text)
{
    if (text == nullptr)
        return nullptr;
    const size_t length = std::strlen(text);
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}

MenuNode* NodeOf(Menu* menu)
{
    return reinterpret_cast<MenuNode*>(menu);
}
ItemNode* NodeOf(MenuItem* item)
{
    return reinterpret_cast<ItemNode*>(item);
}

void FreeItems(MenuItem* item)
{
    while (item != nullptr) {
        MenuItem* next = item->NextItem;
        FreeItems(item->SubItem);
        ItemNode* node = NodeOf(item);
        delete[] node->label;
        delete node;
        item = next;
    }
}

ItemNode* MakeItem(const NewMenu& entry, UBYTE frontPen)
{
    auto* node = new ItemNode;
    MenuItem& item = node->item;
    item.Flags = static_cast<UWORD>(ITEMENABLED | HIGHCOMP);
    node->userData = entry.nm_UserData;
    if (entry.nm_Label == NM_BARLABEL) {
        // A separator: a line image, pickable like any item but never highlighted.
        node->isBar = true;
        item.Flags = static_cast<UWORD>(ITEMENABLED | HIGHNONE);
        node->bar.PlanePick = 0;
        node->bar.PlaneOnOff = frontPen;
        item.ItemFill = &node->bar;
        return node;
    }
    if (entry.nm_Type & MENU_IMAGE) {
        item.ItemFill = reinterpret_cast<Image*>(entry.nm_Label);
    } else {
        node->label = CopyString(entry.nm_Label != nullptr ? entry.nm_Label : "");
        node->text.FrontPen = frontPen;
        node->text.BackPen = 0;
        node->text.DrawMode = JAM1;
        node->text.IText = node->label;
        item.ItemFill = &node->text;
        item.Flags |= ITEMTEXT;
    }
    if (entry.nm_CommKey != nullptr && entry.nm_CommKey[0] != '\0') {
        item.Command = static_cast<BYTE>(entry.nm_CommKey[0]);
        item.Flags |= COMMSEQ;
    }
    if (entry.nm_Flags & CHECKIT)
        item.Flags |= CHECKIT;
    if (entry.nm_Flags & MENUTOGGLE)
        item.Flags |= MENUTOGGLE;
    if ((entry.nm_Flags & CHECKED) && (entry.nm_Flags & CHECKIT))
        item.Flags |= CHECKED;
    if (entry.nm_Flags & NM_ITEMDISABLED)
        item.Flags &= static_cast<UWORD>(~ITEMENABLED);
    item.MutualExclude = entry.nm_MutualExclude;
    return node;
}

struct Measure {
    RastPort rp{};
    TextFont* font = nullptr;
    bool opened = false;

    explicit Measure(const TextAttr* attr)
    {
        InitRastPort(&rp);
        if (attr != nullptr) {
            font = OpenFont(attr);
            opened = font != nullptr;
        }
        if (font == nullptr)
            font = internal::DefaultFont();
        if (font != nullptr)
            SetFont(&rp, font);
    }
    ~Measure()
    {
        if (opened)
            CloseFont(font);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    int Width(CONST_STRPTR text)
    {
        return text == nullptr ? 0 : TextLength(&rp, text, static_cast<ULONG>(std::strlen(text)));
    }
    int Height() const { return font != nullptr ? font->tf_YSize : 8; }
};

// Lays out a column of items (a menu's or an item's sub-items) from (0, 0) of its box.
// Returns the box's outer size.
void LayoutColumn(MenuItem* first, const TextAttr* attr, Measure& measure, int& boxWidth, int& boxHeight)
{
    bool anyCheck = false, anyKey = false, anySub = false;
    int textWidth = 0;
    for (MenuItem* item = first; item != nullptr; item = item->NextItem) {
        anyCheck = anyCheck || (item->Flags & CHECKIT) != 0;
        anyKey = anyKey || (item->Flags & COMMSEQ) != 0;
        anySub = anySub || item->SubItem != nullptr;
        if (item->Flags & ITEMTEXT) {
            auto* text = static_cast<IntuiText*>(item->ItemFill);
            if (attr != nullptr)
                text->ITextFont = attr;
            textWidth = std::max(textWidth, measure.Width(text->IText));
        } else if (!NodeOf(item)->isBar && item->ItemFill != nullptr) {
            textWidth = std::max<int>(textWidth, static_cast<const Image*>(item->ItemFill)->Width);
        }
    }
    const int indent = kItemPadX + (anyCheck ? kCheckWidth : 0);
    const int keyWidth = anyKey ? kAmigaKeyWidth + measure.Width("W") + kItemPadX : 0;
    const int itemWidth =
        indent + textWidth + (anyKey || anySub ? kItemPadX * 2 : kItemPadX) + keyWidth + (anySub ? kSubArrowWidth : 0);
    const int itemHeight = measure.Height() + 2;
    int top = kBoxBorder;
    for (MenuItem* item = first; item != nullptr; item = item->NextItem) {
        item->LeftEdge = kBoxBorder;
        item->TopEdge = static_cast<WORD>(top);
        item->Width = static_cast<WORD>(itemWidth);
        if (NodeOf(item)->isBar) {
            item->Height = kSeparatorHeight;
            Image& bar = NodeOf(item)->bar;
            bar.LeftEdge = 2;
            bar.TopEdge = kSeparatorHeight / 2 - 1;
            bar.Width = static_cast<WORD>(itemWidth - 4);
            bar.Height = 2;
        } else {
            item->Height = static_cast<WORD>(itemHeight);
            if (item->Flags & ITEMTEXT) {
                auto* text = static_cast<IntuiText*>(item->ItemFill);
                text->LeftEdge = static_cast<WORD>(indent);
                text->TopEdge = 1;
            }
        }
        top += item->Height;
        if (item->SubItem != nullptr) {
            int subWidth = 0, subHeight = 0;
            LayoutColumn(item->SubItem, attr, measure, subWidth, subHeight);
            // The sub-items' box opens over the right end of their item, like the platform's.
            for (MenuItem* sub = item->SubItem; sub != nullptr; sub = sub->NextItem) {
                sub->LeftEdge = static_cast<WORD>(sub->LeftEdge + itemWidth - kSubArrowWidth);
                sub->TopEdge = static_cast<WORD>(sub->TopEdge - kBoxBorder);
            }
        }
    }
    boxWidth = itemWidth + 2 * kBoxBorder;
    boxHeight = top + kBoxBorder;
}

} // namespace

APTR& GTMENU_USERDATA(Menu* menu)
{
    return NodeOf(menu)->userData;
}

APTR& GTMENUITEM_USERDATA(MenuItem* item)
{
    return NodeOf(item)->userData;
}

Menu* CreateMenusA(const NewMenu* newMenus, const TagItem* tags)
{
    if (newMenus == nullptr)
        return nullptr;
    const auto frontPen = static_cast<UBYTE>(GetTagData(GTMN_FrontPen, 1, tags));
    const bool fullMenu = GetTagData(GTMN_FullMenu, FALSE, tags) != 0;
    auto* secondaryError = reinterpret_cast<ULONG*>(GetTagData(GTMN_SecondaryError, 0, tags));
    ULONG error = 0;

    Menu* first = nullptr;
    Menu* lastMenu = nullptr;
    MenuItem* lastItem = nullptr;
    MenuItem* lastSub = nullptr;
    int menus = 0, items = 0, subs = 0;
    bool invalid = false;
    bool droppedItem = false; // an item left out for lack of numbers: its sub-items go too
    for (const NewMenu* entry = newMenus; entry->nm_Type != NM_END; ++entry) {
        if (entry->nm_Type & NM_IGNORE)
            continue;
        const UBYTE type = entry->nm_Type & static_cast<UBYTE>(~MENU_IMAGE);
        if (type == NM_TITLE) {
            if (menus == kMaxMenus) {
                error = GTMENU_TRIMMED;
                break;
            }
            auto* node = new MenuNode;
            node->name =
                CopyString(entry->nm_Label != nullptr && entry->nm_Label != NM_BARLABEL ? entry->nm_Label : "");
            node->menu.MenuName = node->name;
            node->menu.Flags = (entry->nm_Flags & NM_MENUDISABLED) ? 0 : MENUENABLED;
            node->userData = entry->nm_UserData;
            (lastMenu != nullptr ? lastMenu->NextMenu : first) = &node->menu;
            lastMenu = &node->menu;
            lastItem = nullptr;
            lastSub = nullptr;
            droppedItem = false;
            ++menus;
            items = 0;
        } else if (type == NM_ITEM) {
            if (lastMenu == nullptr) {
                invalid = true;
                break;
            }
            if (items == kMaxItems) {
                error = GTMENU_TRIMMED;
                droppedItem = true;
                continue;
            }
            droppedItem = false;
            ItemNode* node = MakeItem(*entry, frontPen);
            (lastItem != nullptr ? lastItem->NextItem : lastMenu->FirstItem) = &node->item;
            lastItem = &node->item;
            lastSub = nullptr;
            ++items;
            subs = 0;
        } else if (type == NM_SUB) {
            if (lastItem == nullptr) {
                invalid = true;
                break;
            }
            if (droppedItem)
                continue;
            if (subs == kMaxSubItems) {
                error = GTMENU_TRIMMED;
                continue;
            }
            ItemNode* node = MakeItem(*entry, frontPen);
            (lastSub != nullptr ? lastSub->NextItem : lastItem->SubItem) = &node->item;
            lastSub = &node->item;
            ++subs;
        } else {
            invalid = true;
            break;
        }
        if (fullMenu && first == nullptr) {
            invalid = true;
            break;
        }
    }
    if (invalid || first == nullptr) {
        FreeMenus(first);
        if (secondaryError != nullptr)
            *secondaryError = GTMENU_INVALID;
        return nullptr;
    }
    if (secondaryError != nullptr)
        *secondaryError = error;
    return first;
}

BOOL LayoutMenuItemsA(MenuItem* firstItem, APTR /*visualInfo*/, const TagItem* tags)
{
    auto* menu = reinterpret_cast<Menu*>(GetTagData(GTMN_Menu, 0, tags));
    if (firstItem == nullptr)
        return FALSE;
    const auto* attr = reinterpret_cast<const TextAttr*>(GetTagData(GTMN_TextAttr, 0, tags));
    Measure measure(attr);
    int width = 0, height = 0;
    LayoutColumn(firstItem, attr, measure, width, height);
    if (menu != nullptr) {
        menu->JazzX = 0;
        menu->JazzY = 0;
        menu->BeatX = static_cast<WORD>(width - 1);
        menu->BeatY = static_cast<WORD>(height - 1);
    }
    return TRUE;
}

BOOL LayoutMenusA(Menu* firstMenu, APTR visualInfo, const TagItem* tags)
{
    if (firstMenu == nullptr)
        return FALSE;
    // Titles use the screen's font (topaz 8); GTMN_TextAttr is for the items.
    Measure titles(nullptr);
    int left = kBarLeft;
    for (Menu* menu = firstMenu; menu != nullptr; menu = menu->NextMenu) {
        menu->LeftEdge = static_cast<WORD>(left);
        menu->TopEdge = 0;
        menu->Width = static_cast<WORD>(titles.Width(menu->MenuName) + kTitleGap);
        menu->Height = static_cast<WORD>(titles.Height() + 2);
        left += menu->Width;
        if (menu->FirstItem != nullptr) {
            const TagItem more[] = {{GTMN_Menu, reinterpret_cast<IPTR>(menu)},
                                    {tags != nullptr ? TAG_MORE : TAG_DONE, reinterpret_cast<IPTR>(tags)}};
            LayoutMenuItemsA(menu->FirstItem, visualInfo, more);
        } else {
            menu->BeatX = menu->BeatY = menu->JazzX = menu->JazzY = 0;
        }
    }
    return TRUE;
}

void FreeMenus(Menu* menu)
{
    internal::MenuState& state = internal::Menus();
    while (menu != nullptr) {
        if (state.isOpen && state.open.strip == menu)
            internal::ResetMenus();
        Menu* next = menu->NextMenu;
        FreeItems(menu->FirstItem);
        MenuNode* node = NodeOf(menu);
        delete[] node->name;
        delete node;
        menu = next;
    }
}

MenuItem* ItemAddress(const Menu* menuStrip, UWORD menuNumber)
{
    if (menuStrip == nullptr || menuNumber == MENUNULL)
        return nullptr;
    const UWORD menuIndex = MENUNUM(menuNumber), itemIndex = ITEMNUM(menuNumber), subIndex = SUBNUM(menuNumber);
    if (menuIndex == NOMENU || itemIndex == NOITEM)
        return nullptr;
    const Menu* menu = menuStrip;
    for (UWORD i = 0; i < menuIndex && menu != nullptr; ++i)
        menu = menu->NextMenu;
    if (menu == nullptr)
        return nullptr;
    MenuItem* item = menu->FirstItem;
    for (UWORD i = 0; i < itemIndex && item != nullptr; ++i)
        item = item->NextItem;
    if (item == nullptr)
        return nullptr;
    if (subIndex == NOSUB)
        return item;
    if (item->SubItem == nullptr)
        return subIndex == 0 ? item : nullptr;
    MenuItem* sub = item->SubItem;
    for (UWORD i = 0; i < subIndex && sub != nullptr; ++i)
        sub = sub->NextItem;
    return sub;
}

BOOL SetMenuStrip(Window* window, Menu* menu)
{
    if (window == nullptr)
        return FALSE;
    if (internal::Menus().isOpen && internal::Menus().open.window == window)
        internal::ResetMenus();
    window->MenuStrip = menu;
    return TRUE;
}

void ClearMenuStrip(Window* window)
{
    if (window == nullptr)
        return;
    if (internal::Menus().isOpen && internal::Menus().open.window == window)
        internal::ResetMenus();
    window->MenuStrip = nullptr;
}

namespace internal {

UWORD MenuNumberOf(const Menu* strip, const MenuItem* target)
{
    UWORD menuIndex = 0;
    for (const Menu* menu = strip; menu != nullptr; menu = menu->NextMenu, ++menuIndex) {
        UWORD itemIndex = 0;
        for (const MenuItem* item = menu->FirstItem; item != nullptr; item = item->NextItem, ++itemIndex) {
            if (item == target)
                return FULLMENUNUM(menuIndex, itemIndex, 0);
            UWORD subIndex = 0;
            for (const MenuItem* sub = item->SubItem; sub != nullptr; sub = sub->NextItem, ++subIndex)
                if (sub == target)
                    return FULLMENUNUM(menuIndex, itemIndex, subIndex);
        }
    }
    return MENUNULL;
}

void ApplyCheck(Menu* /*menu*/, MenuItem* item, MenuItem* siblings)
{
    if (!(item->Flags & CHECKIT))
        return;
    if ((item->Flags & MENUTOGGLE) && (item->Flags & CHECKED))
        item->Flags &= static_cast<UWORD>(~CHECKED);
    else
        item->Flags |= CHECKED;
    if (!(item->Flags & CHECKED) || item->MutualExclude == 0)
        return;
    int index = 0;
    for (MenuItem* other = siblings; other != nullptr && index < 32; other = other->NextItem, ++index)
        if (other != item && (item->MutualExclude & (1L << index)) && (other->Flags & CHECKIT))
            other->Flags &= static_cast<UWORD>(~CHECKED);
}

} // namespace internal

} // namespace amiga
