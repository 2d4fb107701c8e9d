// SPDX-License-Identifier: MIT
// Planar images: decoding, PlanePick and PlaneOnOff, row widths, clipping; IntuiTexts.
#include "platform/intuition/Images.h"
#include "RastPortFixture.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace amiga;

namespace {

class Images : public RastPortFixture {
protected:
    Images() : RastPortFixture(64, 64) {}

    // Planar data is byte-ordered as the platform stores it, whatever the host does.
    static Image MakeImage(std::vector<UBYTE>& bytes, int width, int height, int depth, UBYTE pick)
    {
        Image image{};
        image.Width = static_cast<WORD>(width);
        image.Height = static_cast<WORD>(height);
        image.Depth = static_cast<WORD>(depth);
        image.ImageData = reinterpret_cast<UWORD*>(bytes.data());
        image.PlanePick = pick;
        return image;
    }
};

TEST_F(Images, PlanesAddUpToPens)
{
    // 4 × 2, depth 2: plane 0 row 0 = 1010, plane 1 row 0 = 1100; row 1 all plane 1.
    std::vector<UBYTE> data = {0xA0, 0x00, 0x00, 0x00,  // plane 0: row 0, row 1
                               0xC0, 0x00, 0xF0, 0x00}; // plane 1: row 0, row 1
    Image image = MakeImage(data, 4, 2, 2, 0x03);
    DrawImage(&rp, &image, 10, 20);
    EXPECT_EQ(At(10, 20), 3);
    EXPECT_EQ(At(11, 20), 2);
    EXPECT_EQ(At(12, 20), 1);
    EXPECT_EQ(At(13, 20), 0);
    EXPECT_EQ(At(10, 21), 2);
    EXPECT_EQ(At(13, 21), 2);
    EXPECT_EQ(At(14, 21), 0);
    EXPECT_EQ(At(10, 22), 0);
}

TEST_F(Images, PlanePickRoutesPlanesAndPlaneOnOffFillsTheRest)
{
    std::vector<UBYTE> data = {0xA0, 0x00,  // plane 0 -> pen bit 0
                               0xC0, 0x00}; // plane 1 -> pen bit 2
    Image image = MakeImage(data, 4, 1, 2, 0x05);
    image.PlaneOnOff = 0x0A; // bit 1 and bit 3 set everywhere; bits 0 and 2 come from planes
    DrawImage(&rp, &image, 0, 0);
    EXPECT_EQ(At(0, 0), 1 + 4 + 0x0A);
    EXPECT_EQ(At(1, 0), 4 + 0x0A);
    EXPECT_EQ(At(2, 0), 1 + 0x0A);
    EXPECT_EQ(At(3, 0), 0x0A);

    // No plane picked: the rectangle takes PlaneOnOff, data or not.
    Image solid = MakeImage(data, 3, 2, 0, 0x00);
    solid.ImageData = nullptr;
    solid.PlaneOnOff = 0x21;
    DrawImage(&rp, &solid, 5, 5);
    EXPECT_EQ(At(5, 5), 0x21);
    EXPECT_EQ(At(7, 6), 0x21);
    EXPECT_EQ(At(8, 6), 0);
}

TEST_F(Images, AFiftyPixelRowTakesFourWords)
{
    // Depth 1, 50 × 2: rows of 8 bytes. Mark pixel 49 of row 0 and pixel 0 of row 1.
    std::vector<UBYTE> data(8 * 2, 0);
    data[6] = 0x40; // pixel 49 = byte 6, bit 6 (pixels 48..55)
    data[8] = 0x80; // row 1 starts at byte 8
    Image image = MakeImage(data, 50, 2, 1, 0x01);
    DrawImage(&rp, &image, 0, 0);
    EXPECT_EQ(At(49, 0), 1);
    EXPECT_EQ(At(48, 0), 0);
    EXPECT_EQ(At(50, 0), 0); // pixels past the width are not drawn even if set
    EXPECT_EQ(At(0, 1), 1);
    EXPECT_EQ(At(0, 0), 0);
}

TEST_F(Images, DeepImagesMatchAPixelByPixelDecoding)
{
    constexpr int kWidth = 48;
    constexpr int kHeight = 48;
    constexpr int kDepth = 8;
    const size_t rowBytes = 2 * ((kWidth + 15) / 16);
    std::vector<UBYTE> data(rowBytes * kHeight * kDepth);
    std::mt19937 random(7);
    for (UBYTE& b : data)
        b = static_cast<UBYTE>(random());
    Image image = MakeImage(data, kWidth, kHeight, kDepth, 0xFF);
    DrawImage(&rp, &image, 3, 5);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            int pen = 0;
            for (int p = 0; p < kDepth; ++p) {
                const UBYTE byte = data[rowBytes * kHeight * p + rowBytes * y + x / 8];
                pen |= ((byte >> (7 - x % 8)) & 1) << p;
            }
            ASSERT_EQ(At(3 + x, 5 + y), pen) << x << "," << y;
        }
    }
}

