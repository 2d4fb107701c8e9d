// SPDX-License-Identifier: MIT
// Menu strips from NewMenu arrays: structure, layout, menu numbers, and picking through the
// seams intuition drives while the right button is held.
#include "platform/common/Internal.h"
#include "platform/intuition/Intuition.h"
#include "platform/intuition/MenuState.h"
#include "platform/intuition/Menus.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace amiga;

namespace {

char kExit[] = "Exit";
char kE[] = "E";
char kGuida[] = "Guida";
char kHome[] = "Home";
char kFile[] = "File";
char kHelp[] = "?";
char kOptions[] = "Options";
char kSound[] = "Sound";
char kS[] = "s";
char kFast[] = "Fast";
char kSlow[] = "Slow";
char kLocked[] = "Locked";
char kL[] = "L";
char kMore[] = "More";
char kOne[] = "One";
char kTwo[] = "Two";
char kOff[] = "Off";
char kIgnored[] = "Ignored";
int userExit = 1;
int userTitle = 2;

// File: Exit (A-E) | ?: Guida, Home | Options: Sound (check, toggle, checked, A-S), bar,
// Fast / Slow (mutually exclusive), Locked (disabled, A-L), More (sub-items One, Two) | Off
// (a disabled menu with one item).
const NewMenu kStrip[] = {
    {NM_TITLE, kFile, nullptr, 0, 0, &userTitle},
    {NM_ITEM, kExit, kE, 0, 0, &userExit},
    {NM_TITLE, kHelp, nullptr, 0, 0, nullptr},
    {NM_ITEM, kGuida, nullptr, 0, 0, nullptr},
    {NM_ITEM | NM_IGNORE, kIgnored, nullptr, 0, 0, nullptr},
    {NM_ITEM, kHome, nullptr, 0, 0, nullptr},
    {NM_TITLE, kOptions, nullptr, 0, 0, nullptr},
    {NM_ITEM, kSound, kS, CHECKIT | MENUTOGGLE | CHECKED, 0, nullptr},
    {NM_ITEM, NM_BARLABEL, nullptr, 0, 0, nullptr},
    {NM_ITEM, kFast, nullptr, CHECKIT | CHECKED, 1 << 3, nullptr},
    {NM_ITEM, kSlow, nullptr, CHECKIT, 1 << 2, nullptr},
    {NM_ITEM, kLocked, kL, NM_ITEMDISABLED, 0, nullptr},
    {NM_ITEM, kMore, nullptr, 0, 0, nullptr},
    {NM_SUB, kOne, nullptr, 0, 0, nullptr},
    {NM_SUB, kTwo, nullptr, 0, 0, nullptr},
    {NM_TITLE, kOff, nullptr, NM_MENUDISABLED, 0, nullptr},
    {NM_ITEM, kOne, nullptr, 0, 0, nullptr},
    {NM_END, nullptr, nullptr, 0, 0, nullptr},
};

constexpr UWORD kExitNumber = 0x0000;
constexpr UWORD kGuidaNumber = 0x0001;
constexpr UWORD kHomeNumber = 0x0021;
constexpr UWORD kSoundNumber = FULLMENUNUM(2, 0, 0);
constexpr UWORD kBarNumber = FULLMENUNUM(2, 1, 0);
constexpr UWORD kFastNumber = FULLMENUNUM(2, 2, 0);
constexpr UWORD kSlowNumber = FULLMENUNUM(2, 3, 0);
constexpr UWORD kLockedNumber = FULLMENUNUM(2, 4, 0);
constexpr UWORD kMoreNumber = FULLMENUNUM(2, 5, NOSUB); // the item itself
constexpr UWORD kOneNumber = FULLMENUNUM(2, 5, 0);
constexpr UWORD kTwoNumber = FULLMENUNUM(2, 5, 1);

// A strip on a window of a screen that only exists as structures: the seams need nothing
// more of them than the title bar's height, the screen's width and the strip.
class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memset(static_cast<void*>(&screen), 0, sizeof screen);
        std::memset(static_cast<void*>(&window), 0, sizeof window);
        screen.Width = 640;
        screen.Height = 200;
        screen.BarHeight = 10;
        window.WScreen = &screen;
        strip = CreateMenusA(kStrip, nullptr);
        ASSERT_NE(strip, nullptr);
        ASSERT_EQ(LayoutMenusA(strip, nullptr, nullptr), TRUE);
        ASSERT_EQ(SetMenuStrip(&window, strip), TRUE);
    }
    void TearDown() override
    {
        ClearMenuStrip(&window);
        FreeMenus(strip);
        internal::ResetMenus();
    }

    Menu* MenuNumber(int index)
    {
        Menu* menu = strip;
        while (index-- > 0)
            menu = menu->NextMenu;
        return menu;
    }
    // The centre of a title in the bar.
    void TitleAt(int menuIndex, int& x, int& y)
    {
        const Menu* menu = MenuNumber(menuIndex);
        x = menu->LeftEdge + menu->Width / 2;
        y = 5;
    }
    // The centre of an item (or, with `sub`, of a sub-item) on the screen.
    void ItemAt(UWORD number, int& x, int& y, bool sub = false)
    {
        const Menu* menu = MenuNumber(MENUNUM(number));
        const MenuItem* item = ItemAddress(strip, FULLMENUNUM(MENUNUM(number), ITEMNUM(number), NOSUB));
        x = menu->LeftEdge + item->LeftEdge + item->Width / 2;
        y = screen.BarHeight + 1 + item->TopEdge + item->Height / 2;
        if (sub) {
            const MenuItem* subItem = ItemAddress(strip, number);
            x = menu->LeftEdge + item->LeftEdge + subItem->LeftEdge + subItem->Width / 2;
            y = screen.BarHeight + 1 + item->TopEdge + subItem->TopEdge + subItem->Height / 2;
        }
    }
    // Right button down on a title, moves to the item, and the release there.
    UWORD Choose(UWORD number, bool sub = false)
    {
        int x = 0, y = 0;
        TitleAt(MENUNUM(number), x, y);
        EXPECT_TRUE(internal::MenuBegin(&window, x, y));
        if (sub) {
            ItemAt(FULLMENUNUM(MENUNUM(number), ITEMNUM(number), NOSUB), x, y);
            internal::MenuTrack(x, y);
        }
        ItemAt(number, x, y, sub);
        internal::MenuTrack(x, y);
        return internal::MenuEnd(x, y);
    }

    Screen screen;
    Window window;
    Menu* strip = nullptr;
};

} // namespace

