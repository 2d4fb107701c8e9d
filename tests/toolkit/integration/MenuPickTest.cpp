// SPDX-License-Identifier: MIT
// Menu elements picked through the real input path: the right button over the main window's
// strip, picks chained with the left button, command keys; the loop raises the commands.
#include "EventLoopSupport.h"

#include "platform/common/InputEvent.h"
#include "platform/intuition/Menus.h"
#include "toolkit/controls/KesaMenu.h"
#include "toolkit/controls/MenuBar.h"
#include "toolkit/controls/SubMenu.h"

#include <deque>
#include <functional>

using namespace amiga;
using internal::HostEvent;

namespace {

using Calls = std::vector<std::string>;

// Every command raised, with the checked state its item shows at that moment.
struct Commands {
    static inline Calls raised;
    static void Record(GUIElement* e)
    {
        auto* item = static_cast<SubMenu*>(e);
        std::string line = item->GetText();
        if (item->GetTypeCheck()) {
            // The strip the command sees is already rebuilt with the new state.
            const MenuItem* shown = ItemAddress(Application::menu, FULLMENUNUM(1, 0, 0));
            line += " checked " + Num(item->IsChecked()) + " strip " +
                    Num(shown != nullptr && (shown->Flags & CHECKED) != 0 ? 1 : 0);
        }
        raised.push_back(line);
        if (!next.empty()) {
            const std::function<void()> step = next.front();
            next.pop_front();
            step();
        }
    }
    // Input for after a command: each command injects the next step.
    static inline std::deque<std::function<void()>> next;
};

class MenuPickTest : public LoopFixture {
protected:
    void SetUp() override
    {
        LoopFixture::SetUp();
        Commands::raised.clear();
        Commands::next.clear();
        bar = Add<MenuBar>(main.get());
        file = Add<KesaMenu>(bar, "&File");
        nuovo = Add<SubMenu>(file, "&Nuovo");
        Add<SubMenu>(file); // a separator
        esci = Add<SubMenu>(file, "Esci");
        help = Add<KesaMenu>(bar, "?");
        suoni = Add<SubMenu>(help, "Suoni");
        suoni->SetTypeCheck(1);
        locked = Add<SubMenu>(help, "Bloccato");
        locked->SetEnabled(0);
        for (SubMenu* item : {nuovo, esci, suoni, locked})
            item->SetCommand(&Commands::Record);
        bar->Load();
        ASSERT_NE(Application::menu, nullptr);
        ASSERT_EQ(main->GetHandle()->MenuStrip, Application::menu);
    }

    Screen* Scr() { return main->GetHandle()->WScreen; }
    Menu* MenuAt(int index)
    {
        Menu* m = Application::menu;
        while (index-- > 0)
            m = m->NextMenu;
        return m;
    }
    int TitleX(UWORD number) { return MenuAt(MENUNUM(number))->LeftEdge + MenuAt(MENUNUM(number))->Width / 2; }
    int TitleY() { return Scr()->BarHeight / 2; }
    int ItemX(UWORD number)
    {
        return MenuAt(MENUNUM(number))->LeftEdge + ItemAddress(Application::menu, number)->LeftEdge +
               ItemAddress(Application::menu, number)->Width / 2;
    }
    int ItemY(UWORD number)
    {
        const MenuItem* item = ItemAddress(Application::menu, number);
        return Scr()->BarHeight + 1 + item->TopEdge + item->Height / 2;
    }
    // Opens the strip with the right button and picks each number in turn: all but the last
    // with a left click, the last by releasing the right button on it.
    void Pick(std::initializer_list<UWORD> numbers)
    {
        const UWORD first = *numbers.begin();
        InjectPointerMove(TitleX(first), TitleY());
        InjectButtonDown(TitleX(first), TitleY(), HostEvent::RightButton);
        size_t index = 0;
        for (UWORD number : numbers) {
            InjectPointerMove(TitleX(number), TitleY());
            InjectPointerMove(ItemX(number), ItemY(number));
            if (++index < numbers.size())
                InjectClick(ItemX(number), ItemY(number));
            else
                InjectButtonUp(ItemX(number), ItemY(number), HostEvent::RightButton);
        }
    }

    MenuBar* bar = nullptr;
    KesaMenu* file = nullptr;
    KesaMenu* help = nullptr;
    SubMenu* nuovo = nullptr;
    SubMenu* esci = nullptr;
    SubMenu* suoni = nullptr;
    SubMenu* locked = nullptr;
};

constexpr UWORD Nuovo = FULLMENUNUM(0, 0, 0);
constexpr UWORD Separator = FULLMENUNUM(0, 1, 0);
constexpr UWORD Esci = FULLMENUNUM(0, 2, 0);
constexpr UWORD Suoni = FULLMENUNUM(1, 0, 0);
constexpr UWORD Locked = FULLMENUNUM(1, 1, 0);

} // namespace

TEST_F(MenuPickTest, TwoItemsInOneSelectionRaiseBothCommandsInTheOrderPicked)
{
    Pick({Esci, Nuovo});
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(Commands::raised, (Calls{"Esci", "&Nuovo"}));
    // The strip went with the loop.
    EXPECT_EQ(Application::menu, nullptr);
    EXPECT_EQ(Application::menuBar, nullptr);
}

TEST_F(MenuPickTest, CheckItemShowsItsNewStateToItsCommandAndInTheRebuiltStrip)
{
    // Each pick is made once the loop has handled the one before, as a user would.
    Commands::next = {[this] { Pick({Suoni}); }, [this] { Pick({Suoni}); }, [] { InjectCloseRequest(); }};
    Pick({Suoni});
    RunLoop();
    EXPECT_EQ(Commands::raised,
              (Calls{"Suoni checked 1 strip 1", "Suoni checked 0 strip 0", "Suoni checked 1 strip 1"}));
    EXPECT_EQ(suoni->IsChecked(), 1);
}

TEST_F(MenuPickTest, PicksAfterACheckItemAreNotLostEvenInTheFirstMenu)
{
    Pick({Suoni, Nuovo, Esci});
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(Commands::raised, (Calls{"Suoni checked 1 strip 1", "&Nuovo", "Esci"}));
}

TEST_F(MenuPickTest, DisabledItemsCannotBePickedUntilEnabledAgain)
{
    Pick({Locked});
    esci->SetEnabled(0); // rebuilds the strip with the item disabled
    Pick({Esci});
    InjectCloseRequest();
    RunLoop();
    EXPECT_TRUE(Commands::raised.empty());

    // Enabled again, both can be picked (the loop's end freed the strip: build it anew).
    Commands::raised.clear();
    main->Show();
    locked->SetEnabled(1);
    esci->SetEnabled(1);
    bar->Load();
    InjectClick(790, 590);
    Application::CancellaBuffer(main->GetHandle());
    Pick({Locked, Esci});
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(Commands::raised, (Calls{"Bloccato", "Esci"}));
}

TEST_F(MenuPickTest, SeparatorIsPickableAndCommandKeysPickTheirItem)
{
    SubMenu* separator = file->at(1);
    ASSERT_NE(separator, nullptr);
    separator->SetCommand(&Commands::Record);
    Pick({Separator});
    InjectKey(RAWKEY_Z + 5, IEQUALIFIER_LCOMMAND); // Amiga-N: "&Nuovo"
    InjectKey(RAWKEY_Q + 2, IEQUALIFIER_LCOMMAND); // Amiga-E: "Esci" has no key
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(Commands::raised, (Calls{"", "&Nuovo"}));
}
