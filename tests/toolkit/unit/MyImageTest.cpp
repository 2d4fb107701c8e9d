// SPDX-License-Identifier: MIT
// MyImage: the chip copy and its size, painting at the control's place in a real window,
// the bevel, hiding and moving, the background colour, and silence while refreshing is
// suspended.
#include "toolkit/controls/MyImage.h"

#include "ImageControlTestSupport.h"
#include "toolkit/controls/PanelChildren.h"

#include <cstring>

using namespace amiga;

namespace {

// 20 × 6, depth 8: pen 10 + x on the top row, 40 + y down the left column, pen 7 elsewhere.
int Stripes(int x, int y)
{
    if (y == 0)
        return 10 + x;
    if (x == 0)
        return 40 + y;
    return 7;
}

class MyImageTest : public ImageWindowTest {
protected:
    TestPicture picture{20, 6, 8, Stripes};
};

TEST_F(MyImageTest, IsAnImageRenderControlThatIsNotATabStop)
{
    MyImage image(form.get(), picture.Get());
    EXPECT_EQ(image.GetKesaClassName(), "image");
    EXPECT_EQ(image.IsTabStop(), 0);
    EXPECT_EQ(image.IsRenderControl(), 1);
    EXPECT_EQ(image.IsChildren(), 1);
    EXPECT_EQ(image.GetParent(), form.get());
    EXPECT_EQ(image.GetBitmap(), picture.Get());
    EXPECT_EQ(image.GetBorder(), 0);
    EXPECT_FALSE(image.IsLoad());
    EXPECT_EQ(image.GetID(), 0u);
}

TEST_F(MyImageTest, CopiesThePictureToChipMemoryAtOnce)
{
    MyImage image(form.get(), picture.Get());
    // 20 pixels take two words a row: 4 bytes × 6 rows × 8 planes.
    ASSERT_EQ(image.GetChipSize(), 4u * 6u * 8u);
    ASSERT_NE(image.GetChipCopy(), nullptr);
    EXPECT_NE(image.GetChipCopy(), static_cast<const void*>(picture.Get()->ImageData));
    EXPECT_EQ(std::memcmp(image.GetChipCopy(), picture.Get()->ImageData, 4 * 6 * 8), 0);
}

TEST_F(MyImageTest, APictureFiftyPixelsWideTakesFourWordsPerRow)
{
    TestPicture wide(50, 3, 2, [](int x, int) { return x % 4; });
    MyImage image(form.get(), wide.Get());
    EXPECT_EQ(image.GetChipSize(), 8u * 3u * 2u);
    EXPECT_EQ(wide.Bytes(), 8u * 3u * 2u);

    // A picture of one pixel still takes a whole word a row.
    TestPicture dot(1, 5, 3, [](int, int) { return 5; });
    image.SetBitmap(dot.Get());
    EXPECT_EQ(image.GetChipSize(), 2u * 5u * 3u);
}

TEST_F(MyImageTest, ShowPaintsThePictureAtItsPlaceWhateverItsSize)
{
    MyImage image(form.get(), picture.Get());
    image.SetLocation(30, 40);
    image.SetSize(100, 100);          // larger than the picture: the picture is not scaled
    EXPECT_EQ(At(30, 40), WindowPen); // nothing before it is shown
    image.Show();
    EXPECT_TRUE(image.IsLoad());
    EXPECT_TRUE(image.IsVisible());
    EXPECT_EQ(At(30, 40), 10);
    EXPECT_EQ(At(49, 40), 29);
    EXPECT_EQ(At(30, 45), 45);
    EXPECT_EQ(At(40, 43), 7);
    EXPECT_EQ(At(50, 40), WindowPen);
    EXPECT_EQ(At(30, 46), WindowPen);
    EXPECT_EQ(At(129, 139), WindowPen);
}

TEST_F(MyImageTest, LoadTakesAnIdOnceAndPaintsNothing)
{
    MyImage image(form.get(), picture.Get());
    image.SetLocation(30, 40);
    image.Load();
    EXPECT_TRUE(image.IsLoad());
    EXPECT_TRUE(image.IsVisible());
    const unsigned int id = image.GetID();
    EXPECT_NE(id, 0u);
    EXPECT_EQ(At(30, 40), WindowPen);

    image.Hide();
    image.Show();
    EXPECT_EQ(image.GetID(), id);
    EXPECT_EQ(At(30, 40), 10);
}

TEST_F(MyImageTest, InsideAPanelItPaintsAtThePanelsPlacePlusItsOwn)
{
    PanelChildren panel(form.get());
    panel.SetLocation(100, 200);
    panel.Show();
    MyImage image(&panel, picture.Get());
    image.SetLocation(5, 7);
    image.Show();
    EXPECT_EQ(At(105, 207), 10);
    EXPECT_EQ(At(105, 208), 41);
}

TEST_F(MyImageTest, TheBevelIsBlackTopAndLeftWhiteRightAndBottom)
{
    MyImage image(form.get(), picture.Get());
    image.SetLocation(30, 40);
    image.SetSize(20, 6);
    image.SetBorder(1); // not loaded: only stored
    EXPECT_EQ(image.GetBorder(), 1);
    EXPECT_EQ(At(30, 40), WindowPen);

    image.Show();
    EXPECT_EQ(At(30, 40), 1); // top-left corner
    EXPECT_EQ(At(40, 40), 1); // top edge
    EXPECT_EQ(At(30, 43), 1); // left edge
    EXPECT_EQ(At(49, 40), 2); // top-right corner belongs to the right edge
    EXPECT_EQ(At(49, 43), 2); // right edge
    EXPECT_EQ(At(30, 45), 2); // bottom-left corner belongs to the bottom edge
    EXPECT_EQ(At(40, 45), 2); // bottom edge
    EXPECT_EQ(At(40, 43), 7); // the picture inside
    EXPECT_EQ(At(31, 41), 7);

    // Taking the bevel away repaints the picture's own edge.
    image.SetBorder(0);
    EXPECT_EQ(At(30, 40), 10);
    EXPECT_EQ(At(49, 43), 7);
}

TEST_F(MyImageTest, WithoutAPictureItFillsItsRectangleInTheBackgroundColour)
{
    PanelChildren panel(form.get());
    panel.SetLocation(100, 100);
    panel.SetSize(200, 200);
    panel.Show();
    MyImage image(&panel, nullptr);
    EXPECT_EQ(image.GetChipCopy(), nullptr);
    EXPECT_EQ(image.GetChipSize(), 0u);
    image.SetLocation(10, 10);
    image.SetSize(8, 4);
    Scribble(100, 100, 50, 50, 9);

    // The panel has no colour: the window's.
    image.Show();
    EXPECT_EQ(CountPen(110, 110, 8, 4, WindowPen), 32);
    EXPECT_EQ(At(118, 110), 9);
    EXPECT_EQ(At(110, 114), 9);

    // The parent's own colour comes first; the control's own is not used.
    image.SetBackgroundColor(12);
    panel.SetBackgroundColor(5);
    Scribble(100, 100, 50, 50, 9);
    image.OnPaint();
    EXPECT_EQ(CountPen(110, 110, 8, 4, 5), 32);

    // Neither the parent nor the window has one: pen 0.
    panel.SetBackgroundColor(static_cast<unsigned long>(-1));
    form->SetBackgroundColor(static_cast<unsigned long>(-1));
    Scribble(100, 100, 50, 50, 9);
    image.OnPaint();
    EXPECT_EQ(CountPen(110, 110, 8, 4, 0), 32);
}

TEST_F(MyImageTest, HideErasesAndUnloadsShowPaintsAgain)
{
    MyImage image(form.get(), picture.Get());
    image.SetLocation(30, 40);
    image.SetSize(24, 8);
    Scribble(0, 0, 100, 100, 9);
    image.Show();
    EXPECT_EQ(At(30, 40), 10);
    EXPECT_EQ(At(52, 47), 9); // inside the control, outside the picture: left alone

    image.Hide();
    EXPECT_FALSE(image.IsLoad());
    EXPECT_FALSE(image.IsVisible());
    EXPECT_EQ(CountPen(30, 40, 24, 8, WindowPen), 24 * 8);
    EXPECT_EQ(At(29, 40), 9);
    EXPECT_EQ(At(54, 40), 9);

    // Unloaded, it paints nothing, and hiding again erases nothing.
    Scribble(0, 0, 100, 100, 9);
    image.OnPaint();
    image.SetBorder(1);
    image.Hide();
    EXPECT_EQ(CountPen(30, 40, 24, 8, 9), 24 * 8);

    image.Show();
    EXPECT_TRUE(image.IsLoad());
    EXPECT_EQ(At(30, 40), 1); // the bevel stored meanwhile
    EXPECT_EQ(At(31, 41), 7);
}

TEST_F(MyImageTest, MovingOrResizingALoadedControlErasesTheOldPlace)
{
    MyImage image(form.get(), picture.Get());
    image.SetLocation(30, 40);
    image.SetSize(20, 6);
    image.Show();
    image.SetLocation(60, 80);
    EXPECT_EQ(image.GetPosition().x, 60);
    EXPECT_EQ(CountPen(30, 40, 20, 6, WindowPen), 20 * 6);
    EXPECT_EQ(At(60, 80), 10);
    EXPECT_TRUE(image.IsLoad());

    image.SetBorder(1);
    image.SetSize(10, 3);
    EXPECT_EQ(image.GetSize().x, 10);
    EXPECT_EQ(At(79, 85), 7); // the picture, whole again where the old bevel was
    EXPECT_EQ(At(69, 80), 2); // the new bevel's right edge
    EXPECT_EQ(At(65, 82), 2); // and its bottom edge

    // Not loaded: only stored.
    image.Hide();
    Scribble(0, 0, 200, 200, 9);
    image.SetLocation(10, 10);
    image.SetSize(20, 6);
    EXPECT_EQ(CountPen(0, 0, 200, 200, 9), 200 * 200);
}

TEST_F(MyImageTest, SetBitmapCopiesTheNewPictureAndRepaintsWhenLoaded)
{
    TestPicture first(20, 6, 8, Stripes);
    TestPicture second(8, 8, 4, [](int, int) { return 13; });
    MyImage image(form.get(), first.Get());
    image.SetLocation(30, 40);
    image.SetBitmap(second.Get()); // not loaded: no paint
    EXPECT_EQ(image.GetBitmap(), second.Get());
    EXPECT_EQ(image.GetChipSize(), 2u * 8u * 4u);
    EXPECT_EQ(At(30, 40), WindowPen);

    image.Show();
    EXPECT_EQ(CountPen(30, 40, 8, 8, 13), 64);
    image.SetBitmap(first.Get());
    EXPECT_EQ(At(30, 40), 10);
    EXPECT_EQ(At(37, 45), 7);
    EXPECT_EQ(image.GetChipSize(), 4u * 6u * 8u);

    // The copy is what is painted: changing the caller's picture afterwards shows nothing.
    std::memset(first.Get()->ImageData, 0, first.Bytes());
    image.OnPaint();
    EXPECT_EQ(At(30, 40), 10);
}

TEST_F(MyImageTest, SetEnabledOnlyStores)
{
    MyImage image(form.get(), picture.Get());
    image.SetLocation(30, 40);
    image.Show();
    Scribble(30, 40, 20, 6, 9);
    image.SetEnabled(0);
    EXPECT_FALSE(image.GetEnabled());
    image.SetEnabled(5);
    EXPECT_TRUE(image.GetEnabled());
    image.SetEnabled(false);
    EXPECT_FALSE(image.GetEnabled());
    EXPECT_EQ(CountPen(30, 40, 20, 6, 9), 20 * 6);
}

TEST_F(MyImageTest, AFailedChipAllocationIsLoggedAndLeavesTheControlBlank)
{
    TestPicture wide(50, 3, 2, [](int x, int) { return x % 4; });
    testing::internal::CaptureStdout();
    FailNextAllocation();
    MyImage image(form.get(), wide.Get());
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(console, "48 bytes richiesti MyImage::AllocaImgChip fallita.\n");
    EXPECT_EQ(ReadLog(), "48 bytes richiesti MyImage::AllocaImgChip fallita.\n");
    EXPECT_EQ(image.GetChipCopy(), nullptr);

    // Blank: the picture is not drawn, not even its background; the bevel still is.
    image.SetLocation(30, 40);
    image.SetSize(50, 3);
    Scribble(30, 40, 50, 3, 9);
    image.Show();
    EXPECT_EQ(CountPen(30, 40, 50, 3, 9), 50 * 3);
    image.SetBorder(1);
    EXPECT_EQ(At(30, 40), 1);
    EXPECT_EQ(At(40, 41), 9);
}

TEST_F(MyImageTest, NothingIsPaintedWhileRefreshingIsSuspended)
{
    TestPicture other(8, 8, 4, [](int, int) { return 13; });
    MyImage image(form.get(), picture.Get());
    image.SetLocation(30, 40);
    image.SetSize(20, 6);
    Scribble(0, 0, 100, 100, 9);

    Application::SospendiRefresh = 1;
    image.Show();
    image.ShowActivate();
    image.OnPaint();
    image.SetBorder(1);
    image.SetBitmap(other.Get());
    image.SetBackgroundColor(4);
    image.SetLocation(31, 41);
    image.SetSize(22, 8);
    image.Hide();
    image.Show();
    EXPECT_EQ(CountPen(0, 0, 100, 100, 9), 100 * 100);
    EXPECT_TRUE(image.IsLoad());

    // The window's paint once the children are built shows it.
    Application::SospendiRefresh = 0;
    form->OnPaint();
    EXPECT_EQ(At(31, 41), 1);
    EXPECT_EQ(At(33, 43), 13);
}

TEST_F(MyImageTest, TheWindowPaintsItWithItsOtherRenderControls)
{
    MyImage image(form.get(), picture.Get());
    image.SetLocation(30, 40);
    image.Show();
    Scribble(0, 0, 100, 100, 9);
    form->OnPaint();
    EXPECT_EQ(At(30, 40), 10);
    EXPECT_EQ(At(49, 45), 7);
}

} // namespace
