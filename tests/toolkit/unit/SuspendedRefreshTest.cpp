// SPDX-License-Identifier: MIT
// While Application::SospendiRefresh is set, no self-painting control touches its window,
// whatever operation would otherwise repaint it; otherwise showing one paints it once.
#include "toolkit/controls/ButtonCustom.h"
#include "toolkit/controls/CellControl.h"
#include "toolkit/controls/FormAbout.h"
#include "toolkit/controls/MyImage.h"
#include "toolkit/data/BuiltinImages.h"

#include "tests/support/ControlTestSupport.h"

#include <functional>
#include <string>
#include <vector>

using namespace amiga;

namespace {

class SuspendedRefreshTest : public ControlFixture {};

template <typename Control> class Counting : public Control {
public:
    using Control::Control;
    void OnPaint() override
    {
        ++paints;
        Control::OnPaint();
    }
    int paints = 0;
};

TEST_F(SuspendedRefreshTest, NoControlPaintsWhileRefreshIsSuspended)
{
    static UWORD data[8];
    static Image picture{0, 0, 16, 8, 1, data, 0x01, 0, nullptr};
    auto* button = Add<ButtonCustom>(main.get(), "GO");
    button->SetLocation(20, 20);
    auto* cell = Add<CellControl>(main.get());
    cell->SetLocation(20, 80);
    cell->SetSize(100, 20);
    cell->SetBackgroundColor(2);
    button->Show();
    cell->Show();

    struct Operation {
        const char* name;
        std::function<void()> run;
    };
    const std::vector<Operation> operations = {
        {"button paint", [&] { button->OnPaint(); }},
        {"button text", [&] { button->SetText("NEW GAME"); }},
        {"button enabled", [&] { button->SetEnabled(0); }},
        {"button focus", [&] { button->OnFocus(); }},
        {"button leave", [&] { button->OnLeave(); }},
        {"button combo", [&] { button->SetComboCommand(true); }},
        {"button bitmap", [&] { button->SetBitmap(&picture); }},
        {"button background", [&] { button->SetBackgroundColor(9); }},
        {"button move", [&] { button->SetLocation(30, 30); }},
        {"button resize", [&] { button->SetSize(90, 40); }},
        {"button click",
         [&] {
             button->OnLeftMouseUP(tagPOINT{35, 35});
         }},
        {"button hide", [&] { button->Hide(); }},
        {"button show", [&] { button->Show(); }},
        {"cell paint", [&] { cell->OnPaint(); }},
        {"cell text", [&] { cell->SetText("changed"); }},
        {"cell border", [&] { cell->SetBorder(1); }},
        {"cell check", [&] { cell->SetCheck(1); }},
        {"cell selected", [&] { cell->SetSelected(true); }},
        {"cell picture", [&] { cell->SetImage(&picture, 16, 8, KesaAlignLeft); }},
        {"cell background", [&] { cell->SetBackgroundColor(9); }},
        {"cell reset background", [&] { cell->ResetBackgroundColor(); }},
        {"cell hide", [&] { cell->Hide(); }},
        {"cell show", [&] { cell->Show(); }},
    };
    Clear(5);
    Application::SospendiRefresh = 1;
    for (const Operation& operation : operations) {
        operation.run();
        EXPECT_EQ(Count(0, 0, 200, 150, 5), 200 * 150) << operation.name;
    }
    // And the same controls do paint once refresh is back.
    Application::SospendiRefresh = 0;
    button->OnPaint();
    cell->OnPaint();
    EXPECT_LT(Count(0, 0, 200, 150, 5), 200 * 150 - 2000);
}

TEST_F(SuspendedRefreshTest, ShowAndShowActivatePaintEachControlOnce)
{
    auto* button = Add<Counting<ButtonCustom>>(main.get(), "GO");
    auto* cell = Add<Counting<CellControl>>(main.get());
    auto* image = Add<Counting<MyImage>>(main.get(), nullptr);
    const std::vector<std::pair<Child*, int*>> counted = {
        {button, &button->paints}, {cell, &cell->paints}, {image, &image->paints}};
    for (const auto& [control, paints] : counted) {
        SCOPED_TRACE(control->GetKesaClassName());
        control->Show();
        EXPECT_EQ(*paints, 1);
        control->Hide();
        control->ShowActivate();
        EXPECT_EQ(*paints, 2);
    }
}

TEST_F(SuspendedRefreshTest, AboutWindowOpenedWhileSuspendedPaintsNoneOfItsChildren)
{
    Application::SospendiRefresh = 1;
    auto* about = new FormAbout(main.get());
    forms.emplace_back(about);
    about->SetScreen(screen.get());
    about->SetImageLogo(LogoIFF, 164, 50);
    about->SetProgramNameEx("KesaPegline");
    about->SetUrlSite("http://www.kesa.example");
    about->Show();
    ASSERT_TRUE(about->IsLoad());
    RastPort* rp = about->GetHandle()->RPort;
    int painted = 0;
    for (int y = 23; y < 200; ++y)
        for (int x = 10; x < 590; ++x)
            painted += ReadPixel(rp, x, y) != 0 ? 1 : 0;
    EXPECT_EQ(painted, 0);
    // Once refresh is back, a repaint shows them all.
    Application::SospendiRefresh = 0;
    about->Refresh();
    EXPECT_EQ(ReadPixel(rp, 10, 23), 1u) << "the panel's bevel";
    int logo = 0;
    for (int y = 28; y < 78; ++y)
        for (int x = 15; x < 179; ++x)
            logo += ReadPixel(rp, x, y) != 0 ? 1 : 0;
    EXPECT_GT(logo, 164 * 50 / 2) << "the logo";
}

} // namespace
