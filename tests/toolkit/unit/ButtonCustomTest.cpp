// SPDX-License-Identifier: MIT
// ButtonCustom painting on the program's screen: the disabled caption, the face colour
// chain, and its looks (bevel, focus, pressed, combo, pictures) as golden screenshots.
#include "toolkit/controls/ButtonCustom.h"

#include "toolkit/controls/PanelChildren.h"
#include "toolkit/data/BuiltinImages.h"

#include "tests/support/ControlTestSupport.h"

using namespace amiga;

namespace {

constexpr int X = 100, Y = 100, W = 80, H = 30;

// Keeps the face of its click on screen: the paints after the pressed one are skipped, so
// that a screenshot shows what the player sees during the wait.
class FrozenOnPressButton : public ButtonCustom {
public:
    using ButtonCustom::ButtonCustom;
    void OnPaint() override
    {
        if (frozen)
            return;
        ButtonCustom::OnPaint();
        frozen = IsPressed() != 0;
    }
    bool frozen = false;
};

class ButtonCustomTest : public ControlFixture {
protected:
    ButtonCustom* Button(const std::string& caption, GUIElement* owner = nullptr)
    {
        auto* button = Add<ButtonCustom>(owner != nullptr ? owner : main.get(), caption);
        button->SetLocation(X, Y);
        return button;
    }
    // Pixels of the focus rectangle's top edge in the pen.
    int FocusTop(int pen) const { return Count(X + 4, Y + 2, W - 8, 1, pen); }
    // Pixels of the caption box in the pen.
    int Caption(int pen) const { return Count(X + 6, Y + 4, W - 12, H - 8, pen); }
};

TEST_F(ButtonCustomTest, DisabledCaptionInPen22WithoutFocusRectangleEvenWhenFocused)
{
    ButtonCustom* button = Button("CANCEL");
    button->Show();
    button->OnFocus();
    ASSERT_GT(FocusTop(1), 0);
    button->SetEnabled(0);
    EXPECT_EQ(FocusTop(1), 0);
    EXPECT_EQ(Caption(1), 0);
    EXPECT_GT(Caption(22), 10);
    // Through the element model's form too.
    button->SetEnabled(true);
    EXPECT_GT(FocusTop(1), 0);
    static_cast<GUIElement*>(button)->SetEnabled(false);
    EXPECT_EQ(FocusTop(1), 0);
    EXPECT_GT(Caption(22), 10);
}

TEST_F(ButtonCustomTest, LoadTakesTheNextIdButLeavesTheHandleValue)
{
    ButtonCustom* button = Button("GO");
    const unsigned int before = GUIElement::countForm;
    button->Show();
    EXPECT_EQ(button->GetID(), before + 1);
    EXPECT_EQ(*static_cast<unsigned long*>(button->GetHWND()), 0u); // what its mouse handlers get
}

TEST_F(ButtonCustomTest, FaceColourFromButtonParentWindowOrPenZero)
{
    auto* panel = Add<PanelChildren>(main.get());
    panel->SetLocation(0, 0);
    panel->SetSize(400, 300);
    panel->Show();
    ButtonCustom* button = Button("", panel);
    button->Show();
    const unsigned long none = static_cast<unsigned long>(-1);
    struct Case {
        unsigned long own, panel, window;
        int face;
    };
    for (const Case& c :
         {Case{7, 9, 12, 7}, Case{none, 9, 12, 9}, Case{none, none, 12, 12}, Case{none, none, none, 0}}) {
        main->SetBackgroundColor(c.window);
        panel->SetBackgroundColor(c.panel);
        Clear(5);
        button->SetBackgroundColor(c.own);
        button->OnPaint();
        EXPECT_EQ(Count(X + 1, Y + 1, W - 2, H - 2, c.face), (W - 2) * (H - 2)) << "face " << c.face;
    }
}

TEST_F(ButtonCustomTest, LooksOfNormalFocusedPressedDisabledUncolouredAndTwoLineButtons)
{
    main->SetBackgroundColor(static_cast<unsigned long>(-1));
    auto place = [&](ButtonCustom* button, int left, int top, int w, int h) {
        button->SetLocation(left, top);
        button->SetSize(w, h);
        button->Show();
    };
    auto* normal = Add<ButtonCustom>(main.get(), "GO");
    normal->SetBackgroundColor(18);
    place(normal, 10, 30, 97, 25);
    auto* focused = Add<ButtonCustom>(main.get(), "GO");
    focused->SetBackgroundColor(18);
    place(focused, 117, 30, 97, 25);
    focused->OnFocus();
    auto* pressed = Add<FrozenOnPressButton>(main.get(), "GO");
    pressed->SetBackgroundColor(18);
    place(pressed, 224, 30, 97, 25);
    pressed->OnLeftMouseUP(tagPOINT{230, 35});
    auto* disabled = Add<ButtonCustom>(main.get(), "CANCEL");
    disabled->SetBackgroundColor(18);
    place(disabled, 331, 30, 97, 25);
    disabled->OnFocus();
    disabled->SetEnabled(0);
    auto* uncoloured = Add<ButtonCustom>(main.get(), "none");
    place(uncoloured, 10, 65, 97, 25);
    auto* twoLines = Add<ButtonCustom>(main.get(), "NEW\nGAME");
    twoLines->SetBackgroundColor(16);
    place(twoLines, 117, 65, 97, 40);
    EXPECT_EQ(Pen(20, 70), 0) << "a face with no colour anywhere is pen 0";
    EXPECT_TRUE(ScreenLooksLike(0, 20, 440, 95, "button-states"));
}

TEST_F(ButtonCustomTest, LooksOfComboAndPictureButtons)
{
    main->SetBackgroundColor(static_cast<unsigned long>(-1));
    auto place = [&](ButtonCustom* button, int left, int top, int w, int h) {
        button->SetBackgroundColor(18);
        button->SetLocation(left, top);
        button->SetSize(w, h);
        button->Show();
    };
    auto* combo = Add<ButtonCustom>(main.get(), "Colore");
    combo->SetComboCommand(true);
    place(combo, 10, 30, 120, 25);
    auto* comboDisabled = Add<ButtonCustom>(main.get(), "Colore");
    comboDisabled->SetComboCommand(true);
    comboDisabled->SetEnabled(0);
    place(comboDisabled, 140, 30, 120, 25);
    auto* arrowOnly = Add<ButtonCustom>(main.get(), "");
    arrowOnly->SetComboCommand(true);
    arrowOnly->SetBitmap(&frame7);
    place(arrowOnly, 270, 30, 40, 25);
    auto* pictureOnly = Add<ButtonCustom>(main.get(), "");
    pictureOnly->SetBitmap(&frame8);
    place(pictureOnly, 10, 65, 64, 60);
    auto* pictureAndCaption = Add<ButtonCustom>(main.get(), "Blu");
    pictureAndCaption->SetBitmap(&frame7);
    place(pictureAndCaption, 84, 65, 120, 60);
    auto* comboPicture = Add<ButtonCustom>(main.get(), "Verde");
    comboPicture->SetBitmap(&frame10);
    comboPicture->SetComboCommand(true);
    place(comboPicture, 214, 65, 140, 60);
    EXPECT_TRUE(ScreenLooksLike(0, 20, 370, 115, "button-combo-pictures"));
}

} // namespace
