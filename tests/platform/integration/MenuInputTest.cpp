// SPDX-License-Identifier: MIT
// Menu strips driven through injected input: the right button, picks, multiple selection,
// command keys, and the strip drawn over the composed screen.
#include "platform/gadtools/GadTools.h"
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "platform/intuition/Menus.h"
#include "platform/intuition/MenuState.h"
#include "platform/testing/Testing.h"

#include "BackdropFixture.h"
#include <gtest/gtest.h>

#include <vector>

using namespace amiga;
using internal::HostEvent;

namespace {

char kFile[] = "File";
char kExit[] = "Exit";
char kE[] = "E";
char kHelp[] = "?";
char kGuida[] = "Guida";
char kHome[] = "Home";
char kLocked[] = "Locked";

const NewMenu kStrip[] = {
    {NM_TITLE, kFile, nullptr, 0, 0, nullptr}, {NM_ITEM, kExit, kE, 0, 0, nullptr},
    {NM_TITLE, kHelp, nullptr, 0, 0, nullptr}, {NM_ITEM, kGuida, nullptr, 0, 0, nullptr},
    {NM_ITEM, kHome, nullptr, 0, 0, nullptr},  {NM_ITEM, kLocked, nullptr, NM_ITEMDISABLED, 0, nullptr},
    {NM_END, nullptr, nullptr, 0, 0, nullptr},
};

class MenuInputTest : public BackdropFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenBackdrop("Menus", IDCMP_MENUPICK | IDCMP_MOUSEBUTTONS | IDCMP_RAWKEY));
        visualInfo = GetVisualInfoA(screen, nullptr);
        const TagItem tags[] = {{GTMN_FrontPen, 1}, {TAG_DONE, 0}};
        strip = CreateMenusA(kStrip, tags);
        ASSERT_NE(strip, nullptr);
        ASSERT_EQ(LayoutMenusA(strip, visualInfo, nullptr), TRUE);
        ASSERT_EQ(SetMenuStrip(window, strip), TRUE);
        InjectClick(320, 240); // make sure it is the active window
        DrainMessages(window);
    }
    void TearDown() override
    {
        if (window != nullptr) {
            ClearMenuStrip(window);
            DrainMessages(window);
        }
        FreeMenus(strip);
        FreeVisualInfo(visualInfo);
        BackdropFixture::TearDown();
    }

    Menu* MenuAt(int index)
    {
        Menu* menu = strip;
        while (index-- > 0)
            menu = menu->NextMenu;
        return menu;
    }
    int TitleX(int menu) { return MenuAt(menu)->LeftEdge + MenuAt(menu)->Width / 2; }
    int TitleY() { return screen->BarHeight / 2; }
    int ItemX(UWORD number)
    {
        const MenuItem* item = ItemAddress(strip, number);
        return MenuAt(MENUNUM(number))->LeftEdge + item->LeftEdge + item->Width / 2;
    }
    int ItemY(UWORD number)
    {
        const MenuItem* item = ItemAddress(strip, number);
        return screen->BarHeight + 1 + item->TopEdge + item->Height / 2;
    }
    // Right button down on the title, a drag to the item, the release there.
    void Choose(UWORD number)
    {
        InjectPointerMove(TitleX(MENUNUM(number)), TitleY());
        InjectButtonDown(TitleX(MENUNUM(number)), TitleY(), HostEvent::RightButton);
        InjectPointerMove(ItemX(number), TitleY() + 20);
        InjectPointerMove(ItemX(number), ItemY(number));
        InjectButtonUp(ItemX(number), ItemY(number), HostEvent::RightButton);
    }
    // The codes of the menu-pick messages the window received.
    std::vector<UWORD> Picks()
    {
        std::vector<UWORD> codes;
        for (const ReceivedMessage& message : DrainMessages(window))
            if (message.Class == IDCMP_MENUPICK)
                codes.push_back(message.Code);
        return codes;
    }

    APTR visualInfo = nullptr;
    Menu* strip = nullptr;
};

} // namespace

