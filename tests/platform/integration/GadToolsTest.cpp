// SPDX-License-Identifier: MIT
// gadtools: contexts, buttons and check boxes in a window's gadget list, their messages and
// their looks; menu picks through intuition's routing.
#include "platform/gadtools/GadTools.h"
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Menus.h"
#include "platform/testing/Testing.h"
#include "toolkit/core/Form.h"

#include <gtest/gtest.h>

using namespace amiga;

namespace {

class GadToolsTest : public ::testing::Test {
protected:
    Screen* screen = nullptr;
    APTR visualInfo = nullptr;
    Gadget* glist = nullptr;
    Window* window = nullptr;

    void SetUp() override
    {
        screen = OpenScreenTags(nullptr, SA_Depth, 8, SA_LikeWorkbench, TRUE, SA_Width, 800, SA_Height, 600, TAG_DONE);
        ASSERT_NE(screen, nullptr);
        visualInfo = GetVisualInfoA(screen, nullptr);
        ASSERT_NE(visualInfo, nullptr);
    }
    void TearDown() override
    {
        if (window != nullptr) {
            CloseWindow(window);
        }
        FreeGadgets(glist);
        FreeVisualInfo(visualInfo);
        ResetIntuition();
        ResetPlatform();
    }

    NewGadget Button(WORD left, WORD top, UWORD id, const char* text)
    {
        return NewGadget{left, top, 80, 20, text, nullptr, id, 0, visualInfo, nullptr};
    }
    void OpenWith(Gadget* gadgets)
    {
        window = OpenWindowTags(nullptr, WA_CustomScreen, screen, WA_Left, 100, WA_Top, 80, WA_InnerWidth, 300,
                                WA_InnerHeight, 150, WA_Title, "Gadgets", WA_Flags, 0x120E, WA_IDCMP, Form::DialogIDCMP,
                                WA_Gadgets, gadgets, TAG_DONE);
        ASSERT_NE(window, nullptr);
        GT_RefreshWindow(window, nullptr);
        DrainMessages(window);
    }
    std::vector<ReceivedMessage> GadgetMessages()
    {
        std::vector<ReceivedMessage> kept;
        for (const auto& message : DrainMessages(window)) {
            if (message.Class == IDCMP_GADGETDOWN || message.Class == IDCMP_GADGETUP ||
                message.Class == IDCMP_MOUSEBUTTONS) {
                kept.push_back(message);
            }
        }
        return kept;
    }
};

TEST_F(GadToolsTest, ButtonGivesGadgetDownAndUpWithItsID)
{
    Gadget* context = CreateContext(&glist);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(glist, context);
    NewGadget ok = Button(20, 30, 7, "OK");
    NewGadget cancel = Button(120, 30, 8, "Cancel");
    Gadget* okGadget = CreateGadget(BUTTON_KIND, context, &ok, GA_Immediate, TRUE, TAG_DONE);
    Gadget* cancelGadget = CreateGadgetA(BUTTON_KIND, okGadget, &cancel, nullptr);
    ASSERT_TRUE(okGadget && cancelGadget);
    EXPECT_EQ(okGadget->GadgetID, 7);
    EXPECT_EQ(context->NextGadget, okGadget);
    OpenWith(glist);

    // Window coordinates (20, 30) are screen (120, 110).
    InjectClick(130, 115);
    auto messages = GadgetMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Class, IDCMP_GADGETDOWN);
    EXPECT_EQ(messages[0].IAddress, okGadget);
    EXPECT_EQ(messages[1].Class, IDCMP_GADGETUP);
    EXPECT_EQ(static_cast<Gadget*>(messages[1].IAddress)->GadgetID, 7);
    EXPECT_EQ(messages[1].MouseX, 30);
    EXPECT_EQ(messages[1].MouseY, 35);

    // Without GA_Immediate only the release is reported; released elsewhere, nothing.
    InjectClick(230, 115);
    messages = GadgetMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Class, IDCMP_GADGETUP);
    EXPECT_EQ(messages[0].IAddress, cancelGadget);
    InjectButtonDown(230, 115);
    InjectPointerMove(230, 200);
    InjectButtonUp(230, 200);
    EXPECT_TRUE(GadgetMessages().empty());

    // Outside every gadget the window hears the button itself.
    InjectClick(300, 200);
    messages = GadgetMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Class, IDCMP_MOUSEBUTTONS);
}

TEST_F(GadToolsTest, ButtonIsDrawnBevelledWithItsTextAndPressedWhileHeld)
{
    Gadget* context = CreateContext(&glist);
    NewGadget ok = Button(20, 30, 7, "OK");
    Gadget* okGadget = CreateGadgetA(BUTTON_KIND, context, &ok, nullptr);
    ASSERT_NE(okGadget, nullptr);
    OpenWith(glist);
    RastPort* rp = window->RPort;
    EXPECT_EQ(ReadPixel(rp, 20, 30), 2); // bright top-left edge
    EXPECT_EQ(ReadPixel(rp, 99, 49), 1); // dark bottom-right edge
    EXPECT_EQ(ReadPixel(rp, 24, 33), 0); // face in the background pen
    int text = 0;
    for (int y = 31; y < 49; ++y) {
        for (int x = 22; x < 98; ++x) {
            text += ReadPixel(rp, x, y) == 1 ? 1 : 0;
        }
    }
    EXPECT_GT(text, 10);
    EXPECT_LT(text, 100);

    InjectButtonDown(125, 115);
    EXPECT_EQ(ReadPixel(rp, 20, 30), 1); // pressed: edges swap, face filled
    EXPECT_EQ(ReadPixel(rp, 24, 33), 3);
    InjectPointerMove(300, 200);
    EXPECT_EQ(ReadPixel(rp, 24, 33), 0); // off the button it shows released
    InjectButtonUp(300, 200);
    EXPECT_EQ(ReadPixel(rp, 20, 30), 2);

    // Disabled: ghosted, and a click passes to the window.
    GT_SetGadgetAttrs(okGadget, window, nullptr, GA_Disabled, TRUE, TAG_DONE);
    ULONG disabled = 0;
    EXPECT_EQ(GT_GetGadgetAttrs(okGadget, window, nullptr, GA_Disabled, &disabled, TAG_DONE), 1);
    EXPECT_EQ(disabled, 1u);
    DrainMessages(window);
    InjectClick(125, 115);
    auto messages = GadgetMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Class, IDCMP_MOUSEBUTTONS);
}