TEST_F(MenuTest, CreateMenusBuildsTheTreeWithFlagsKeysAndUserData)
{
    Menu* file = strip;
    ASSERT_NE(file, nullptr);
    EXPECT_STREQ(file->MenuName, "File");
    EXPECT_NE(file->MenuName, kFile); // a copy
    EXPECT_EQ(file->Flags, MENUENABLED);
    EXPECT_EQ(GTMENU_USERDATA(file), &userTitle);
    MenuItem* exit = file->FirstItem;
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->NextItem, nullptr);
    EXPECT_EQ(exit->Flags, ITEMTEXT | ITEMENABLED | HIGHCOMP | COMMSEQ);
    EXPECT_EQ(exit->Command, 'E');
    EXPECT_STREQ(static_cast<IntuiText*>(exit->ItemFill)->IText, "Exit");
    EXPECT_EQ(static_cast<IntuiText*>(exit->ItemFill)->FrontPen, 1);
    EXPECT_EQ(GTMENUITEM_USERDATA(exit), &userExit);

    Menu* help = file->NextMenu;
    ASSERT_NE(help, nullptr);
    EXPECT_STREQ(help->MenuName, "?");
    ASSERT_NE(help->FirstItem, nullptr);
    ASSERT_NE(help->FirstItem->NextItem, nullptr); // NM_IGNORE left out
    EXPECT_STREQ(static_cast<IntuiText*>(help->FirstItem->NextItem->ItemFill)->IText, "Home");
    EXPECT_EQ(help->FirstItem->NextItem->NextItem, nullptr);

    MenuItem* sound = ItemAddress(strip, kSoundNumber);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->Flags, ITEMTEXT | ITEMENABLED | HIGHCOMP | COMMSEQ | CHECKIT | MENUTOGGLE | CHECKED);
    MenuItem* bar = ItemAddress(strip, kBarNumber);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Flags & ITEMTEXT, 0);
    EXPECT_EQ(bar->Flags & HIGHFLAGS, HIGHNONE);
    EXPECT_NE(bar->ItemFill, nullptr);
    EXPECT_EQ(ItemAddress(strip, kFastNumber)->MutualExclude, 1 << 3);
    EXPECT_EQ(ItemAddress(strip, kSlowNumber)->Flags & CHECKED, 0);
    EXPECT_EQ(ItemAddress(strip, kLockedNumber)->Flags & ITEMENABLED, 0);
    MenuItem* more = ItemAddress(strip, kMoreNumber);
    ASSERT_NE(more->SubItem, nullptr);
    EXPECT_STREQ(static_cast<IntuiText*>(more->SubItem->NextItem->ItemFill)->IText, "Two");
    EXPECT_EQ(MenuNumber(3)->Flags & MENUENABLED, 0);
    EXPECT_EQ(MenuNumber(3)->NextMenu, nullptr);
}

