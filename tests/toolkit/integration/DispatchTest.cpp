// SPDX-License-Identifier: MIT
// ElaboraEventi with messages made by hand, for what injected input cannot produce here:
// scroller moves, vanilla keys, menu numbers the strip does not have, a raw key without its
// previous-key information.
#include "EventLoopSupport.h"

#include "platform/intuition/Menus.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/KesaMenu.h"
#include "toolkit/controls/MenuBar.h"
#include "toolkit/controls/ScrollBar.h"
#include "toolkit/controls/SubMenu.h"

using namespace amiga;

namespace {

using Calls = std::vector<std::string>;

struct Heard {
    static void Scroll(GUIElement*, int code) { Trace::Note("scroll " + Num(code)); }
    static void Moved(GUIElement* e, int mx, int my)
    {
        Trace::Note(e->GetKesaClassName() + ".move " + Num(mx) + " " + Num(my));
    }
    static void Command(GUIElement* e) { Trace::Note(e->GetText() + ".command"); }
};

class DispatchTest : public LoopFixture {
protected:
    // Dispatches one message of `cls` on the main window; the message is replied.
    void Send(ULONG cls, UWORD code, APTR address = nullptr)
    {
        IntuiMessage message{};
        message.Class = cls;
        message.Code = code;
        message.IAddress = address;
        message.MouseX = 10;
        message.MouseY = 10;
        message.IDCMPWindow = main->GetHandle();
        Application::ElaboraEventi(main.get(), &message, done, ie, buffer, length);
        EXPECT_EQ(message.ExecMessage.mn_Node.ln_Type, NT_FREEMSG); // replied
    }
    void SetUp() override
    {
        LoopFixture::SetUp();
        buffer = storage;
    }

    int done = 0;
    InputEvent event{};
    InputEvent* ie = &event;
    char storage[2] = {};
    char* buffer = nullptr;
    unsigned char length = 2;
};

} // namespace

TEST_F(DispatchTest, ScrollerMovesReachTheScrollBarThenTheWindow)
{
    auto* scroll = Add<ScrollBar>(main.get(), 300, 100, 16, 80);
    scroll->SetOnScroll(&Heard::Scroll);
    scroll->SetOnMouseMove(&Heard::Moved);
    main->SetOnMouseMove(&Heard::Moved);
    scroll->Show();
    Send(IDCMP_MOUSEMOVE, 7, scroll->GetGadget());
    EXPECT_EQ(scroll->GetScrollPosition(), 7);
    Gadget stranger{};
    stranger.GadgetID = 999;
    Send(IDCMP_MOUSEMOVE, 3, &stranger); // no element: only the window hears it
    EXPECT_EQ(Trace::calls, (Calls{"scroll 7", "scrollbar.move 0 0", "form.move 0 0", "form.move 0 0"}));
}

TEST_F(DispatchTest, VanillaKeyLeavesTheSelectedGadgetAndGoesToTheWindow)
{
    TracedControl* selected = Control("selected", 100, 100);
    Application::GadgetSel = selected;
    Send(IDCMP_VANILLAKEY, 'x');
    EXPECT_EQ(Trace::calls, (Calls{"selected.leave", "form.press x"}));
    EXPECT_EQ(Application::GadgetSel, nullptr);
}

TEST_F(DispatchTest, MenuNumbersTheStripDoesNotHaveAreIgnored)
{
    auto* bar = Add<MenuBar>(main.get());
    auto* menu = Add<KesaMenu>(bar, "M");
    auto* item = Add<SubMenu>(menu, "I");
    item->SetCommand(&Heard::Command);
    bar->Load();
    Send(IDCMP_MENUPICK, FULLMENUNUM(3, 0, 0)); // no such menu
    Send(IDCMP_MENUPICK, FULLMENUNUM(0, 5, 0)); // no such item
    Send(IDCMP_MENUPICK, MENUNULL);
    EXPECT_TRUE(Trace::calls.empty());
    Send(IDCMP_MENUPICK, FULLMENUNUM(0, 0, 0));
    EXPECT_EQ(Trace::calls, (Calls{"I.command"}));
    ClearMenuStrip(main->GetHandle());
    FreeMenus(Application::menu);
    Application::menu = nullptr;
    Application::menuBar = nullptr;
    bar->ReleaseLabels();
}

TEST_F(DispatchTest, RawKeyWithoutPreviousKeysStillMaps)
{
    Send(IDCMP_RAWKEY, RAWKEY_A); // IAddress null
    EXPECT_EQ(Trace::calls, (Calls{"form.keydown " + Num(RAWKEY_A) + " state 1", "form.press a"}));
    Application::keyState[RAWKEY_A] = 0;
}

TEST_F(DispatchTest, GadgetMessagesOfGadgetIdZeroFindNoElement)
{
    // An element not loaded yet has ID 0; a gadget numbered 0 must not reach it.
    auto* unloaded = Add<Button>(main.get(), "Non caricato", 10, 10, 50, 20);
    unloaded->SetCommand(&Heard::Command);
    Gadget zero{};
    Send(IDCMP_GADGETUP, 0, &zero);
    EXPECT_TRUE(TraceOf({"Non caricato"}).empty());
    EXPECT_EQ(ReadLog(), "non trovato!\n");
}