TEST_F(GadToolsTest, CheckBoxTogglesOnRelease)
{
    Gadget* context = CreateContext(&glist);
    NewGadget box{150, 60, 26, 11, "Sound", nullptr, 3, 0, visualInfo, nullptr};
    Gadget* check = CreateGadget(CHECKBOX_KIND, context, &box, GTCB_Checked, FALSE, TAG_DONE);
    ASSERT_NE(check, nullptr);
    OpenWith(glist);
    ULONG checked = 1;
    GT_GetGadgetAttrs(check, window, nullptr, GTCB_Checked, &checked, TAG_DONE);
    EXPECT_EQ(checked, 0u);
    InjectClick(100 + 160, 80 + 65);
    GT_GetGadgetAttrs(check, window, nullptr, GTCB_Checked, &checked, TAG_DONE);
    EXPECT_EQ(checked, 1u);
    auto messages = GadgetMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Class, IDCMP_GADGETUP);
    EXPECT_EQ(messages[0].IAddress, check);
}

TEST_F(GadToolsTest, FailuresGiveNullAndStopTheChain)
{
    EXPECT_EQ(CreateContext(nullptr), nullptr);
    Gadget* context = CreateContext(&glist);
    NewGadget ok = Button(0, 0, 1, "OK");
    EXPECT_EQ(CreateGadgetA(BUTTON_KIND, nullptr, &ok, nullptr), nullptr);
    EXPECT_EQ(CreateGadgetA(LISTVIEW_KIND, context, &ok, nullptr), nullptr);
    NewGadget noVisual = ok;
    noVisual.ng_VisualInfo = nullptr;
    EXPECT_EQ(CreateGadgetA(BUTTON_KIND, context, &noVisual, nullptr), nullptr);
    EXPECT_EQ(context->NextGadget, nullptr);
    EXPECT_EQ(GetVisualInfoA(nullptr, nullptr), nullptr);
}

TEST_F(GadToolsTest, GadgetListsCanBeExtendedAndShortened)
{
    Gadget* context = CreateContext(&glist);
    OpenWith(glist);
    Gadget* extraContext = nullptr;
    Gadget* extraHead = CreateContext(&extraContext);
    NewGadget late = Button(20, 60, 9, "Late");
    Gadget* lateGadget = CreateGadgetA(BUTTON_KIND, extraHead, &late, nullptr);
    ASSERT_NE(lateGadget, nullptr);
    extraHead->NextGadget = nullptr;
    EXPECT_EQ(AddGList(window, lateGadget, static_cast<UWORD>(~0), 1, nullptr), 1);
    EXPECT_EQ(context->NextGadget, lateGadget);
    RefreshGList(lateGadget, window, nullptr, 1);
    InjectClick(130, 145);
    auto messages = GadgetMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].IAddress, lateGadget);
    EXPECT_EQ(RemoveGList(window, lateGadget, 1), 1);
    EXPECT_EQ(context->NextGadget, nullptr);
    EXPECT_EQ(RemoveGList(window, lateGadget, 1), 0xFFFF);
    FreeGadgets(extraHead);
    FreeGadgets(lateGadget);
}

TEST_F(GadToolsTest, MenuPicksAndCommandKeysArriveThroughTheRouting)
{
    NewMenu menus[] = {
        {NM_TITLE, const_cast<STRPTR>("File"), nullptr, 0, 0, nullptr},
        {NM_ITEM, const_cast<STRPTR>("Exit"), const_cast<STRPTR>("E"), 0, 0, nullptr},
        {NM_END, nullptr, nullptr, 0, 0, nullptr},
    };
    Menu* strip = CreateMenusA(menus, nullptr);
    ASSERT_NE(strip, nullptr);
    ASSERT_TRUE(LayoutMenusA(strip, visualInfo, nullptr));
    OpenWith(nullptr);
    window->IDCMPFlags |= IDCMP_MENUPICK;
    ASSERT_TRUE(SetMenuStrip(window, strip));
    InjectKey(RAWKEY_Q + 2, IEQUALIFIER_LCOMMAND); // Amiga-E
    auto messages = DrainMessages(window);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].Class, IDCMP_MENUPICK);
    EXPECT_EQ(messages[0].Code, 0x0000);

    // Right button down over the title, release on the item: the same pick.
    const int titleX = strip->LeftEdge + 4;
    InjectPointerMove(titleX, 4);
    InjectButtonDown(titleX, 4, internal::HostEvent::RightButton);
    const ComposedScreen open = ComposeScreen();
    InjectPointerMove(titleX + 2, screen->BarHeight + 6);
    InjectButtonUp(titleX + 2, screen->BarHeight + 6, internal::HostEvent::RightButton);
    messages.clear();
    for (const auto& message : DrainMessages(window)) {
        if (message.Class == IDCMP_MENUPICK) {
            messages.push_back(message);
        }
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Code, 0x0000);
    EXPECT_NE(ComposeScreen().pixels, open.pixels); // the menu was drawn, and is gone
    ClearMenuStrip(window);
    FreeMenus(strip);
}

} // namespace