TEST_F(MenuInputTest, PickingItemsSendsTheirMenuNumbers)
{
    Choose(0x0000);
    EXPECT_EQ(Picks(), std::vector<UWORD>{0x0000});
    Choose(0x0001);
    EXPECT_EQ(Picks(), std::vector<UWORD>{0x0001});
    Choose(0x0021);
    EXPECT_EQ(Picks(), std::vector<UWORD>{0x0021});
    EXPECT_EQ(ItemAddress(strip, 0x0021)->NextSelect, MENUNULL);
    EXPECT_FALSE(internal::MenuIsOpen());
}

TEST_F(MenuInputTest, DisabledItemsAndEmptyReleasesPickNothing)
{
    Choose(0x0041);
    EXPECT_EQ(Picks(), std::vector<UWORD>{MENUNULL});
    InjectButtonDown(TitleX(0), TitleY(), HostEvent::RightButton);
    InjectButtonUp(600, 400, HostEvent::RightButton);
    EXPECT_EQ(Picks(), std::vector<UWORD>{MENUNULL});
}

TEST_F(MenuInputTest, LeftClicksWhileHeldChainSeveralPicks)
{
    InjectPointerMove(TitleX(1), TitleY());
    InjectButtonDown(TitleX(1), TitleY(), HostEvent::RightButton);
    InjectPointerMove(ItemX(0x0001), ItemY(0x0001));
    InjectClick(ItemX(0x0001), ItemY(0x0001));
    EXPECT_TRUE(internal::MenuIsOpen());
    InjectPointerMove(ItemX(0x0021), ItemY(0x0021));
    InjectButtonUp(ItemX(0x0021), ItemY(0x0021), HostEvent::RightButton);
    const std::vector<UWORD> picks = Picks();
    ASSERT_EQ(picks, std::vector<UWORD>{0x0001});
    // The event loop's walk: each item's NextSelect names the next pick, MENUNULL ends.
    std::vector<UWORD> chain;
    for (UWORD code = picks.front(); code != MENUNULL && chain.size() < 8; code = ItemAddress(strip, code)->NextSelect)
        chain.push_back(code);
    EXPECT_EQ(chain, (std::vector<UWORD>{0x0001, 0x0021}));
}

TEST_F(MenuInputTest, CommandKeySendsTheSamePickAsChoosing)
{
    InjectKey(RAWKEY_Q + 2, IEQUALIFIER_LCOMMAND); // Amiga (the host's Alt) + E
    EXPECT_EQ(Picks(), std::vector<UWORD>{0x0000});
    InjectKey(RAWKEY_Q + 2); // E alone is a key, not a pick
    EXPECT_TRUE(Picks().empty());
}

