// SPDX-License-Identifier: MIT
// The native-gadget controls clicked through the real input path: each kind reaches what
// the loop calls on it, then the window hears the click.
#include "EventLoopSupport.h"

#include "toolkit/controls/Button.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/OptionBox.h"
#include "toolkit/controls/ScrollBar.h"
#include "toolkit/controls/Slider.h"

using namespace amiga;

namespace {

using Calls = std::vector<std::string>;

struct Heard {
    static void Command(GUIElement* e)
    {
        std::string line = e->GetKesaClassName() + ".command";
        if (e->GetKesaClassName() == "checkbox")
            line += " " + Num(static_cast<CheckBox*>(e)->IsChecked());
        Trace::Note(line);
    }
    static void Scroll(GUIElement* e, int code) { Trace::Note(e->GetKesaClassName() + ".scroll " + Num(code)); }
    static void Change(GUIElement* e) { Trace::Note(e->GetKesaClassName() + ".change"); }
};

class WidgetGadgetTest : public LoopFixture {
protected:
    // Clicks the middle of a control's gadget.
    void ClickOn(const NativeGadget* control)
    {
        const Gadget* g = control->GetGadget();
        ASSERT_NE(g, nullptr);
        InjectClick(g->LeftEdge + g->Width / 2, g->TopEdge + g->Height / 2);
    }
};

} // namespace

TEST_F(WidgetGadgetTest, ButtonRaisesItsCommandThenTheWindowHearsDownAndUp)
{
    auto* button = Add<Button>(main.get(), "OK", 200, 200, 80, 20);
    button->SetCommand(&Heard::Command);
    button->Show();
    ASSERT_TRUE(button->IsLoad());
    // Its gadget is in the window, numbered with the element's ID, at the element's place.
    const Gadget* g = button->GetGadget();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->GadgetID, button->GetID());
    EXPECT_EQ(g->LeftEdge, 200);
    EXPECT_EQ(g->TopEdge, 200);
    bool listed = false;
    for (const Gadget* it = main->GetHandle()->FirstGadget; it != nullptr; it = it->NextGadget)
        listed = listed || it == g;
    EXPECT_TRUE(listed);

    ClickOn(button);
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(Trace::calls,
              (Calls{"button.command", "form.down", "form.up", "form.closing true postQuit 0", "form.close"}));
    EXPECT_EQ(Application::GadgetSel, nullptr);
}

TEST_F(WidgetGadgetTest, GadgetInADialogIsWhereItsElementIs)
{
    // Positions count from the window's corner, borders included, for every control: a click
    // just inside the element's corner is a click on its gadget, not on bare window space.
    TracedForm* dialog = Dialog("dialog", 200, 150);
    auto* button = Add<Button>(dialog, "OK", 20, 30, 80, 20);
    button->SetCommand(&Heard::Command);
    button->Show();
    const Window* w = dialog->GetHandle();
    ASSERT_GT(w->BorderTop, 2);
    InjectClick(w->LeftEdge + 22, w->TopEdge + 32);
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(TraceOf({"button", "dialog.down", "dialog.up"}), (Calls{"button.command", "dialog.down", "dialog.up"}));
}

TEST_F(WidgetGadgetTest, EveryKindReachesWhatTheLoopCallsOnIt)
{
    auto* check = Add<CheckBox>(main.get(), "Suoni", 100, 100, 26, 11);
    auto* combo = Add<ComboBox>(main.get(), "Colore", 100, 140, 80, 20);
    auto* list = Add<ListBox>(main.get(), "Lista", 100, 180, 80, 40);
    auto* scroll = Add<ScrollBar>(main.get(), 300, 100, 16, 80);
    auto* slider = Add<Slider>(main.get(), 340, 100, 80, 16);
    for (CommandElement* c : std::initializer_list<CommandElement*>{check, combo, list})
        c->SetCommand(&Heard::Command);
    scroll->SetOnScroll(&Heard::Scroll);
    slider->SetOnChangeValue(&Heard::Change);
    for (NativeGadget* g : std::initializer_list<NativeGadget*>{check, combo, list, scroll, slider})
        g->Show();
    ClickOn(check); // the mark is the gadget's: it toggled on this release
    ClickOn(combo);
    ClickOn(list);
    ClickOn(scroll);
    ClickOn(slider);
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(TraceOf({"checkbox", "combobox", "listbox", "scrollbar", "slider", "form.down", "form.up"}),
              (Calls{"checkbox.command 1", "form.down", "form.up", "combobox.command", "form.down", "form.up",
                     "listbox.command", "form.down", "form.up", "scrollbar.scroll 0", "form.down", "form.up",
                     "slider.change", "form.down", "form.up"}));
}

TEST_F(WidgetGadgetTest, OptionBoxRaisesItsCommandWhenPressedAndNothingOnRelease)
{
    auto* option = Add<OptionBox>(main.get(), "Scelta", 100, 100, 80, 20);
    option->SetCommand(&Heard::Command);
    option->Show();
    EXPECT_EQ(option->IsTabStop(), 0);
    ClickOn(option);
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(TraceOf({"optionbox", "form.down", "form.up"}), (Calls{"optionbox.command", "form.down"}));
    EXPECT_EQ(Application::GadgetSel, nullptr);
}

TEST_F(WidgetGadgetTest, GadgetUpOfAGadgetNoElementHasIsLogged)
{
    // A gadget put in the window by hand, with an ID no element carries.
    Gadget* last = main->GetGadgetList();
    while (last->NextGadget != nullptr)
        last = last->NextGadget;
    NewGadget ng{};
    ng.ng_LeftEdge = 400;
    ng.ng_TopEdge = 300;
    ng.ng_Width = 60;
    ng.ng_Height = 20;
    ng.ng_GadgetID = 4321;
    ng.ng_VisualInfo = GUIElement::GlobalVisualInfo;
    ASSERT_NE(CreateGadgetA(BUTTON_KIND, last, &ng, nullptr), nullptr);
    InjectClick(430, 310);
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(ReadLog(), "non trovato!\n");
    EXPECT_TRUE(TraceOf({"form.down", "form.up"}).empty());
}

TEST_F(WidgetGadgetTest, DestroyingAControlTakesItsGadgetOutOfTheWindow)
{
    auto* button = Add<Button>(main.get(), "Via", 200, 200, 80, 20);
    button->Show();
    const Gadget* g = button->GetGadget();
    controls.clear();
    int count = 0;
    for (const Gadget* it = main->GetHandle()->FirstGadget; it != nullptr; it = it->NextGadget) {
        EXPECT_NE(it, g);
        ++count;
    }
    EXPECT_EQ(count, 1);   // the context alone
    InjectClick(240, 210); // empty space now
    InjectCloseRequest();
    RunLoop();
    EXPECT_EQ(TraceOf({"form.down", "form.up"}), (Calls{"form.down", "form.up"}));
}
