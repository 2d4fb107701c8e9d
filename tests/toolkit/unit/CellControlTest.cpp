// SPDX-License-Identifier: MIT
// CellControl: the change flag of the compare-first setters, selected colours, the border
// rule, the check mark, the picture, loading, hiding and restoring the background.
#include "toolkit/controls/CellControl.h"

#include "toolkit/data/BuiltinImages.h"

#include "tests/support/ControlTestSupport.h"

#include <functional>

using namespace amiga;

namespace {

constexpr int X = 50, Y = 60, W = 120, H = 24;

// Counts its paints.
class CountingCell : public CellControl {
public:
    using CellControl::CellControl;
    void OnPaint() override
    {
        ++paints;
        CellControl::OnPaint();
    }
    int paints = 0;
};

class CellControlTest : public ControlFixture {
protected:
    CountingCell* Cell(const std::string& caption)
    {
        auto* cell = Add<CountingCell>(main.get());
        cell->SetLocation(X, Y);
        cell->SetSize(W, H);
        cell->SetText(caption);
        return cell;
    }
};

TEST_F(CellControlTest, CompareFirstSettersFlagAndRepaintOnlyARealChange)
{
    CountingCell* cell = Cell("text");
    EXPECT_TRUE(cell->IsChange()); // stored before loading
    cell->Show();
    EXPECT_FALSE(cell->IsChange()) << "loading clears the flag";
    struct Setter {
        const char* name;
        std::function<void(CellControl*)> same;
        std::function<void(CellControl*)> other;
    };
    const std::vector<Setter> setters = {
        {"text", [](CellControl* c) { c->SetText("text"); }, [](CellControl* c) { c->SetText("other"); }},
        {"align", [](CellControl* c) { c->SetAlign(KesaAlignCenter); },
         [](CellControl* c) { c->SetAlign(KesaAlignLeft); }},
        {"check", [](CellControl* c) { c->SetCheck(0); }, [](CellControl* c) { c->SetCheck(1); }},
        {"font name", [](CellControl* c) { c->SetFontName("Topaz"); }, [](CellControl* c) { c->SetFontName("times"); }},
        {"font size", [](CellControl* c) { c->SetFontSize(8); }, [](CellControl* c) { c->SetFontSize(9); }},
        {"colour", [](CellControl* c) { c->SetColor(1); }, [](CellControl* c) { c->SetColor(4); }},
        {"bold", [](CellControl* c) { c->SetBold(0); }, [](CellControl* c) { c->SetBold(1); }},
        {"border", [](CellControl* c) { c->SetBorder(0); }, [](CellControl* c) { c->SetBorder(1); }},
        {"underline", [](CellControl* c) { c->SetUnderline(0); }, [](CellControl* c) { c->SetUnderline(1); }},
        {"italic", [](CellControl* c) { c->SetItalic(0); }, [](CellControl* c) { c->SetItalic(1); }},
    };
    for (const Setter& setter : setters) {
        const int paints = cell->paints;
        setter.same(cell);
        EXPECT_FALSE(cell->IsChange()) << setter.name;
        EXPECT_EQ(cell->paints, paints) << setter.name;
        setter.other(cell);
        EXPECT_TRUE(cell->IsChange()) << setter.name;
        EXPECT_EQ(cell->paints, paints + 1) << setter.name;
        cell->ResetChange();
        setter.other(cell);
        EXPECT_FALSE(cell->IsChange()) << setter.name << " again";
        EXPECT_EQ(cell->paints, paints + 1) << setter.name << " again";
    }
}

TEST_F(CellControlTest, SelectedRepaintsPenOneOnPenTenWithoutFlaggingAChange)
{
    CountingCell* cell = Cell("HELLO");
    cell->SetBackgroundColor(2);
    cell->SetColor(4);
    cell->Show();
    ASSERT_EQ(Count(X, Y, W, H, 10), 0);
    const int ink = Count(X, Y, W, H, 4);
    ASSERT_GT(ink, 10);
    const int paints = cell->paints;
    cell->SetSelected(true);
    EXPECT_FALSE(cell->IsChange());
    EXPECT_EQ(cell->paints, paints + 1);
    EXPECT_EQ(Count(X, Y, W, H, 10) + Count(X, Y, W, H, 1), W * H);
    EXPECT_EQ(Count(X, Y, W, H, 1), ink);
    // The other setters that do not compare repaint every time and never flag either.
    cell->SetSelectedColor(17);
    cell->SetSelectedColorBG(12);
    cell->SetSelected(true);
    EXPECT_EQ(cell->paints, paints + 4);
    EXPECT_FALSE(cell->IsChange());
    EXPECT_EQ(Count(X, Y, W, H, 17), ink);
    cell->SetSelected(false);
    EXPECT_EQ(Count(X, Y, W, H, 4), ink);
    EXPECT_EQ(Count(X, Y, W, H, 2), W * H - ink);
}

TEST_F(CellControlTest, LoadSavesTheBackgroundThatResetBackgroundColorRestores)
{
    CountingCell* cell = Cell("bg");
    cell->SetBackgroundColor(18);
    cell->Show();
    const int paints = cell->paints;
    cell->ResetBackgroundColor();
    EXPECT_EQ(cell->paints, paints) << "never changed: nothing to do";
    EXPECT_FALSE(cell->IsChange());
    cell->SetBackgroundColor(9);
    ASSERT_EQ(Pen(X, Y), 9);
    cell->ResetBackgroundColor();
    EXPECT_EQ(cell->GetBackgroundColor(), 18u);
    EXPECT_TRUE(cell->IsChange());
    EXPECT_EQ(Pen(X, Y), 18);
}

TEST_F(CellControlTest, LooksOfTheCellStates)
{
    main->SetBackgroundColor(18);
    auto cell = [&](const std::string& caption, int left, int top, int w, int h, unsigned long background,
                    int border = 0) {
        auto* c = Add<CellControl>(main.get());
        c->SetLocation(left, top);
        c->SetSize(w, h);
        c->SetText(caption);
        c->SetBackgroundColor(background);
        if (border != 0)
            c->SetBorder(border);
        return c;
    };
    cell("Tentativi: 3", 10, 30, 140, 20, static_cast<unsigned long>(-1))->Show();
    cell("bordo su bianco", 160, 30, 140, 20, 2, 1)->Show();
    cell("bordo su grigio", 310, 30, 140, 20, 20, 1)->Show();
    CellControl* selected = cell("selezionata", 10, 60, 140, 20, 2);
    selected->SetSelected(true);
    selected->Show();
    CellControl* checked = cell("spuntata", 160, 60, 140, 24, 2, 1);
    checked->SetAlign(KesaAlignLeft);
    checked->SetCheck(1);
    checked->Show();
    cell("bassa", 310, 60, 140, 9, 2, 1)->Show();
    CellControl* withPicture = cell("Rosso", 10, 94, 200, 56, 19, 1);
    withPicture->SetAlign(KesaAlignLeft);
    withPicture->SetColor(17);
    withPicture->SetImage(&frame8, 48, 48, KesaAlignRight);
    withPicture->Show();
    CellControl* wrapped = cell("Una nota lunga che va a capo", 220, 94, 120, 56, 16);
    wrapped->SetAlign(KesaAlignLeft);
    wrapped->Show();
    EXPECT_TRUE(ScreenLooksLike(0, 20, 460, 140, "cell-states"));
}

} // namespace
