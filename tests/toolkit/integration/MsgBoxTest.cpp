// SPDX-License-Identifier: MIT
// MsgBox through real requesters answered by injected input: answers, the busy pointer and
// the discarded input of the window underneath, its looks with literal "%", and the alert.
#include "toolkit/controls/MsgBox.h"

#include "platform/intuition/Requesters.h"
#include "platform/testing/RequesterTesting.h"

#include "tests/support/ControlTestSupport.h"

#include <string>
#include <vector>

using namespace amiga;
using internal::HostEvent;

namespace {

// Notes each busy-pointer switch with what the platform showed around it.
class WatchedForm : public Form {
public:
    WatchedForm() : Form(0) {}
    void SetCursorWait(bool value) override
    {
        Form::SetCursorWait(value);
        Note note;
        note.value = value;
        note.boxShown = LastRequester().width > 0;
        note.busyShown = ShownPointer() == PointerShape::Busy;
        note.waiting = GetHandle() != nullptr && !IsMsgPortEmpty(GetHandle()->UserPort);
        notes.push_back(note);
    }
    struct Note {
        bool value = false;
        bool boxShown = false;
        bool busyShown = false;
        bool waiting = false;
    };
    std::vector<Note> notes;

private:
    static bool IsMsgPortEmpty(MsgPort* port)
    {
        return port->mp_MsgList.lh_TailPred == reinterpret_cast<Node*>(&port->mp_MsgList);
    }
};

// One line of an alert string: x (high byte first), y, text, NUL, continuation byte.
std::string AlertLine(int x, int y, const std::string& text, bool more)
{
    return std::string{static_cast<char>(x >> 8), static_cast<char>(x & 0xFF), static_cast<char>(y)} + text +
           std::string(1, '\0') + std::string(1, static_cast<char>(more ? 1 : 0));
}

class MsgBoxTest : public ControlFixture {
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        ClearRequesterAnswers();
    }
    void TearDown() override
    {
        ClearRequesterAnswers();
        ControlFixture::TearDown();
    }
    // Clicks and keys for the window at (40, 40), queued to arrive while the box is up.
    static void QueueInputForTheWindow()
    {
        HostEvent event;
        event.x = 40;
        event.y = 40;
        event.kind = HostEvent::Kind::PointerMove;
        InjectHostEvent(event);
        event.button = HostEvent::LeftButton;
        event.kind = HostEvent::Kind::ButtonDown;
        InjectHostEvent(event);
        event.kind = HostEvent::Kind::ButtonUp;
        InjectHostEvent(event);
        event.rawKey = RAWKEY_SPACE;
        event.kind = HostEvent::Kind::KeyDown;
        InjectHostEvent(event);
        event.kind = HostEvent::Kind::KeyUp;
        InjectHostEvent(event);
    }
};

TEST_F(MsgBoxTest, QuestionAnswersOneForYesAndZeroForNo)
{
    AnswerNextRequester(0);
    EXPECT_EQ(MsgBox::ShowQuestion(main.get(), "Nuova partita?", "Kesa Pegline"), 1);
    EXPECT_EQ(LastRequester().buttons, 2);
    AnswerNextRequester(1);
    EXPECT_EQ(MsgBox::ShowQuestion(main.get(), "Nuova partita?", "Kesa Pegline"), 0);
    AnswerNextRequesterWithKey(RAWKEY_RETURN);
    EXPECT_EQ(MsgBox::ShowQuestion(main.get(), "Nuova partita?", "Kesa Pegline"), 1);
    AnswerNextRequesterWithKey(RAWKEY_ESCAPE);
    EXPECT_EQ(MsgBox::ShowQuestion("Without a window", "Kesa Pegline"), 0);
    // Every message form has one button.
    AnswerNextRequester(0);
    MsgBox::ShowMessage(main.get(), "m", "t");
    EXPECT_EQ(LastRequester().buttons, 1);
    AnswerNextRequester(0);
    MsgBox::ShowError(main.get(), "e", "t");
    EXPECT_EQ(LastRequester().buttons, 1);
    AnswerNextRequester(0);
    MsgBox::ShowInformation("i", "t");
    EXPECT_EQ(LastRequester().buttons, 1);
}

