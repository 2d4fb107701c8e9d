// SPDX-License-Identifier: MIT
// Form: the three ways a window opens, the shared screen, children and painting, titles,
// pointers, geometry, gadget lists and closing.
#include "toolkit/core/Form.h"

#include "ElementTestSupport.h"
#include "tests/support/ToolkitFixture.h"
#include "platform/exec/Exec.h"
#include "platform/gadtools/GadTools.h"
#include "platform/testing/InputTesting.h"
#include "platform/intuition/Intuition.h"
#include "platform/testing/Testing.h"
#include "toolkit/controls/Drawing.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/KesaScreen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace amiga;

namespace {

// A self-painting control that records the order in which windows paint it.
class PaintedControl : public TestControl {
public:
    static inline std::vector<std::string>* paintLog = nullptr;

    PaintedControl(GUIElement* parentElement, std::string name, bool renderControl)
        : TestControl(parentElement), label(std::move(name))
    {
        isRenderControl = renderControl ? 1 : 0;
    }
    void OnPaint() override
    {
        ++paints;
        if (paintLog)
            paintLog->push_back(label);
    }

    std::string label;
};

// A create-children callback that builds four controls and notes what it saw.
struct Built {
    static inline std::vector<PaintedControl*> children;
    static inline short suspendedWhileBuilding = 0;
    static inline int calls = 0;
    static void Create(GUIElement* owner, unsigned long)
    {
        ++calls;
        suspendedWhileBuilding = Application::SospendiRefresh;
        children.push_back(new PaintedControl(owner, "first", true));
        children.push_back(new PaintedControl(owner, "not-render", false));
        children.push_back(new PaintedControl(owner, "not-loaded", true));
        children.push_back(new PaintedControl(owner, "second", true));
        for (PaintedControl* c : children)
            if (c->label != "not-loaded")
                c->Show();
    }
};

class FormTest : public ToolkitFixture {};

} // namespace

TEST_F(FormTest, MainWindowCoversTheScreenBorderlessWhateverItsOwnSize)
{
    screen = std::make_unique<KesaScreen>("Kesa Pegline");
    ASSERT_NE(screen->GetHandle(), nullptr);
    Form form(0);
    form.SetScreen(screen.get());
    form.SetSize(320, 200);
    form.SetLocation(40, 30);
    form.SetText("ignored");
    form.Show();
    ASSERT_TRUE(form.IsLoad());
    EXPECT_TRUE(form.IsVisible());
    Window* w = form.GetHandle();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(form.GetHWND(), w);
    EXPECT_EQ(w->WScreen, screen->GetHandle());
    EXPECT_EQ(w->LeftEdge, 0);
    EXPECT_EQ(w->TopEdge, 0);
    EXPECT_EQ(w->Width, 800);
    EXPECT_EQ(w->Height, 600);
    EXPECT_EQ(w->BorderLeft + w->BorderTop + w->BorderRight + w->BorderBottom, 0);
    const ULONG wanted = WFLG_BACKDROP | WFLG_REPORTMOUSE | WFLG_BORDERLESS;
    EXPECT_EQ(w->Flags & wanted, wanted);
    EXPECT_EQ(w->Flags & (WFLG_SIZEGADGET | WFLG_DRAGBAR | WFLG_CLOSEGADGET | WFLG_DEPTHGADGET), 0u);
    EXPECT_EQ(w->IDCMPFlags, Form::WindowIDCMP);
    EXPECT_EQ(w->Title, nullptr);
    EXPECT_EQ(form.GetPosition(), (tagPOINT{0, 0}));
    EXPECT_EQ(form.GetID(), GUIElement::countForm);
    ASSERT_NE(form.GetGadgetList(), nullptr); // the GadTools context
    EXPECT_EQ(w->FirstGadget, form.GetGadgetList());
    // The first window fixes the shared screen and its visual information.
    EXPECT_EQ(GUIElement::GlobalScreen, screen->GetHandle());
    EXPECT_NE(GUIElement::GlobalVisualInfo, nullptr);
    form.CloseForm();
}

