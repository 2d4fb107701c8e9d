// SPDX-License-Identifier: MIT
// The event loop driven through the real input path: input injected at the host, routed by
// intuition to the windows, taken and dispatched by Application::Run.
#include "EventLoopSupport.h"

#include "platform/common/InputEvent.h"
#include "toolkit/controls/ButtonCustom.h"
#include "toolkit/controls/CellControl.h"
#include "toolkit/controls/ImageFrame.h"
#include "toolkit/data/BuiltinImages.h"
#include "toolkit/core/Timer.h"

using namespace amiga;

namespace {

using Calls = std::vector<std::string>;

constexpr UWORD RAWKEY_W = RAWKEY_Q + 1;
constexpr UWORD RAWKEY_E = RAWKEY_Q + 2;
constexpr UWORD RAWKEY_C = RAWKEY_Z + 2;
constexpr UWORD RAWKEY_B = RAWKEY_Z + 4;

class EventLoopTest : public LoopFixture {};

// Ticks counted per timer. The first tick asks to quit, which waits for a message of the
// main window: the third tick sends it one.
struct Ticks {
    static inline int running = 0;
    static inline int stopped = 0;
    static void Running(GUIElement*)
    {
        if (++running == 1)
            Application::postQuit = 1;
        if (running == 3)
            InjectKey(RAWKEY_A);
    }
    static void Stopped(GUIElement*) { ++stopped; }
};

struct Asks {
    static inline TracedForm* dialog = nullptr;
    static void Close(GUIElement*, unsigned long, tagPOINT) { dialog->closeRequested = 1; }
};

} // namespace

TEST_F(EventLoopTest, LetterKeyGoesToTheFocusOwnerThenTheWindowWithItsCharacter)
{
    TracedControl* field = Control("field", 100, 100);
    InjectClick(120, 120); // gives it the focus
    InjectKey(RAWKEY_A);
    InjectCloseRequest();
    RunLoop();
    const int a = RAWKEY_A;
    EXPECT_EQ(Trace::calls, (Calls{
                                "field.focus",
                                "field.down",
                                "form.down",
                                "field.up",
                                "form.up",
                                "field.keydown " + Num(a) + " state 0",
                                "form.keydown " + Num(a) + " state 1",
                                "field.press a",
                                "form.press a",
                                "field.keyup " + Num(a) + " state 1",
                                "form.keyup " + Num(a) + " state 0",
                                "form.closing true postQuit 0",
                                "form.close",
                            }));
    EXPECT_EQ(field->Focused(), 1);
}

TEST_F(EventLoopTest, KeysThatSendSequencesGiveKeyDownButNoCharacter)
{
    InjectKey(RAWKEY_UP); // two bytes: fits the first buffer
    InjectKey(RAWKEY_F1); // three bytes: the buffer grows
    InjectKey(RAWKEY_B);  // and a plain letter still maps after that
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(TraceOf({"form.keydown", "form.press"}),
              (Calls{"form.keydown " + Num(static_cast<long>(RAWKEY_UP)) + " state 1",
                     "form.keydown " + Num(static_cast<long>(RAWKEY_F1)) + " state 1",
                     "form.keydown " + Num(static_cast<long>(RAWKEY_B)) + " state 1", "form.press b"}));
    EXPECT_EQ(Application::GetKeyState(RAWKEY_B), 0); // released again
}

TEST_F(EventLoopTest, ClickOnEmptySpaceTakesTheFocusAwayFromTheControl)
{
    TracedControl* field = Control("field", 100, 100);
    InjectClick(120, 120);
    InjectClick(500, 400);
    InjectCloseRequest();
    RunLoop();
    // clang-format off
    EXPECT_EQ(Trace::calls, (Calls{
                                "field.focus", "field.down", "form.down", "field.up", "form.up",
                                "field.leave", "form.down", "form.up",
                                "form.closing true postQuit 0", "form.close",
                            }));
    // clang-format on
    EXPECT_EQ(field->Focused(), 0);
    EXPECT_EQ(Application::CustomsGadgetSel, nullptr);
}

TEST_F(EventLoopTest, ReleaseOverAnotherControlOnlyMovesTheFocus)
{
    // All of it is queued before the loop runs: the press still counts where it happened.
    Control("left", 100, 100);
    TracedControl* right = Control("right", 300, 100);
    InjectButtonDown(120, 120);
    InjectPointerMove(320, 120);
    InjectButtonUp(320, 120);
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(TraceOf({"left.", "right.", "form.down", "form.up"}),
              (Calls{"left.focus", "left.down", "form.down", "left.leave", "right.focus", "form.up"}));
    EXPECT_EQ(right->Focused(), 1);
}

TEST_F(EventLoopTest, ClicksOnADisabledWindowBeepAndDeliverNothing)
{
    TracedForm* dialog = Dialog("dialog", 200, 150);
    Control("inside", 20, 20, dialog);
    dialog->SetEnabled(false);
    const ULONG beeps = DisplayBeepCount();
    const Window* w = dialog->GetHandle();
    InjectClick(w->LeftEdge + w->BorderLeft + 30, w->TopEdge + w->BorderTop + 30);
    InjectKey(RAWKEY_C);
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(DisplayBeepCount() - beeps, 2u); // the press and the release
    EXPECT_TRUE(TraceOf({"dialog.", "inside."}).empty());
}