TEST_F(MenuTest, FrontPenTagColoursTheItemTexts)
{
    const TagItem tags[] = {{GTMN_FrontPen, 5}, {TAG_DONE, 0}};
    Menu* other = CreateMenusA(kStrip, tags);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(static_cast<IntuiText*>(other->FirstItem->ItemFill)->FrontPen, 5);
    FreeMenus(other);
}

TEST(MenuBuilderTest, RejectsArraysWithoutStructure)
{
    char label[] = "Item";
    const NewMenu itemFirst[] = {{NM_ITEM, label, nullptr, 0, 0, nullptr}, {NM_END, nullptr, nullptr, 0, 0, nullptr}};
    ULONG error = 0;
    const TagItem tags[] = {{GTMN_SecondaryError, reinterpret_cast<IPTR>(&error)}, {TAG_DONE, 0}};
    EXPECT_EQ(CreateMenusA(itemFirst, tags), nullptr);
    EXPECT_EQ(error, GTMENU_INVALID);
    const NewMenu subWithoutItem[] = {{NM_TITLE, label, nullptr, 0, 0, nullptr},
                                      {NM_SUB, label, nullptr, 0, 0, nullptr},
                                      {NM_END, nullptr, nullptr, 0, 0, nullptr}};
    EXPECT_EQ(CreateMenusA(subWithoutItem, nullptr), nullptr);
    const NewMenu empty[] = {{NM_END, nullptr, nullptr, 0, 0, nullptr}};
    EXPECT_EQ(CreateMenusA(empty, nullptr), nullptr);
    EXPECT_EQ(CreateMenusA(nullptr, nullptr), nullptr);
    EXPECT_EQ(LayoutMenusA(nullptr, nullptr, nullptr), FALSE);
    FreeMenus(nullptr);
}

TEST_F(MenuTest, LayoutPlacesTitlesAcrossAndItemsInAColumn)
{
    int right = 0;
    for (Menu* menu = strip; menu != nullptr; menu = menu->NextMenu) {
        EXPECT_GE(menu->LeftEdge, right);
        EXPECT_GT(menu->Width, static_cast<WORD>(std::strlen(menu->MenuName) * 8));
        right = menu->LeftEdge + menu->Width;
        int bottom = 0;
        for (MenuItem* item = menu->FirstItem; item != nullptr; item = item->NextItem) {
            EXPECT_GE(item->TopEdge, bottom);
            EXPECT_EQ(item->Width, menu->FirstItem->Width);
            EXPECT_GE(item->LeftEdge, menu->JazzX);
            EXPECT_LE(item->LeftEdge + item->Width - 1, menu->BeatX);
            bottom = item->TopEdge + item->Height;
            EXPECT_LE(bottom - 1, menu->BeatY);
        }
    }
    EXPECT_EQ(strip->LeftEdge, 5);
    // Options: room for the check mark before the text and the Amiga key and letter after it.
    MenuItem* sound = ItemAddress(strip, kSoundNumber);
    const auto* text = static_cast<IntuiText*>(sound->ItemFill);
    EXPECT_GE(text->LeftEdge, internal::kMenuCheckWidth);
    EXPECT_GE(sound->Width, text->LeftEdge + 6 * 8 + internal::kMenuAmigaKeyWidth + 8);
    // "?" has neither: its text starts at the pad.
    EXPECT_EQ(static_cast<IntuiText*>(ItemAddress(strip, kGuidaNumber)->ItemFill)->LeftEdge, internal::kMenuItemPadX);
    // The separator is lower than text items.
    EXPECT_LT(ItemAddress(strip, kBarNumber)->Height, sound->Height);
}

