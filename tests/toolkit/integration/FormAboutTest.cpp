// SPDX-License-Identifier: MIT
// FormAbout over a main window, driven by injected input through the event loop's own
// dispatch: layout, the addresses handed to the shell, the keys and the button that close
// it, and the owner kept out of play while it is open.
#include "toolkit/controls/FormAbout.h"

#include "platform/exec/Exec.h"
#include "toolkit/controls/ButtonCustom.h"
#include "toolkit/controls/CellControl.h"
#include "toolkit/data/BuiltinImages.h"

#include "tests/support/ControlTestSupport.h"

#include <string>
#include <vector>

using namespace amiga;

namespace {

constexpr const char* Site = "http://www.kesa.example";

int ownerCommands = 0;
void OwnerCommand(GUIElement*)
{
    ++ownerCommands;
}

class FormAboutTest : public ControlFixture {
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        ownerCommands = 0;
        ownerButton = Add<ButtonCustom>(main.get(), "GO");
        ownerButton->SetLocation(20, 560);
        ownerButton->SetCommand(OwnerCommand);
        ownerButton->Show();
        SetExecuteRunner([this](const std::string& line) {
            commands.push_back(line);
            return 0;
        });
        // The main window active, with nothing waiting.
        InjectClick(790, 590);
        Application::CancellaBuffer(main->GetHandle());
        keyBuffer = static_cast<char*>(AllocMem(keyLength, MEMF_CLEAR));
    }
    void TearDown() override
    {
        FreeMem(keyBuffer, keyLength);
        SetExecuteRunner({});
        ControlFixture::TearDown();
    }

    FormAbout* Open(const std::string& site = Site)
    {
        auto* about = new FormAbout(main.get());
        forms.emplace_back(about);
        about->SetScreen(screen.get());
        about->SetImageLogo(LogoIFF, 164, 50);
        about->SetProgramNameEx("KesaPegline 1.0.0.0");
        about->SetLegalInformation("(c) The Kesa Pegline authors - MIT licence");
        about->SetNote("Indovina il codice segreto di quattro colori.\nOgni tentativo riceve due punteggi.");
        about->SetUrlSite(site);
        about->Show();
        return about;
    }
    // Hands everything injected so far to the windows, the way one turn of the event loop
    // does: the dialogs drained (and closed when they asked), then the main window's messages.
    void Dispatch()
    {
        PumpInput();
        Application::ElaboraMessaggiWinSec(main.get(), &inputEvent, keyBuffer, keyLength);
        while (IntuiMessage* message = GT_GetIMsg(main->GetHandle()->UserPort)) {
            int done = 0;
            Application::ElaboraEventi(main.get(), message, done, &inputEvent, keyBuffer, keyLength);
        }
    }
    // A click at a point of the dialog's window.
    static void ClickIn(FormAbout* about, int x, int y)
    {
        InjectClick(about->GetHandle()->LeftEdge + x, about->GetHandle()->TopEdge + y);
    }
    // The owner takes part again: a click on its button raises the command.
    void ExpectOwnerUsable()
    {
        EXPECT_TRUE(main->GetEnabled());
        EXPECT_FALSE(main->CursorWait());
        const int before = ownerCommands;
        InjectClick(30, 570);
        Dispatch();
        EXPECT_EQ(ownerCommands, before + 1);
    }

    ButtonCustom* ownerButton = nullptr;
    std::vector<std::string> commands;
    InputEvent inputEvent{};
    unsigned char keyLength = 8;
    char* keyBuffer = nullptr;
};

TEST_F(FormAboutTest, LayoutFollowsTheLogoWidth)
{
    FormAbout* about = Open();
    ASSERT_TRUE(about->IsLoad());
    EXPECT_EQ(about->GetText(), "Info...");
    EXPECT_EQ(about->GetSiteCell()->GetPosition().x, 209);
    EXPECT_EQ(about->GetMailCell()->GetPosition().x, 419);
    EXPECT_EQ(about->GetSiteCell()->GetPosition().y, 68);
    // OK centred under the text column: 209 + 381 / 2 - 40.
    EXPECT_EQ(about->GetOkButton()->GetPosition().x, 359);
    EXPECT_EQ(about->GetOkButton()->GetPosition().y, 193);
    EXPECT_EQ(about->GetMailCell()->GetText(), "info@kesa.example");
    EXPECT_TRUE(about->GetSiteCell()->CursorHand());
    EXPECT_TRUE(about->GetMailCell()->CursorHand());
}

