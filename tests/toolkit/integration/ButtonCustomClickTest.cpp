// SPDX-License-Identifier: MIT
// A click on a ButtonCustom through injected input and the event loop: pressed face shown on
// screen during its wait, released face, then the command; without a command it still
// animates.
#include "toolkit/controls/ButtonCustom.h"

#include "platform/dos/Dos.h"

#include "tests/support/ControlTestSupport.h"

#include <string>
#include <vector>

using namespace amiga;

namespace {

constexpr int X = 300, Y = 200;

std::vector<std::string> events;

// Notes the face of every paint (its top-left pixel: 2 raised, 1 pressed) and how many
// presents had happened by then.
class NotingButton : public ButtonCustom {
public:
    using ButtonCustom::ButtonCustom;
    void OnPaint() override
    {
        ButtonCustom::OnPaint();
        RastPort* rp = static_cast<Form*>(GetFormParent())->GetHandle()->RPort;
        const int pen = static_cast<int>(ReadPixel(rp, x, y));
        events.push_back(text +
                         (pen == 1   ? " pressed"
                          : pen == 2 ? " raised"
                                     : " ?") +
                         " after " + std::to_string(PresentCount()) + " presents");
    }
};

void Command(GUIElement* sender)
{
    events.push_back("command " + sender->GetText() + " after " + std::to_string(PresentCount()) + " presents");
    Application::postQuit = 1;
}

class ButtonCustomClickTest : public ControlFixture {
protected:
    NotingButton* Button(const std::string& caption = "GO", int left = X)
    {
        auto* button = Add<NotingButton>(main.get(), caption);
        button->SetLocation(left, Y);
        button->SetSize(97, 25);
        button->Show();
        // Everything so far on screen, and nothing noted yet.
        Delay(1);
        events.clear();
        return button;
    }
};

TEST_F(ButtonCustomClickTest, ClickShowsPressedDuringTheWaitThenReleasedThenRaisesTheCommand)
{
    NotingButton* button = Button();
    button->SetCommand(Command);
    const std::string p = std::to_string(PresentCount());
    const std::string p1 = std::to_string(PresentCount() + 1);
    InjectClick(X + 10, Y + 10);
    Application::Run(main.get());
    const std::vector<std::string> expected = {
        "GO raised after " + p + " presents",  // the focus arrives with the press
        "GO pressed after " + p + " presents", // the release
        "GO raised after " + p1 + " presents", // the wait presented the pressed face
        "command GO after " + p1 + " presents",
    };
    EXPECT_EQ(events, expected);
}

TEST_F(ButtonCustomClickTest, WithoutACommandTheClickStillAnimates)
{
    NotingButton* button = Button();
    const std::string p = std::to_string(PresentCount());
    const std::string p1 = std::to_string(PresentCount() + 1);
    button->OnLeftMouseUP(tagPOINT{X + 10, Y + 10});
    const std::vector<std::string> expected = {"GO pressed after " + p + " presents",
                                               "GO raised after " + p1 + " presents"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(button->IsPressed(), 0);
}

} // namespace