TEST_F(MsgBoxTest, InputToTheWindowWhileTheBoxIsUpIsDiscardedAndTheBusyPointerShown)
{
    auto* form = new WatchedForm();
    forms.emplace_back(form);
    form->SetScreen(screen.get());
    form->SetText("watched");
    form->Show();
    ASSERT_TRUE(form->IsLoad());
    // The queued input does reach the window when no box is up.
    QueueInputForTheWindow();
    PumpInput();
    const auto received = DrainMessages(form->GetHandle());
    ASSERT_GE(received.size(), 4u);

    QueueInputForTheWindow();
    AnswerNextRequester(1);
    EXPECT_EQ(MsgBox::ShowQuestion(form, "Vuoi uscire?", "Kesa Pegline"), 0);
    ASSERT_EQ(form->notes.size(), 2u);
    EXPECT_TRUE(form->notes[0].value);
    EXPECT_TRUE(form->notes[0].busyShown);
    EXPECT_FALSE(form->notes[0].boxShown);
    EXPECT_FALSE(form->notes[1].value);
    EXPECT_TRUE(form->notes[1].boxShown);
    EXPECT_FALSE(form->notes[1].waiting) << "input is thrown away before the pointer comes back";
    EXPECT_NE(ShownPointer(), PointerShape::Busy);
    EXPECT_TRUE(DrainMessages(form->GetHandle()).empty());
}

// Its "%" signs stay as they are: no format is applied to the texts.
TEST_F(MsgBoxTest, QuestionBoxLooksAsItDid)
{
    AnswerNextRequester(1);
    MsgBox::ShowQuestion(main.get(), "Vuoi abbandonare la partita?\nHai scoperto il 50% %d del codice.",
                         "Kesa Pegline %s");
    const RequesterRecord shown = LastRequester();
    testsupport::PenPicture picture;
    picture.width = shown.width;
    picture.height = shown.height;
    picture.pens = shown.pixels;
    const ComposedScreen composed = ComposeScreen(screen->GetHandle());
    picture.palette.assign(std::begin(composed.palette), std::end(composed.palette));
    EXPECT_TRUE(LooksLike(picture, "msgbox-question"));
}

TEST_F(MsgBoxTest, AlertTitleIsCutOrPaddedToFiftyAndBodyToTwoHundredOnePlusTheFooter)
{
    const std::string footer = ".. PREMI IL PULSANTE DEL MOUSE";
    std::string longText;
    for (int i = 0; i < 500; ++i)
        longText += static_cast<char>('a' + i % 26);
    const std::string longTitle(60, 'T');
    struct Case {
        std::string text, title, expectedTitle, expectedBody;
    };
    const std::vector<Case> cases = {
        {longText, longTitle, std::string(50, 'T'), longText.substr(0, 201) + footer},
        {"Errore", "Kesa", "Kesa" + std::string(46, ' '), "Errore" + std::string(195, ' ') + footer},
        {"", "", std::string(50, ' '), std::string(201, ' ') + footer},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(c.expectedBody.size(), 231u);
        const std::string expected = AlertLine(10, 20, c.expectedTitle, true) +
                                     AlertLine(10, 42, c.expectedBody.substr(0, 77), true) +
                                     AlertLine(10, 53, c.expectedBody.substr(77, 77), true) +
                                     AlertLine(10, 64, c.expectedBody.substr(154), false);
        EXPECT_EQ(MsgBox::CreaTesto(c.text, c.title), expected);
    }
    // The real alert shows and is answered by a click.
    AnswerNextAlert(HostEvent::LeftButton);
    MsgBox::ShowAlert(main.get(), longText, longTitle);
    EXPECT_EQ(LastAlert().width, 800);
}

} // namespace