TEST_F(FormTest, DialogOnTheScreenHasInnerSizeTitleCloseAndDepthGadgetsOnly)
{
    screen = std::make_unique<KesaScreen>("Kesa Pegline");
    Form main(0);
    main.SetScreen(screen.get());
    main.Show();
    Screen* shared = GUIElement::GlobalScreen;
    APTR visualInfo = GUIElement::GlobalVisualInfo;

    Form dialog(0, true);
    dialog.SetScreen(screen.get());
    dialog.SetSize(200, 100);
    dialog.SetLocation(60, 50);
    dialog.SetText("Informazioni");
    dialog.Show();
    Window* w = dialog.GetHandle();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->WScreen, screen->GetHandle());
    EXPECT_EQ(w->GZZWidth, 200);
    EXPECT_EQ(w->GZZHeight, 100);
    EXPECT_EQ(w->Width, 200 + w->BorderLeft + w->BorderRight);
    EXPECT_EQ(w->Height, 100 + w->BorderTop + w->BorderBottom);
    EXPECT_EQ(w->LeftEdge, 60);
    EXPECT_EQ(w->TopEdge, 50);
    ASSERT_NE(w->Title, nullptr);
    EXPECT_STREQ(w->Title, "Informazioni");
    EXPECT_NE(w->Flags & WFLG_CLOSEGADGET, 0u);
    EXPECT_NE(w->Flags & WFLG_DEPTHGADGET, 0u);
    EXPECT_NE(w->Flags & WFLG_DRAGBAR, 0u);
    EXPECT_EQ(w->Flags & WFLG_SIZEGADGET, 0u);
    EXPECT_EQ(w->Flags & WFLG_BORDERLESS, 0u);
    EXPECT_EQ(w->IDCMPFlags, Form::DialogIDCMP);
    // A later window leaves the shared screen alone.
    EXPECT_EQ(GUIElement::GlobalScreen, shared);
    EXPECT_EQ(GUIElement::GlobalVisualInfo, visualInfo);
    dialog.CloseForm();
    main.CloseForm();
}

TEST_F(FormTest, WindowsOnTheDefaultPublicScreenSizeAndDepthGadgets)
{
    Form window(0);
    window.SetSize(200, 100);
    window.SetLocation(10, 20);
    window.SetText("Finestra");
    window.Show();
    Window* w = window.GetHandle();
    ASSERT_NE(w, nullptr);
    Screen* pub = LockPubScreen(nullptr);
    EXPECT_EQ(w->WScreen, pub);
    UnlockPubScreen(nullptr, pub);
    EXPECT_EQ(GUIElement::GlobalScreen, w->WScreen);
    EXPECT_NE(w->Flags & WFLG_SIZEGADGET, 0u);
    EXPECT_NE(w->Flags & WFLG_DEPTHGADGET, 0u);
    EXPECT_NE(w->Flags & WFLG_CLOSEGADGET, 0u);
    EXPECT_EQ(w->IDCMPFlags, Form::WindowIDCMP);
    EXPECT_EQ(w->GZZWidth, 200);
    EXPECT_EQ(w->GZZHeight, 100);

    Form plain(0, true);
    plain.SetBoxMinimize(false);
    plain.SetBoxMaximize(false);
    plain.Show();
    ASSERT_NE(plain.GetHandle(), nullptr);
    EXPECT_EQ(plain.GetHandle()->Flags & (WFLG_SIZEGADGET | WFLG_DEPTHGADGET), 0u);
    EXPECT_NE(plain.GetHandle()->Flags & WFLG_CLOSEGADGET, 0u);
    plain.CloseForm();
    window.CloseForm();
}

TEST_F(FormTest, WindowGivenAScreenThatDidNotOpenUsesTheDefaultPublicScreen)
{
    screen = std::make_unique<KesaScreen>("Kesa Pegline");
    ASSERT_TRUE(screen->Close()); // from here on it is a screen object without a screen
    ASSERT_EQ(screen->GetHandle(), nullptr);

    Form form(0);
    form.SetScreen(screen.get());
    form.SetSize(200, 100);
    form.Show();
    ASSERT_TRUE(form.IsLoad());
    Window* w = form.GetHandle();
    ASSERT_NE(w, nullptr);
    ASSERT_NE(w->WScreen, nullptr);
    EXPECT_EQ(GUIElement::GlobalScreen, w->WScreen);
    EXPECT_EQ(w->GZZWidth, 200); // a normal window with borders, not a 800 × 600 backdrop
    EXPECT_EQ(w->Flags & WFLG_BACKDROP, 0u);
    form.CloseForm();
}

TEST_F(FormTest, WindowThatCannotOpenStaysUnloadedAndLogs)
{
    // With every signal taken no window can get its message port.
    std::vector<BYTE> taken;
    for (BYTE bit = AllocSignal(-1); bit != -1; bit = AllocSignal(-1))
        taken.push_back(bit);
    Form form(0);
    form.Show();
    EXPECT_FALSE(form.IsLoad());
    EXPECT_EQ(form.GetHandle(), nullptr);
    EXPECT_EQ(form.GetGadgetList(), nullptr);
    EXPECT_EQ(form.GetID(), 0u);
    EXPECT_EQ(ReadLog(), "Errore creazione Form \n");
    for (BYTE bit : taken)
        FreeSignal(bit);

    form.Show(); // and can open later
    EXPECT_TRUE(form.IsLoad());
    form.CloseForm();
}