TEST_F(MenuTest, ItemAddressFollowsMenuNumbers)
{
    EXPECT_EQ(ItemAddress(strip, kExitNumber), strip->FirstItem);
    EXPECT_EQ(ItemAddress(strip, kGuidaNumber), strip->NextMenu->FirstItem);
    EXPECT_EQ(ItemAddress(strip, kHomeNumber), strip->NextMenu->FirstItem->NextItem);
    EXPECT_EQ(ItemAddress(strip, FULLMENUNUM(1, 1, NOSUB)), strip->NextMenu->FirstItem->NextItem);
    EXPECT_EQ(ItemAddress(strip, kTwoNumber), ItemAddress(strip, kMoreNumber)->SubItem->NextItem);
    EXPECT_EQ(ItemAddress(strip, kOneNumber), ItemAddress(strip, kMoreNumber)->SubItem);
    // Numbers with no item.
    EXPECT_EQ(ItemAddress(strip, MENUNULL), nullptr);
    EXPECT_EQ(ItemAddress(strip, FULLMENUNUM(1, 2, 0)), nullptr);
    EXPECT_EQ(ItemAddress(strip, FULLMENUNUM(9, 0, 0)), nullptr);
    EXPECT_EQ(ItemAddress(strip, FULLMENUNUM(NOMENU, 0, 0)), nullptr);
    EXPECT_EQ(ItemAddress(strip, FULLMENUNUM(0, NOITEM, 0)), nullptr);
    EXPECT_EQ(ItemAddress(strip, FULLMENUNUM(0, 0, 3)), nullptr);
    EXPECT_EQ(ItemAddress(strip, FULLMENUNUM(2, 5, 2)), nullptr);
    EXPECT_EQ(ItemAddress(nullptr, 0), nullptr);
}

TEST_F(MenuTest, ReleasingOverAnItemPicksItsNumber)
{
    EXPECT_EQ(Choose(kExitNumber), 0x0000);
    EXPECT_EQ(ItemAddress(strip, kExitNumber)->NextSelect, MENUNULL);
    EXPECT_FALSE(internal::MenuIsOpen());
    EXPECT_EQ(Choose(kGuidaNumber), 0x0001);
    EXPECT_EQ(Choose(kHomeNumber), 0x0021);
    EXPECT_EQ(Choose(kTwoNumber, true), kTwoNumber);
    EXPECT_EQ(Choose(kOneNumber, true), kOneNumber);
    EXPECT_EQ(Choose(kBarNumber), kBarNumber);
}

TEST_F(MenuTest, NothingIsPickedWhereNothingMayBe)
{
    EXPECT_EQ(Choose(kLockedNumber), MENUNULL);        // a disabled item
    EXPECT_EQ(Choose(FULLMENUNUM(3, 0, 0)), MENUNULL); // an item of a disabled menu
    EXPECT_EQ(Choose(kMoreNumber), MENUNULL);          // an item that only leads to sub-items
    int x = 0, y = 0;
    TitleAt(1, x, y);
    ASSERT_TRUE(internal::MenuBegin(&window, x, y));
    EXPECT_TRUE(internal::MenuIsOpen());
    EXPECT_EQ(internal::MenuEnd(x, y), MENUNULL); // released on the bar
    ASSERT_TRUE(internal::MenuBegin(&window, x, y));
    EXPECT_EQ(internal::MenuEnd(630, 190), MENUNULL); // released beside the box
    Window bare = window;
    bare.MenuStrip = nullptr;
    EXPECT_FALSE(internal::MenuBegin(&bare, x, y));
    EXPECT_FALSE(internal::MenuBegin(nullptr, x, y));
    EXPECT_EQ(internal::MenuEnd(x, y), MENUNULL);
}

TEST_F(MenuTest, MultipleSelectionChainsThroughNextSelect)
{
    int x = 0, y = 0;
    TitleAt(1, x, y);
    ASSERT_TRUE(internal::MenuBegin(&window, x, y));
    ItemAt(kHomeNumber, x, y);
    internal::MenuTrack(x, y);
    internal::MenuAddPick(x, y);
    internal::MenuAddPick(x, y); // the same item again is not chained twice
    EXPECT_TRUE(internal::MenuIsOpen());
    TitleAt(0, x, y);
    internal::MenuTrack(x, y);
    ItemAt(kExitNumber, x, y);
    internal::MenuTrack(x, y);
    const UWORD first = internal::MenuEnd(x, y);
    EXPECT_EQ(first, kHomeNumber);
    const UWORD second = ItemAddress(strip, first)->NextSelect;
    EXPECT_EQ(second, kExitNumber);
    EXPECT_EQ(ItemAddress(strip, second)->NextSelect, MENUNULL);
}

