// SPDX-License-Identifier: MIT
// MsgBox through real requesters answered by injected input: answers, the busy pointer and
// the discarded input of the window underneath, literal "%", and the alert's layout.
#include "toolkit/controls/MsgBox.h"

#include "platform/intuition/Requesters.h"
#include "platform/testing/RequesterTesting.h"

#include "../unit/ControlTestSupport.h"

#include <cstring>
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
    static bool IsMsgPortEmpty(MsgPort* port) { return port->mp_MsgList.lh_TailPred == reinterpret_cast<Node*>(&port->mp_MsgList); }
};

// Whether the text, in topaz 8 drawn in one pen, appears in the record's pixels in that pen.
bool ShowsText(const RequesterRecord& record, const char* text, UBYTE pen)
{
    RastPort rp;
    InitRastPort(&rp);
    const auto length = static_cast<ULONG>(std::strlen(text));
    const int width = TextLength(&rp, text, length);
    BitMap* stamp = AllocBitMap(static_cast<ULONG>(width), 8, 8, BMF_CLEAR, nullptr);
    rp.BitMap = stamp;
    SetAPen(&rp, 1);
    SetDrMd(&rp, JAM1);
    Move(&rp, 0, rp.TxBaseline);
    Text(&rp, text, length);
    bool found = false;
    for (int top = 0; top + 8 <= record.height && !found; ++top)
        for (int left = 0; left + width <= record.width && !found; ++left) {
            bool same = true;
            for (int y = 0; y < 8 && same; ++y)
                for (int x = 0; x < width && same; ++x)
                    same = (stamp->Pixels[y * stamp->BytesPerRow + x] == 1) == (record.At(left + x, top + y) == pen);
            found = same;
        }
    FreeBitMap(stamp);
    return found;
}

// The lines of an alert string: (x, y, text) each.
struct AlertLine {
    int x, y;
    std::string text;
};
std::vector<AlertLine> Lines(const std::string& alert)
{
    std::vector<AlertLine> lines;
    size_t at = 0;
    while (at + 3 < alert.size()) {
        AlertLine line;
        line.x = (static_cast<unsigned char>(alert[at]) << 8) | static_cast<unsigned char>(alert[at + 1]);
        line.y = static_cast<unsigned char>(alert[at + 2]);
        const size_t end = alert.find('\0', at + 3);
        if (end == std::string::npos || end + 1 >= alert.size())
            break;
        line.text = alert.substr(at + 3, end - at - 3);
        lines.push_back(line);
        if (alert[end + 1] == 0)
            break;
        at = end + 2;
    }
    return lines;
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

TEST_F(MsgBoxTest, QuestionBoxLooksAsItDid)
{
    AnswerNextRequester(1);
    MsgBox::ShowQuestion(main.get(), "Vuoi abbandonare la partita?\nIl codice segreto verra' mostrato.", "Kesa Pegline");
    const RequesterRecord shown = LastRequester();
    testsupport::PenPicture picture;
    picture.width = shown.width;
    picture.height = shown.height;
    picture.pens = shown.pixels;
    const ComposedScreen composed = ComposeScreen(screen->GetHandle());
    picture.palette.assign(std::begin(composed.palette), std::end(composed.palette));
    EXPECT_TRUE(LooksLike(picture, "msgbox-question"));
}

TEST_F(MsgBoxTest, PercentSignsAreShownLiterally)
{
    AnswerNextRequester(0);
    MsgBox::ShowMessage(main.get(), "100% %d %s", "50%");
    const RequesterRecord shown = LastRequester();
    DrawInfo* info = GetScreenDrawInfo(screen->GetHandle());
    const auto textPen = static_cast<UBYTE>(info->dri_Pens[TEXTPEN]);
    FreeScreenDrawInfo(screen->GetHandle(), info);
    EXPECT_TRUE(ShowsText(shown, "100% %d %s", textPen));
    EXPECT_FALSE(ShowsText(shown, "100% %d %x", textPen));
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
        const std::string alert = MsgBox::CreaTesto(c.text, c.title);
        EXPECT_LE(alert.size(), 512u);
        const std::vector<AlertLine> lines = Lines(alert);
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0].text, c.expectedTitle);
        EXPECT_EQ(lines[1].text + lines[2].text + lines[3].text, c.expectedBody);
        const int ys[] = {20, 42, 53, 64};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(lines[static_cast<size_t>(i)].x, 10);
            EXPECT_EQ(lines[static_cast<size_t>(i)].y, ys[i]);
        }
        EXPECT_EQ(lines[1].text.size(), 77u);
        EXPECT_EQ(lines[3].text.substr(47), footer);
    }
    // The real alert shows and is answered by a click.
    AnswerNextAlert(HostEvent::LeftButton);
    MsgBox::ShowAlert(main.get(), longText, longTitle);
    EXPECT_EQ(LastAlert().width, 800);
}

} // namespace