TEST_F(FormTest, ChildrenAreBuiltWithPaintingSuspendedThenRenderControlsPaintInOrder)
{
    std::vector<std::string> painted;
    PaintedControl::paintLog = &painted;
    Built::children.clear();
    Built::calls = 0;

    Form form(0);
    form.SetOnCreateChildren(&Built::Create);
    form.Show();
    ASSERT_TRUE(form.IsLoad());
    EXPECT_EQ(Built::calls, 1);
    EXPECT_EQ(Built::suspendedWhileBuilding, 1);
    EXPECT_EQ(Application::SospendiRefresh, 0);
    EXPECT_EQ(painted, (std::vector<std::string>{"first", "second"})); // the one repaint

    painted.clear();
    form.OnPaint();
    EXPECT_EQ(painted, (std::vector<std::string>{"first", "second"}));

    // While suspended a repaint does nothing at all.
    painted.clear();
    Application::SospendiRefresh = 1;
    form.Refresh();
    Application::SospendiRefresh = 0;
    EXPECT_TRUE(painted.empty());

    // Closing and opening again builds nothing twice.
    form.CloseForm();
    form.Show();
    EXPECT_EQ(Built::calls, 1);
    form.CloseForm();
    for (PaintedControl* c : Built::children)
        delete c;
    Built::children.clear();
    PaintedControl::paintLog = nullptr;
}

TEST_F(FormTest, RepaintClearsTheWindowToItsBackgroundColour)
{
    Form form(0, true);
    form.SetSize(60, 40);
    form.Show();
    Window* w = form.GetHandle();
    ASSERT_NE(w, nullptr);
    const int insideX = w->BorderLeft + 5;
    const int insideY = w->BorderTop + 5;
    EXPECT_EQ(ReadPixel(w->RPort, insideX, insideY), 0); // the initial background is pen 0
    form.SetBackgroundColor(6);
    EXPECT_EQ(ReadPixel(w->RPort, insideX, insideY), 6);
    EXPECT_EQ(ReadPixel(w->RPort, w->BorderLeft + 59, w->BorderTop + 39), 6);
    form.SetBackgroundColor(static_cast<unsigned long>(-1)); // none: pen 0
    EXPECT_EQ(ReadPixel(w->RPort, insideX, insideY), 0);
    form.CloseForm();
}

TEST_F(FormTest, AWindowNeverKeepsAFontItsFormClosed)
{
    Form form(0, true);
    form.SetSize(60, 40);
    form.Show();
    Window* w = form.GetHandle();
    ASSERT_NE(w, nullptr);
    Font disk("helvetica.font", 13);
    disk.SetRomFont(0);
    form.SetFonts(disk);
    ASSERT_NE(form.GetFonts()->GetTextFont(), nullptr);
    EXPECT_EQ(w->RPort->Font, form.GetFonts()->GetTextFont());

    // The replacement does not open: the window draws in its screen's font, not the closed one.
    Font missing("nosuch.font", 13);
    missing.SetRomFont(0);
    form.SetFonts(missing);
    ASSERT_EQ(form.GetFonts()->GetTextFont(), nullptr);
    EXPECT_EQ(w->RPort->Font, w->WScreen->RastPort.Font);
    Move(w->RPort, w->BorderLeft + 2, w->BorderTop + 10);
    Text(w->RPort, "Ab", 2);
    form.CloseForm();
}

TEST_F(FormTest, TitlesFollowTheTextAndGoWithTheWindow)
{
    Form form(0, true);
    form.SetTitle("prima");
    EXPECT_EQ(form.Title(), "prima");
    EXPECT_EQ(form.GetHandle(), nullptr);
    form.Show();
    ASSERT_NE(form.GetHandle(), nullptr);
    EXPECT_STREQ(form.GetHandle()->Title, "prima");

    form.SetTitleW("seconda");
    EXPECT_EQ(form.TitleW(), "seconda");
    ASSERT_NE(form.GetHandle()->Title, nullptr);
    EXPECT_STREQ(form.GetHandle()->Title, "seconda");
    ASSERT_NE(form.GetHandle()->ScreenTitle, nullptr);
    EXPECT_STREQ(form.GetHandle()->ScreenTitle, "seconda");

    form.CloseForm();
    form.SetTitle("terza"); // unloaded again: the text only
    EXPECT_EQ(form.GetText(), "terza");
    form.Show();
    EXPECT_STREQ(form.GetHandle()->Title, "terza");
    form.CloseForm();
}