TEST_F(MenuTest, CheckItemsToggleAndExcludeEachOther)
{
    MenuItem* sound = ItemAddress(strip, kSoundNumber);
    MenuItem* fast = ItemAddress(strip, kFastNumber);
    MenuItem* slow = ItemAddress(strip, kSlowNumber);
    EXPECT_EQ(Choose(kSoundNumber), kSoundNumber);
    EXPECT_EQ(sound->Flags & CHECKED, 0); // MENUTOGGLE: picked again, unchecked
    EXPECT_EQ(Choose(kSoundNumber), kSoundNumber);
    EXPECT_EQ(sound->Flags & CHECKED, CHECKED);
    EXPECT_EQ(Choose(kFastNumber), kFastNumber);
    EXPECT_EQ(fast->Flags & CHECKED, CHECKED); // no MENUTOGGLE: stays checked
    EXPECT_EQ(Choose(kSlowNumber), kSlowNumber);
    EXPECT_EQ(slow->Flags & CHECKED, CHECKED);
    EXPECT_EQ(fast->Flags & CHECKED, 0); // excluded by Slow
    EXPECT_EQ(sound->Flags & CHECKED, CHECKED);
}

TEST_F(MenuTest, CommandKeysPickLikeChoosing)
{
    EXPECT_EQ(internal::MenuCommandKey(&window, 'e'), kExitNumber);
    EXPECT_EQ(internal::MenuCommandKey(&window, 'E'), kExitNumber);
    EXPECT_EQ(ItemAddress(strip, kExitNumber)->NextSelect, MENUNULL);
    MenuItem* sound = ItemAddress(strip, kSoundNumber);
    EXPECT_EQ(internal::MenuCommandKey(&window, 'S'), kSoundNumber);
    EXPECT_EQ(sound->Flags & CHECKED, 0);
    EXPECT_EQ(internal::MenuCommandKey(&window, 'L'), MENUNULL); // disabled
    EXPECT_EQ(internal::MenuCommandKey(&window, 'x'), MENUNULL);
    EXPECT_EQ(internal::MenuCommandKey(&window, '\0'), MENUNULL);
    EXPECT_EQ(internal::MenuCommandKey(nullptr, 'e'), MENUNULL);
}

TEST_F(MenuTest, ClearingTheStripClosesIt)
{
    int x = 0, y = 0;
    TitleAt(0, x, y);
    ASSERT_TRUE(internal::MenuBegin(&window, x, y));
    ClearMenuStrip(&window);
    EXPECT_FALSE(internal::MenuIsOpen());
    EXPECT_EQ(window.MenuStrip, nullptr);
    EXPECT_EQ(internal::MenuEnd(x, y), MENUNULL);
}

TEST(MenuBuilderTest, ItemsBeyondTheNumbersAreLeftOutWithTheirSubItems)
{
    char title[] = "Many";
    char label[] = "Item";
    std::vector<NewMenu> entries;
    entries.push_back({NM_TITLE, title, nullptr, 0, 0, nullptr});
    for (int i = 0; i < 70; ++i) {
        entries.push_back({NM_ITEM, label, nullptr, 0, 0, nullptr});
        if (i >= 62)
            entries.push_back({NM_SUB, label, nullptr, 0, 0, nullptr});
    }
    entries.push_back({NM_END, nullptr, nullptr, 0, 0, nullptr});
    ULONG error = 0;
    const TagItem tags[] = {{GTMN_SecondaryError, reinterpret_cast<IPTR>(&error)}, {TAG_DONE, 0}};
    Menu* strip = CreateMenusA(entries.data(), tags);
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(error, GTMENU_TRIMMED);
    int count = 0;
    for (MenuItem* item = strip->FirstItem; item != nullptr; item = item->NextItem)
        ++count;
    EXPECT_EQ(count, 63);
    MenuItem* last = ItemAddress(strip, FULLMENUNUM(0, 62, NOSUB));
    ASSERT_NE(last, nullptr);
    ASSERT_NE(last->SubItem, nullptr);
    EXPECT_EQ(last->SubItem->NextItem, nullptr); // the dropped items' sub-items did not land here
    FreeMenus(strip);
}
