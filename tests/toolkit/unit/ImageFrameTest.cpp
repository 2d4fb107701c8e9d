// SPDX-License-Identifier: MIT
// ImageFrame: the picture chosen by frame and offset from a list, changing it with and
// without hiding first, the saved background colour, and silence while refreshing is
// suspended. Painted with the built-in board pictures.
#include "toolkit/controls/ImageFrame.h"

#include "ImageControlTestSupport.h"
#include "toolkit/data/BuiltinImages.h"

using namespace amiga;

namespace {

// lstImg: 0 black peg, 1 white peg, 14 solid black; a peg's corner is ground (pen 0).
constexpr long Ground = 0;

class ImageFrameTest : public ImageWindowTest {
protected:
    // A frame on the board's list at (100, 100), 60 × 60: the 48 × 48 picture leaves a
    // margin of the control that only erasing reaches.
    std::unique_ptr<ImageFrame> MakeFrame(int frame, int offset)
    {
        auto control = std::make_unique<ImageFrame>(form.get(), lstImg, frame, offset);
        control->SetLocation(100, 100);
        control->SetSize(60, 60);
        return control;
    }
    long PegCentre() const { return At(124, 124); }
    long PegCorner() const { return At(101, 101); }
    long Margin() const { return At(155, 155); }
};

TEST_F(ImageFrameTest, ShowsThePictureAtFramePlusOffset)
{
    auto frame = MakeFrame(12, -11); // picture 1, the white peg
    EXPECT_EQ(frame->GetKesaClassName(), "imageframe");
    EXPECT_EQ(frame->IsTabStop(), 0);
    EXPECT_EQ(frame->IsRenderControl(), 1);
    EXPECT_EQ(frame->GetFrame(), 12);
    EXPECT_EQ(frame->GetOffset(), -11);
    EXPECT_EQ(frame->GetBitmap(), &frame1);
    EXPECT_EQ(frame->Tag, "");
    EXPECT_EQ(frame->GetTrasparent(), 1);
    frame->SetTrasparent(0);
    EXPECT_EQ(frame->GetTrasparent(), 0);
    frame->Tag = "5";
    EXPECT_EQ(frame->Tag, "5");

    frame->Show();
    EXPECT_EQ(PegCentre(), PenWhite);
    EXPECT_EQ(PegCorner(), Ground);
    EXPECT_EQ(Margin(), WindowPen);
}

TEST_F(ImageFrameTest, SetFrameWithTheCurrentFrameAndOffsetDoesNotRepaint)
{
    auto frame = MakeFrame(0, 1);
    frame->Show();
    EXPECT_EQ(PegCentre(), PenWhite);
    Scribble(100, 100, 60, 60, 9);

    frame->SetFrame(0, 1);
    frame->SetFrame(0, 1, 1);
    EXPECT_EQ(CountPen(100, 100, 60, 60, 9), 60 * 60);
    EXPECT_TRUE(frame->IsLoad());

    // The same picture by another frame and offset is a change, and repaints.
    frame->SetFrame(1, 0);
    EXPECT_EQ(frame->GetFrame(), 1);
    EXPECT_EQ(PegCentre(), PenWhite);
}

TEST_F(ImageFrameTest, SetFrameWithoutHidingPaintsOverTheOldPicture)
{
    auto frame = MakeFrame(0, 0);
    frame->Show();
    EXPECT_EQ(PegCentre(), PenBlack);
    Scribble(150, 150, 10, 10, 9);

    frame->SetFrame(1, 0);
    EXPECT_EQ(frame->GetBitmap(), &frame1);
    EXPECT_EQ(PegCentre(), PenWhite);
    EXPECT_EQ(Margin(), 9); // not erased
    EXPECT_TRUE(frame->IsLoad());
    EXPECT_TRUE(frame->IsVisible());
}

TEST_F(ImageFrameTest, SetFrameHidingFirstErasesInTheBackgroundColourFirst)
{
    auto frame = MakeFrame(0, 0);
    frame->Show();
    const unsigned int id = frame->GetID();
    Scribble(150, 150, 10, 10, 9);

    frame->SetFrame(14, 0, 1);
    EXPECT_EQ(Margin(), WindowPen);   // erased with the window's colour
    EXPECT_EQ(PegCorner(), PenBlack); // the new picture over it
    EXPECT_EQ(PegCentre(), PenBlack);
    EXPECT_TRUE(frame->IsLoad());
    EXPECT_TRUE(frame->IsVisible());
    EXPECT_EQ(frame->GetID(), id);
}

TEST_F(ImageFrameTest, SetFrameOnAFrameNotLoadedOnlyTakesThePicture)
{
    auto frame = MakeFrame(0, 0);
    Scribble(100, 100, 60, 60, 9);
    frame->SetFrame(13, 0, 1);
    EXPECT_EQ(frame->GetBitmap(), &frame13);
    EXPECT_EQ(frame->GetChipSize(), 2304u);
    EXPECT_FALSE(frame->IsLoad());
    EXPECT_EQ(CountPen(100, 100, 60, 60, 9), 60 * 60);

    frame->Show();
    EXPECT_EQ(At(124, 106), 183); // the covered peg's magenta
}

TEST_F(ImageFrameTest, ResetBackgroundColorGoesBackToTheColourOfTheFirstLoad)
{
    auto frame = MakeFrame(0, 0);
    frame->SetBackgroundColor(1);
    frame->Show();
    frame->SetBackgroundColor(6);
    frame->Hide();
    frame->Show(); // a later load does not save again
    EXPECT_EQ(frame->GetBackgroundColor(), 6u);

    Scribble(100, 100, 60, 60, 9);
    frame->ResetBackgroundColor();
    EXPECT_EQ(frame->GetBackgroundColor(), 1u);
    EXPECT_EQ(PegCentre(), PenBlack); // repainted
    EXPECT_EQ(Margin(), 9);

    // Not loaded: nothing at all.
    frame->SetBackgroundColor(6);
    frame->Hide();
    frame->ResetBackgroundColor();
    EXPECT_EQ(frame->GetBackgroundColor(), 6u);
}

TEST_F(ImageFrameTest, AFrameWithoutAColourRestoresNone)
{
    auto frame = MakeFrame(0, 0);
    frame->Load();
    frame->SetBackgroundColor(6);
    frame->ResetBackgroundColor();
    EXPECT_EQ(frame->GetBackgroundColor(), static_cast<unsigned long>(-1));
}

TEST_F(ImageFrameTest, NothingIsPaintedWhileRefreshingIsSuspended)
{
    auto frame = MakeFrame(0, 0);
    Scribble(0, 0, 200, 200, 9);
    Application::SospendiRefresh = 1;
    frame->Show();
    frame->SetFrame(1, 0);
    frame->SetFrame(14, 0, 1);
    frame->ResetBackgroundColor();
    frame->SetBorder(1);
    frame->Hide();
    frame->Show();
    EXPECT_EQ(CountPen(0, 0, 200, 200, 9), 200 * 200);

    Application::SospendiRefresh = 0;
    form->OnPaint();
    EXPECT_EQ(PegCentre(), PenBlack);
    EXPECT_EQ(At(100, 100), 1);
    EXPECT_EQ(At(159, 110), 2);
}

} // namespace