TEST_F(FormTest, CloseFormTwiceIsHarmlessAndDestructionUnregisters)
{
    auto* form = new Form(0);
    form->Show();
    ASSERT_TRUE(form->IsLoad());
    form->CloseForm();
    EXPECT_FALSE(form->IsLoad());
    EXPECT_EQ(form->GetHandle(), nullptr);
    EXPECT_EQ(form->GetGadgetList(), nullptr);
    form->CloseForm();
    EXPECT_FALSE(form->IsLoad());
    EXPECT_EQ(Application::lstForm.size(), 1u); // a closed window stays registered
    delete form;
    EXPECT_TRUE(Application::lstForm.empty());
    EXPECT_TRUE(Application::lst.empty());

    // CloseWindows closes every loaded window, dialogs included.
    Form a(0), b(0, true), c(0);
    a.Show();
    b.Show();
    Application::CloseWindows();
    EXPECT_FALSE(a.IsLoad());
    EXPECT_FALSE(b.IsLoad());
    EXPECT_EQ(a.GetHandle(), nullptr);
    EXPECT_EQ(b.GetHandle(), nullptr);
    EXPECT_FALSE(c.IsLoad());
}

TEST_F(FormTest, MovingResizingCentringAndZoom)
{
    Form form(0, true);
    form.SetSize(200, 100);
    form.CenterForm(); // not loaded, no screen: centred on the default public screen
    EXPECT_EQ(form.GetPosition(), (tagPOINT{(KesaScreen::Width() - 200) / 2, (KesaScreen::Height() - 100) / 2}));
    form.Show();
    Window* w = form.GetHandle();
    ASSERT_NE(w, nullptr);

    form.SetLocation(30, 40);
    EXPECT_EQ(w->LeftEdge, 30);
    EXPECT_EQ(w->TopEdge, 40);
    EXPECT_EQ(form.GetPosition(), (tagPOINT{30, 40}));
    form.SetSize(240, 120);
    EXPECT_EQ(w->GZZWidth, 240);
    EXPECT_EQ(w->GZZHeight, 120);
    EXPECT_EQ(w->LeftEdge, 30);
    form.SetClientArea(180, 90);
    EXPECT_EQ(w->GZZWidth, 180);
    EXPECT_EQ(w->GZZHeight, 90);
    EXPECT_EQ(form.GetPosition(), (tagPOINT{30, 40}));

    const WORD zoomedFrom = w->Width;
    form.Maximizes(); // toggles to the alternate box
    EXPECT_NE(w->Width, zoomedFrom);
    form.Minimize(); // and back
    EXPECT_EQ(w->Width, zoomedFrom);
    form.CloseForm();

    Form later(0, true); // zoom on a window that is not open opens it first
    later.Maximizes();
    EXPECT_TRUE(later.IsLoad());
    EXPECT_TRUE(later.IsVisible());
    later.CloseForm();
}

TEST_F(FormTest, PointersBusyAndCustom)
{
    static UWORD arrow[2 + 2 * 2 + 2] = {0, 0, 0xC000, 0x0000, 0x8000, 0x4000, 0, 0};
    Form form(0, true);
    form.SetCursorWait(true); // not open: nothing stored
    EXPECT_FALSE(form.CursorWait());
    form.Show();
    Window* w = form.GetHandle();
    ASSERT_NE(w, nullptr);
    ActivateWindow(w);

    form.SetCursorCustom(arrow, 2, 16);
    EXPECT_TRUE(form.CursorHand());
    EXPECT_EQ(w->Pointer, arrow);
    EXPECT_EQ(ShownPointer(), PointerShape::Custom);

    form.SetCursorWait(true);
    EXPECT_TRUE(form.CursorWait());
    EXPECT_FALSE(form.CursorHand());
    EXPECT_EQ(ShownPointer(), PointerShape::Busy);
    form.SetCursorWait(false);
    EXPECT_EQ(ShownPointer(), PointerShape::Normal);

    form.SetCursorCustom(arrow, 2, 16);
    form.ClearCursorCustom();
    EXPECT_FALSE(form.CursorHand());
    EXPECT_EQ(w->Pointer, nullptr);
    EXPECT_EQ(ShownPointer(), PointerShape::Normal);
    form.CloseForm();
}

TEST_F(FormTest, GadgetListAppendAndUnlink)
{
    Form form(0, true);
    Gadget loose{};
    form.AddAGList(&loose); // no list yet: nothing
    EXPECT_EQ(form.GetGadgetList(), nullptr);

    form.Show();
    Gadget* context = form.GetGadgetList();
    ASSERT_NE(context, nullptr);
    ASSERT_EQ(context->NextGadget, nullptr);
    Gadget first{}, second{}, stranger{};
    form.AddAGList(&first);
    form.AddAGList(&second);
    EXPECT_EQ(context->NextGadget, &first);
    EXPECT_EQ(first.NextGadget, &second);
    form.RemoveDaGList(&stranger); // not in the list: nothing
    EXPECT_EQ(first.NextGadget, &second);
    form.RemoveDaGList(&first);
    EXPECT_EQ(context->NextGadget, &second);
    form.RemoveDaGList(&second);
    EXPECT_EQ(context->NextGadget, nullptr);
    form.CloseForm();
}