TEST_F(MenuInputTest, TheOpenStripIsDrawnInTheTitleBarAndGoesAway)
{
    const ComposedScreen before = ComposeScreen(screen);
    ASSERT_EQ(before.width, 640);
    InjectPointerMove(TitleX(1), TitleY());
    InjectButtonDown(TitleX(1), TitleY(), HostEvent::RightButton);
    InjectPointerMove(ItemX(0x0021), ItemY(0x0021));
    const ComposedScreen open = ComposeScreen(screen);

    DrawInfo* info = GetScreenDrawInfo(screen);
    ASSERT_NE(info, nullptr);
    const UBYTE block = static_cast<UBYTE>(info->dri_Pens[BARBLOCKPEN]);
    const UBYTE detail = static_cast<UBYTE>(info->dri_Pens[BARDETAILPEN]);
    FreeScreenDrawInfo(screen, info);
    ASSERT_NE(block, detail);

    const Menu* help = MenuAt(1);
    const int barBottom = screen->BarHeight + 1;
    // The "?" title is highlighted: its corner in the detail pen, "File"'s corner in the block pen.
    EXPECT_EQ(open.At(help->LeftEdge, 0), detail);
    EXPECT_EQ(open.At(MenuAt(0)->LeftEdge, 0), block);
    // Its box: framed in the detail pen, filled with the block pen.
    EXPECT_EQ(open.At(help->LeftEdge, barBottom), detail);
    EXPECT_EQ(open.At(help->LeftEdge + help->BeatX, barBottom + help->BeatY), detail);
    EXPECT_EQ(open.At(help->LeftEdge + 1, barBottom + 1), block);
    // "Home" is highlighted (its background is the text pen 1), "Guida" is not.
    const MenuItem* home = ItemAddress(strip, 0x0021);
    const MenuItem* guida = ItemAddress(strip, 0x0001);
    EXPECT_EQ(open.At(help->LeftEdge + home->LeftEdge, barBottom + home->TopEdge), 1);
    EXPECT_EQ(open.At(help->LeftEdge + guida->LeftEdge, barBottom + guida->TopEdge), block);
    // The text of "Guida" is there: some pixel of its row in pen 1.
    int textPixels = 0;
    for (int x = 0; x < guida->Width; ++x)
        for (int y = 0; y < guida->Height; ++y)
            textPixels += open.At(help->LeftEdge + guida->LeftEdge + x, barBottom + guida->TopEdge + y) == 1;
    EXPECT_GT(textPixels, 10);
    // The disabled item is ghosted: its text is there, but the dot pattern (every fourth
    // pixel, shifted by two on odd rows) is all in the block pen.
    const MenuItem* locked = ItemAddress(strip, 0x0041);
    const int left = help->LeftEdge + locked->LeftEdge, top = barBottom + locked->TopEdge;
    int lockedText = 0, patternWrong = 0;
    for (int y = top; y < top + locked->Height; ++y)
        for (int x = left; x < left + locked->Width; ++x) {
            const bool dot = (x - left) % 4 == ((y & 1) ? 2 : 0);
            lockedText += !dot && open.At(x, y) == 1;
            patternWrong += dot && open.At(x, y) != block;
        }
    EXPECT_GT(lockedText, 10);
    EXPECT_EQ(patternWrong, 0);
    InjectButtonUp(help->LeftEdge + help->BeatX + 40, 400, HostEvent::RightButton);
    DrainMessages(window);
    const ComposedScreen after = ComposeScreen(screen);
    EXPECT_EQ(after.pixels, before.pixels);
}

TEST_F(MenuInputTest, TheOpenStripStaysWithItsWindow)
{
    Window* other = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Left, 300, WA_Top, 200, WA_Width, 200,
                                   WA_Height, 100, WA_IDCMP, IDCMP_MENUPICK | IDCMP_MOUSEBUTTONS, TAG_DONE);
    ASSERT_NE(other, nullptr);
    // The program activates another window while the strip is open: the pick is still the
    // strip's window's.
    InjectPointerMove(TitleX(1), TitleY());
    InjectButtonDown(TitleX(1), TitleY(), HostEvent::RightButton);
    ActivateWindow(other);
    InjectPointerMove(ItemX(0x0021), ItemY(0x0021));
    InjectButtonUp(ItemX(0x0021), ItemY(0x0021), HostEvent::RightButton);
    EXPECT_EQ(Picks(), std::vector<UWORD>{0x0021});
    EXPECT_TRUE(DrainMessages(other).empty());

    // The window closes while its strip is open: the strip goes, nothing is picked.
    ActivateWindow(window);
    InjectButtonDown(TitleX(1), TitleY(), HostEvent::RightButton);
    ASSERT_TRUE(internal::MenuIsOpen());
    EXPECT_NE(window->Flags & WFLG_MENUSTATE, 0u);
    CloseWindow(window);
    window = nullptr;
    EXPECT_FALSE(internal::MenuIsOpen());
    InjectPointerMove(ItemX(0x0021), ItemY(0x0021));
    EXPECT_EQ(ComposeScreen(screen).width, 640);
    InjectButtonUp(ItemX(0x0021), ItemY(0x0021), HostEvent::RightButton);
    for (const ReceivedMessage& message : DrainMessages(other))
        EXPECT_NE(message.Class, IDCMP_MENUPICK);
    CloseWindow(other);
}