TEST_F(EventLoopTest, AControlDisabledByItsOwnClickGetsNoMouseOrKeysThoughItKeepsTheFocus)
{
    // As CANCEL is greyed by its own command: each kind of control, side by side, disables
    // itself on its first release; a key and a second click follow while it holds the focus.
    struct Heard {
        static void Note(GUIElement* e, const char* what) { Trace::Note(e->GetKesaClassName() + what); }
        static void Down(GUIElement* e, unsigned long, tagPOINT) { Note(e, ".down"); }
        static void Up(GUIElement* e, unsigned long, tagPOINT)
        {
            Note(e, ".up");
            e->SetEnabled(false);
        }
        static void Key(GUIElement* e, int) { Note(e, ".key"); }
        static bool Press(GUIElement* e, int)
        {
            Note(e, ".press");
            return true;
        }
    };
    Child* kinds[] = {Add<ButtonCustom>(main.get(), "B"), Add<CellControl>(main.get()),
                      Add<MyImage>(main.get(), lstImg[0]), Add<ImageFrame>(main.get(), lstImg, 0, 0)};
    Calls expected;
    for (int i = 0; i < 4; ++i) {
        Child* control = kinds[i];
        control->SetLocation(100 + 100 * i, 100);
        control->SetSize(60, 40);
        control->SetOnLeftMouseDOWN(&Heard::Down);
        control->SetOnLeftMouseUP(&Heard::Up);
        control->SetOnKeyDOWN(&Heard::Key);
        control->SetOnKeyUP(&Heard::Key);
        control->SetOnKeyPress(&Heard::Press);
        control->Show();
        InjectClick(120 + 100 * i, 120);
        InjectKey(RAWKEY_A);
        InjectClick(120 + 100 * i, 120);
        expected.push_back(control->GetKesaClassName() + ".down");
        expected.push_back(control->GetKesaClassName() + ".up");
    }
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(TraceOf({"ButtonCustom.", "cellcontrol.", "image.", "imageframe."}), expected);
}

TEST_F(EventLoopTest, PostQuitRefusedKeepsRunningAndAcceptedClosesEveryWindow)
{
    struct Quit {
        static void Ask(GUIElement*, int) { Application::postQuit = 1; }
    };
    TracedForm* dialog = Dialog("dialog", 200, 150);
    main->SetOnKeyDOWN(&Quit::Ask);
    main->closingAnswers = {false, true};
    ActivateWindow(main->GetHandle());
    InjectKey(RAWKEY_Q); // refused: the loop goes on and takes the next key
    InjectKey(RAWKEY_W); // accepted
    InjectKey(RAWKEY_E); // never taken
    RunLoop();
    EXPECT_EQ(TraceOf({"form.closing", "form.close", "form.keydown", "dialog.close"}),
              (Calls{"form.keydown " + Num(static_cast<long>(RAWKEY_Q)) + " state 1", "form.closing false postQuit 0",
                     "form.keydown " + Num(static_cast<long>(RAWKEY_W)) + " state 1", "form.closing true postQuit 0",
                     "form.close"}));
    EXPECT_EQ(Application::postQuit, 0);
    EXPECT_FALSE(main->IsLoad());
    EXPECT_FALSE(dialog->IsLoad());
    EXPECT_EQ(main->GetHandle(), nullptr);
    EXPECT_EQ(dialog->GetHandle(), nullptr);

    // A main window that is not open can send nothing: Run returns at once instead of waiting.
    Trace::calls.clear();
    RunLoop();
    EXPECT_EQ(Trace::calls, (Calls{"form.close"}));
}

TEST_F(EventLoopTest, RunningTimerTicksThroughTheLoopAndAStoppedOneNever)
{
    Ticks::running = 0;
    Ticks::stopped = 0;
    auto* running = Add<Timer>(main.get(), 20u);
    auto* stopped = Add<Timer>(main.get(), 20u);
    running->SetOnTimer(&Ticks::Running);
    stopped->SetOnTimer(&Ticks::Stopped);
    running->Start();
    stopped->Start();
    stopped->Stop();
    RunLoop(); // the key after the third tick ends it
    EXPECT_EQ(Ticks::running, 3);
    EXPECT_EQ(Ticks::stopped, 0);
    EXPECT_EQ(TraceOf({"form.closing", "form.close"}), (Calls{"form.closing true postQuit 0", "form.close"}));
    running->Stop();
}

TEST_F(EventLoopTest, SecondaryWindowThatAsksToCloseIsClosedByTheLoop)
{
    TracedForm* dialog = Dialog("dialog", 200, 150);
    Asks::dialog = dialog;
    TracedControl* ok = Control("ok", 20, 20, dialog);
    ok->SetOnLeftMouseUP(&Asks::Close);
    const Window* w = dialog->GetHandle();
    InjectClick(w->LeftEdge + w->BorderLeft + 30, w->TopEdge + w->BorderTop + 30);
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(TraceOf({"dialog.", "ok.", "form.close"}),
              (Calls{"ok.focus", "ok.down", "dialog.down", "ok.up", "dialog.up", "dialog.closing true postQuit 0",
                     "dialog.close", "form.close"}));
    EXPECT_FALSE(dialog->IsLoad());
    EXPECT_EQ(dialog->closeRequested, 1); // the answer of its OnClosing
    EXPECT_EQ(Application::CustomsGadgetSel, nullptr);
}

TEST_F(EventLoopTest, UnknownClassesAreLoggedWithTheirNumber)
{
    TracedForm* dialog = Dialog("dialog", 200, 150);
    ASSERT_TRUE(ModifyIDCMP(dialog->GetHandle(), dialog->GetHandle()->IDCMPFlags | IDCMP_CHANGEWINDOW));
    Window* window = dialog->GetHandle();
    ChangeWindowBox(window, window->LeftEdge + 10, window->TopEdge + 10, window->Width, window->Height);
    InjectCloseRequest();
    RunLoop();
    EXPECT_NE(ReadLog().find("evento non gestito " + Num(static_cast<long>(IDCMP_CHANGEWINDOW)) + "\n"),
              std::string::npos);
}