TEST_F(FormAboutTest, MailAddressNeedsMoreThanTheSitePrefix)
{
    struct Case {
        std::string site, mail;
    };
    for (const Case& c : {Case{"http://www.a.it", "info@a.it"}, Case{"http://www.", ""}, Case{"short", ""},
                          Case{"", ""}, Case{"http://www.x", "info@x"}})
        EXPECT_EQ(FormAbout::MailAddress(c.site), c.mail) << c.site;
    // An address too short for a mail address shows an empty cell that runs nothing.
    FormAbout* about = Open("web");
    EXPECT_EQ(about->GetMailCell()->GetText(), "");
    ClickIn(about, 419 + 10, 73);
    Dispatch();
    EXPECT_TRUE(commands.empty());
}

TEST_F(FormAboutTest, SiteCellHandsTheAddressUnchangedAndMailCellMailto)
{
    FormAbout* about = Open();
    // Lower and upper rows of each link: the upper ones lie under the legal cell too.
    for (int y : {77, 70}) {
        ClickIn(about, 209 + 10, y);
        Dispatch();
        ClickIn(about, 419 + 10, y);
        Dispatch();
    }
    ClickIn(about, 300, 60); // the legal line itself: nothing
    Dispatch();
    ClickIn(about, 300, 100); // the note: nothing
    Dispatch();
    const std::vector<std::string> expected = {Site, "mailto:info@kesa.example", Site, "mailto:info@kesa.example"};
    EXPECT_EQ(commands, expected);
    EXPECT_TRUE(about->IsLoad());
}

TEST_F(FormAboutTest, OwnerIgnoresClicksAndShowsTheBusyPointerUntilOkCloses)
{
    FormAbout* about = Open();
    EXPECT_FALSE(main->GetEnabled());
    EXPECT_TRUE(main->CursorWait());
    const ULONG beeps = DisplayBeepCount();
    InjectClick(30, 570); // the owner's button
    EXPECT_EQ(ShownPointer(), PointerShape::Busy) << "the owner, now active, shows the busy pointer";
    Dispatch();
    EXPECT_EQ(ownerCommands, 0);
    EXPECT_GT(DisplayBeepCount(), beeps);
    EXPECT_TRUE(about->IsLoad());

    const tagPOINT ok = about->GetOkButton()->GetPosition();
    ClickIn(about, ok.x + 40, ok.y + 9);
    Dispatch();
    EXPECT_FALSE(about->IsLoad());
    EXPECT_NE(ShownPointer(), PointerShape::Busy);
    ExpectOwnerUsable();
}

TEST_F(FormAboutTest, ReturnEscapeAndDeleteCloseItLikeOk)
{
    for (UWORD key : {RAWKEY_RETURN, RAWKEY_ESCAPE, RAWKEY_DELETE}) {
        FormAbout* about = Open();
        InjectKey(RAWKEY_SPACE);
        Dispatch();
        EXPECT_TRUE(about->IsLoad()) << "other keys leave it open";
        InjectKey(key);
        Dispatch();
        EXPECT_FALSE(about->IsLoad()) << key;
        ExpectOwnerUsable();
    }
}

TEST_F(FormAboutTest, CloseGadgetClosesItAndGivesTheOwnerBack)
{
    FormAbout* about = Open();
    // The close gadget sits at the left end of the title bar.
    ClickIn(about, 4, 4);
    Dispatch();
    EXPECT_FALSE(about->IsLoad());
    ExpectOwnerUsable();
}

TEST_F(FormAboutTest, LooksOfTheAboutWindowOverTheMainWindow)
{
    main->SetBackgroundColor(16);
    FormAbout* about = Open();
    ASSERT_TRUE(about->IsLoad());
    EXPECT_TRUE(ScreenLooksLike(0, 0, 800, 600, "about-window"));
}

} // namespace
