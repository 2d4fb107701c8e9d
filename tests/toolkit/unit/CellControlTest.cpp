// SPDX-License-Identifier: MIT
// CellControl: the change flag of the compare-first setters, selected colours, the border
// rule, the check mark, the picture, loading, hiding and restoring the background.
#include "toolkit/controls/CellControl.h"

#include "toolkit/data/BuiltinImages.h"

#include "ControlTestSupport.h"

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
        {"align", [](CellControl* c) { c->SetAlign(KesaAlignCenter); }, [](CellControl* c) { c->SetAlign(KesaAlignLeft); }},
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

TEST_F(CellControlTest, BorderIsAllBlackOnWhiteAndBevelledOnAnyOtherFill)
{
    CountingCell* cell = Cell("");
    cell->SetBorder(1);
    struct Case {
        unsigned long fill;
        int lowerRight;
    };
    cell->Show();
    for (const Case& c : {Case{2, 1}, Case{18, 2}, Case{0, 2}}) {
        cell->SetBackgroundColor(c.fill);
        // The right and bottom edges are drawn last and own the corners they share.
        EXPECT_EQ(Count(X, Y, W - 1, 1, 1), W - 1) << "top, fill " << c.fill;
        EXPECT_EQ(Count(X, Y, 1, H - 1, 1), H - 1) << "left, fill " << c.fill;
        EXPECT_EQ(Count(X + W - 1, Y, 1, H, c.lowerRight), H) << "right, fill " << c.fill;
        EXPECT_EQ(Count(X, Y + H - 1, W, 1, c.lowerRight), W) << "bottom, fill " << c.fill;
        EXPECT_EQ(Count(X + 1, Y + 1, W - 2, H - 2, static_cast<int>(c.fill)), (W - 2) * (H - 2));
    }
}

TEST_F(CellControlTest, CellLowerThanItsFontPaintsNothingInsideTheBorder)
{
    CountingCell* cell = Cell("tiny");
    cell->SetSize(W, 9); // topaz 8 needs 8 rows: 7 inside the border is too few
    cell->SetBorder(1);
    cell->SetBackgroundColor(2);
    Clear(5);
    cell->Show();
    EXPECT_EQ(Count(X, Y, W, 1, 1), W);
    EXPECT_EQ(Count(X + 1, Y + 1, W - 2, 7, 5), (W - 2) * 7);
}

TEST_F(CellControlTest, CheckMarkSitsBottomRightInTheSelectedColourWhenSelected)
{
    CountingCell* cell = Cell("");
    cell->SetBackgroundColor(2);
    cell->SetCheck(1);
    cell->Show();
    // fh = 8: an 8 × 8 box at (X + W - 8, Y + H - 12).
    const int boxX = X + W - 8, boxY = Y + H - 12;
    const int mark = Count(boxX, boxY, 8, 8, 1);
    EXPECT_GT(mark, 3);
    EXPECT_EQ(Count(X, Y, W, H, 1), mark);
    cell->SetSelected(true);
    EXPECT_EQ(Count(boxX, boxY, 8, 8, 1), mark);
    cell->SetSelectedColor(17);
    EXPECT_EQ(Count(boxX, boxY, 8, 8, 17), mark);
}

TEST_F(CellControlTest, PictureIsPlacedByItsAlignmentOverTheText)
{
    static UWORD data[2 * 6];
    for (UWORD& word : data)
        word = 0xFFFF;
    static Image picture{0, 0, 16, 6, 2, data, 0x03, 0, nullptr};
    CountingCell* cell = Cell("WWWWWWWWWWWWWWW");
    cell->SetBackgroundColor(2);
    cell->Show();
    cell->ResetChange();
    const int top = Y + (H - 6) / 2;
    struct Case {
        KesaAlign align;
        int left;
    };
    for (const Case& c : {Case{KesaAlignRight, X + W - 16 - 3}, Case{KesaAlignCenter, X + (W - 16) / 2},
                          Case{KesaAlignLeft, X + 3}}) {
        cell->SetImage(&picture, 16, 6, c.align);
        EXPECT_EQ(Count(c.left, top, 16, 6, 3), 16 * 6) << c.align;
        EXPECT_EQ(Count(X, Y, W, H, 3), 16 * 6) << c.align;
    }
    EXPECT_FALSE(cell->IsChange());
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

TEST_F(CellControlTest, HideErasesWithTheWindowBackgroundAndUnloads)
{
    main->SetBackgroundColor(static_cast<unsigned long>(-1));
    CountingCell* cell = Cell("gone");
    cell->SetBackgroundColor(9);
    cell->Show();
    ASSERT_EQ(Pen(X, Y), 9);
    cell->Hide();
    EXPECT_FALSE(cell->IsLoad());
    EXPECT_EQ(Count(X, Y, W, H, 0), W * H);
    cell->SetText("still stored");
    EXPECT_EQ(Count(X, Y, W, H, 0), W * H);
    EXPECT_EQ(cell->GetText(), "still stored");
}

TEST_F(CellControlTest, LooksOfTheCellStates)
{
    main->SetBackgroundColor(18);
    auto cell = [&](const std::string& caption, int left, int top, int w, int h, unsigned long background) {
        auto* c = Add<CellControl>(main.get());
        c->SetLocation(left, top);
        c->SetSize(w, h);
        c->SetText(caption);
        c->SetBackgroundColor(background);
        return c;
    };
    cell("Tentativi: 3", 10, 30, 140, 20, static_cast<unsigned long>(-1))->Show();
    CellControl* onWhite = cell("bordo su bianco", 160, 30, 140, 20, 2);
    onWhite->SetBorder(1);
    onWhite->Show();
    CellControl* onGrey = cell("bordo su grigio", 310, 30, 140, 20, 20);
    onGrey->SetBorder(1);
    onGrey->Show();
    CellControl* selected = cell("selezionata", 10, 60, 140, 20, 2);
    selected->SetSelected(true);
    selected->Show();
    CellControl* checked = cell("spuntata", 160, 60, 140, 24, 2);
    checked->SetAlign(KesaAlignLeft);
    checked->SetCheck(1);
    checked->SetBorder(1);
    checked->Show();
    CellControl* low = cell("bassa", 310, 60, 140, 9, 2);
    low->SetBorder(1);
    low->Show();
    CellControl* withPicture = cell("Rosso", 10, 94, 200, 56, 19);
    withPicture->SetAlign(KesaAlignLeft);
    withPicture->SetColor(17);
    withPicture->SetImage(&frame8, 48, 48, KesaAlignRight);
    withPicture->SetBorder(1);
    withPicture->Show();
    CellControl* wrapped = cell("Una nota lunga che va a capo", 220, 94, 120, 56, 16);
    wrapped->SetAlign(KesaAlignLeft);
    wrapped->Show();
    EXPECT_TRUE(ScreenLooksLike(0, 20, 460, 140, "cell-states"));
}

} // namespace