TEST_F(Images, EdgesChainsAndNothingToDraw)
{
    std::vector<UBYTE> data = {0xFF, 0xFF, 0xFF, 0xFF};
    Image second = MakeImage(data, 16, 1, 1, 0x02);
    second.LeftEdge = 0;
    second.TopEdge = 3;
    Image first = MakeImage(data, 16, 2, 1, 0x01);
    first.LeftEdge = 2;
    first.TopEdge = 1;
    first.NextImage = &second;
    DrawImage(&rp, &first, 10, 10);
    EXPECT_EQ(At(12, 11), 1);
    EXPECT_EQ(At(27, 12), 1);
    EXPECT_EQ(At(11, 11), 0);
    EXPECT_EQ(At(10, 13), 2);
    EXPECT_EQ(At(25, 13), 2);

    // Zero sizes and missing data draw nothing and change nothing.
    SetRast(&rp, 0);
    const ULONG before = bitmap->Changes;
    Image empty = MakeImage(data, 0, 5, 1, 0x01);
    DrawImage(&rp, &empty, 0, 0);
    empty = MakeImage(data, 5, 0, 1, 0x01);
    DrawImage(&rp, &empty, 0, 0);
    empty = MakeImage(data, 5, 5, 1, 0x01);
    empty.ImageData = nullptr;
    DrawImage(&rp, &empty, 0, 0);
    DrawImage(&rp, nullptr, 0, 0);
    EXPECT_EQ(bitmap->Changes, before);
    EXPECT_EQ(At(0, 0), 0);
}

TEST_F(Images, ImagesAreClippedAtEveryEdge)
{
    std::vector<UBYTE> data(4 * 16, 0xFF); // 32 × 16, depth 1
    Image image = MakeImage(data, 32, 16, 1, 0x01);
    DrawImage(&rp, &image, -10, -10);
    EXPECT_EQ(At(0, 0), 1);
    EXPECT_EQ(At(21, 5), 1);
    EXPECT_EQ(At(22, 5), 0);
    EXPECT_EQ(At(0, 6), 0);
    DrawImage(&rp, &image, 50, 60);
    EXPECT_EQ(At(63, 63), 1);
    DrawImage(&rp, &image, 30000, 30000);
    DrawImage(&rp, &image, -30000, 10);

    SetRast(&rp, 0);
    SetClipRect(&rp, 4, 4, 7, 7);
    DrawImage(&rp, &image, 0, 0);
    EXPECT_EQ(At(4, 4), 1);
    EXPECT_EQ(At(7, 7), 1);
    EXPECT_EQ(At(3, 4), 0);
    EXPECT_EQ(At(8, 7), 0);
}

TEST_F(Images, IntuiTextLengthAndPrintIText)
{
    const TextAttr topaz9{"topaz.font", 9, FS_NORMAL, FPF_ROMFONT};
    IntuiText text{2, 3, JAM2, 4, 6, nullptr, "Hi", nullptr};
    EXPECT_EQ(IntuiTextLength(&text), 16);
    text.ITextFont = &topaz9;
    EXPECT_EQ(IntuiTextLength(&text), 16);
    const TextAttr missing{"nothing.font", 9, FS_NORMAL, FPF_DISKFONT};
    text.ITextFont = &missing; // falls back to topaz 8
    EXPECT_EQ(IntuiTextLength(&text), 16);
    EXPECT_EQ(IntuiTextLength(nullptr), 0);

    text.ITextFont = &topaz9;
    SetAPen(&rp, 7);
    SetBPen(&rp, 8);
    SetDrMd(&rp, JAM1);
    Move(&rp, 1, 1);
    PrintIText(&rp, &text, 10, 20);
    // The text's top-left corner is at (14, 26); its cell is JAM2 in pens 2 and 3.
    EXPECT_EQ(At(14, 26), 2); // H's top-left pixel
    EXPECT_EQ(At(16, 26), 3);
    EXPECT_EQ(At(14, 25), 0);
    EXPECT_EQ(At(14, 34), 3); // ninth row of the topaz 9 cell
    EXPECT_EQ(At(14, 35), 0);
    EXPECT_EQ(GetAPen(&rp), 7u);
    EXPECT_EQ(GetBPen(&rp), 8u);
    EXPECT_EQ(GetDrMd(&rp), ULONG{JAM1});
    EXPECT_EQ(rp.cp_x, 1);
    EXPECT_EQ(rp.TxHeight, 8);
}

} // namespace
