// SPDX-License-Identifier: MIT
// Lines, patterns, rectangles, pixels, clearing and clipping, read back pixel by pixel.
#include "platform/graphics/Graphics.h"
#include "RastPortFixture.h"

#include <gtest/gtest.h>

#include <string>

using namespace amiga;

namespace {

class GraphicsLines : public RastPortFixture {
protected:
    GraphicsLines() : RastPortFixture(20, 12) {}
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(RastPortFixture::SetUp());
        SetAPen(&rp, 5);
        SetBPen(&rp, 2);
        SetDrMd(&rp, JAM1);
    }

    // One row as characters: '.' for pen 0, the pen's digit otherwise (pens below 10).
    std::string Row(int y, int width = 20)
    {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const LONG pen = At(x, y);
            row += pen == 0 ? '.' : static_cast<char>('0' + pen);
        }
        return row;
    }
};

TEST_F(GraphicsLines, SolidLineCoversBothEndsAndMovesThePen)
{
    Move(&rp, 1, 1);
    Draw(&rp, 8, 1);
    EXPECT_EQ(Row(1), ".55555555...........");
    EXPECT_EQ(rp.cp_x, 8);
    EXPECT_EQ(rp.cp_y, 1);
    Draw(&rp, 8, 4); // from the end point on
    EXPECT_EQ(At(8, 2), 5);
    EXPECT_EQ(At(8, 4), 5);
    EXPECT_EQ(At(8, 5), 0);

    Move(&rp, 0, 6);
    Draw(&rp, 3, 9);
    for (int i = 0; i <= 3; ++i)
        EXPECT_EQ(At(i, 6 + i), 5) << i;
    EXPECT_EQ(At(1, 6), 0);
}

TEST_F(GraphicsLines, PatternsStartAtBitFifteen)
{
    SetDrPt(&rp, 0xF0F0);
    EXPECT_EQ(rp.linpatcnt, 15);
    EXPECT_TRUE(rp.Flags & FRST_DOT);
    EXPECT_TRUE(rp.Flags & 0x10);
    Move(&rp, 0, 0);
    Draw(&rp, 19, 0);
    EXPECT_EQ(Row(0), "5555....5555....5555");

    // JAM2 draws the clear bits in the B pen.
    SetDrPt(&rp, 0xAAAA);
    SetDrMd(&rp, JAM2);
    Move(&rp, 0, 1);
    Draw(&rp, 9, 1);
    EXPECT_EQ(Row(1), "5252525252..........");

    // The toolkit's dashed pattern, vertically.
    SetDrPt(&rp, 0xCCCC);
    SetDrMd(&rp, JAM1);
    Move(&rp, 15, 2);
    Draw(&rp, 15, 9);
    std::string column;
    for (int y = 2; y <= 9; ++y)
        column += At(15, y) ? '5' : '.';
    EXPECT_EQ(column, "55..55..");
}

TEST_F(GraphicsLines, PatternRunsOnAcrossDrawsWithoutRepeatingTheJoint)
{
    SetDrPt(&rp, 0xFF00);
    Move(&rp, 0, 0);
    Draw(&rp, 4, 0);  // bits 15..11
    Draw(&rp, 11, 0); // the joint is not drawn again: bits 10..4 for x = 5..11
    EXPECT_EQ(Row(0), "55555555............");
    Draw(&rp, 19, 0); // bits 3..0, then 15..12 again
    EXPECT_EQ(Row(0), "55555555........5555");

    // Move starts a new line: the pattern restarts at bit 15.
    Move(&rp, 0, 2);
    Draw(&rp, 9, 2);
    EXPECT_EQ(Row(2), "55555555............");
}

TEST_F(GraphicsLines, FirstDotFlagDecidesTheFirstPixel)
{
    Move(&rp, 2, 3);
    rp.Flags &= static_cast<UWORD>(~FRST_DOT);
    Draw(&rp, 6, 3);
    EXPECT_EQ(Row(3), "...5555.............");
}

TEST_F(GraphicsLines, ComplementPolygonInvertsEveryPixelOnce)
{
    SetRast(&rp, 0);
    SetDrMd(&rp, COMPLEMENT);
    const WORD path[] = {4, 0, 4, 4, 0, 4};
    Move(&rp, 0, 0);
    PolyDraw(&rp, 3, path);
    // Corners are shared by two lines, yet every pixel of the path is inverted exactly once.
    EXPECT_EQ(At(0, 0), 0xFF);
    EXPECT_EQ(At(4, 0), 0xFF);
    EXPECT_EQ(At(4, 4), 0xFF);
    EXPECT_EQ(At(0, 4), 0xFF);
    EXPECT_EQ(At(2, 4), 0xFF);
    EXPECT_EQ(At(2, 2), 0);
    EXPECT_EQ(rp.cp_x, 0);
    EXPECT_EQ(rp.cp_y, 4);
}

TEST_F(GraphicsLines, RectFillIsInclusiveAndSkipsEmptyRectangles)
{
    RectFill(&rp, 2, 3, 5, 7);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(At(x, y), (x >= 2 && x <= 5 && y >= 3 && y <= 7) ? 5 : 0) << x << "," << y;

    SetAPen(&rp, 6);
    const ULONG before = bitmap->Changes;
    RectFill(&rp, 9, 0, 8, 5);  // xMax < xMin
    RectFill(&rp, 9, 5, 12, 4); // yMax < yMin
    EXPECT_EQ(Row(4).find('6'), std::string::npos);
    EXPECT_EQ(bitmap->Changes, before);
    RectFill(&rp, 10, 10, 10, 10);
    EXPECT_EQ(At(10, 10), 6);
    EXPECT_GT(bitmap->Changes, before);
}

TEST_F(GraphicsLines, DrawingIsClippedToBitmapAndClipRectangle)
{
    RectFill(&rp, -1000, -1000, 1000, 1000);
    EXPECT_EQ(At(0, 0), 5);
    EXPECT_EQ(At(19, 11), 5);
    EXPECT_EQ(ReadPixel(&rp, 20, 0), -1);
    EXPECT_EQ(ReadPixel(&rp, -1, 0), -1);
    EXPECT_EQ(WritePixel(&rp, 20, 5), -1);
    EXPECT_EQ(WritePixel(&rp, 3, -1), -1);

    SetRast(&rp, 0);
    Move(&rp, -30000, -30000);
    Draw(&rp, 30000, 30000); // through the bitmap diagonally
    EXPECT_EQ(At(0, 0), 5);
    EXPECT_EQ(At(11, 11), 5);
    EXPECT_EQ(At(1, 0), 0);

    SetRast(&rp, 0);
    SetClipRect(&rp, 2, 2, 5, 4);
    RectFill(&rp, 0, 0, 19, 11);
    Move(&rp, 0, 3);
    SetAPen(&rp, 7);
    Draw(&rp, 19, 3);
    EXPECT_EQ(Row(1), "....................");
    EXPECT_EQ(Row(2), "..5555..............");
    EXPECT_EQ(Row(3), "..7777..............");
    EXPECT_EQ(Row(5), "....................");
    EXPECT_EQ(WritePixel(&rp, 6, 3), -1);
    EXPECT_EQ(WritePixel(&rp, 5, 4), 0);

    RastPort noBitmap;
    InitRastPort(&noBitmap);
    RectFill(&noBitmap, 0, 0, 10, 10);
    Move(&noBitmap, 0, 0);
    Draw(&noBitmap, 5, 5);
    EXPECT_EQ(ReadPixel(&noBitmap, 0, 0), -1);
}

TEST_F(GraphicsLines, ClearScreenClearsFromThePenToTheEnd)
{
    SetRast(&rp, 3);
    SetBPen(&rp, 1);
    // topaz 8: the text line of a pen at y spans rows y - 6 .. y + 1.
    ASSERT_EQ(rp.TxBaseline, 6);
    ASSERT_EQ(rp.TxHeight, 8);
    Move(&rp, 4, 7); // text line rows 1..8
    ClearScreen(&rp);
    EXPECT_EQ(Row(0), "33333333333333333333");
    EXPECT_EQ(Row(1), "33331111111111111111");
    EXPECT_EQ(Row(8), "33331111111111111111");
    EXPECT_EQ(Row(9), "11111111111111111111");
    EXPECT_EQ(Row(11), "11111111111111111111");

    SetRast(&rp, 3);
    Move(&rp, 10, 7);
    ClearEOL(&rp);
    EXPECT_EQ(Row(0), "33333333333333333333");
    EXPECT_EQ(Row(4), "33333333331111111111");
    EXPECT_EQ(Row(9), "33333333333333333333");
}

TEST_F(GraphicsLines, PensAreLimitedToTheBitmapDepth)
{
    BitMap* shallow = AllocBitMap(4, 4, 2, 0, nullptr);
    ASSERT_NE(shallow, nullptr);
    rp.BitMap = shallow;
    SetAPen(&rp, 7);
    WritePixel(&rp, 1, 1);
    EXPECT_EQ(ReadPixel(&rp, 1, 1), 3);
    SetDrMd(&rp, COMPLEMENT);
    WritePixel(&rp, 1, 1);
    EXPECT_EQ(ReadPixel(&rp, 1, 1), 0);
    rp.BitMap = bitmap;
    FreeBitMap(shallow);

    EXPECT_EQ(AllocBitMap(0, 4, 8, 0, nullptr), nullptr);
    EXPECT_EQ(AllocBitMap(4, 4, 9, 0, nullptr), nullptr);
}

TEST_F(GraphicsLines, BlitsCopyClipAndHandleOverlap)
{
    for (int x = 0; x < 6; ++x) {
        SetAPen(&rp, static_cast<ULONG>(x + 1));
        WritePixel(&rp, x, 0);
    }
    EXPECT_EQ(Row(0), "123456..............");
    // Overlapping copy to the right inside one bitmap.
    BltBitMap(bitmap, 0, 0, bitmap, 2, 0, 6, 1, 0xC0, 0xFF, nullptr);
    EXPECT_EQ(Row(0), "12123456............");
    // And back to the left.
    BltBitMap(bitmap, 2, 0, bitmap, 0, 0, 6, 1, 0xC0, 0xFF, nullptr);
    EXPECT_EQ(Row(0), "12345656............");
    EXPECT_EQ(BltBitMap(bitmap, 30, 0, bitmap, 0, 0, 5, 5, 0xC0, 0xFF, nullptr), 0);
    // Coordinates at the ends of their range clip like any others.
    EXPECT_EQ(BltBitMap(bitmap, 0, 0, bitmap, INT32_MIN, INT32_MIN, 10, 10, 0xC0, 0xFF, nullptr), 0);
    EXPECT_EQ(BltBitMap(bitmap, INT32_MAX, 0, bitmap, 0, 0, INT32_MAX, 1, 0xC0, 0xFF, nullptr), 0);
}

} // namespace
