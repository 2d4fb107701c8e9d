// SPDX-License-Identifier: MIT
// The built-in pictures and palette: their headers and sizes, what the pictures hold (read
// back from the planes by a decoder of the tests' own), the palette's bytes, and a golden
// sheet of every picture drawn by the platform in the game's colours.
#include "toolkit/data/BuiltinImages.h"
#include "toolkit/data/Palette.h"

#include "platform/graphics/Graphics.h"
#include "platform/intuition/Images.h"
#include "tests/support/GoldenPicture.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>

using namespace amiga;

namespace {

// The pen of one pixel, straight from the planar layout: plane p holds bit p of the pen
// (PlanePick 0xFF or 0x0F), rows of 2 × ceil(Width / 16) bytes, the leftmost pixel the
// top bit of the first byte.
int PenAt(const Image& image, int x, int y)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(image.ImageData);
    const size_t rowBytes = 2 * ((static_cast<size_t>(image.Width) + 15) / 16);
    const size_t planeBytes = rowBytes * static_cast<size_t>(image.Height);
    int pen = 0;
    for (int p = 0; p < image.Depth; ++p) {
        const unsigned char byte =
            bytes[planeBytes * static_cast<size_t>(p) + rowBytes * static_cast<size_t>(y) + static_cast<size_t>(x) / 8];
        if (byte & (0x80u >> (x % 8)))
            pen |= 1 << p;
    }
    return pen;
}

std::map<int, int> PenCounts(const Image& image)
{
    std::map<int, int> counts;
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            ++counts[PenAt(image, x, y)];
    return counts;
}

void ExpectHeader(const Image& image, int width, int height, int depth, UBYTE planePick, const char* name)
{
    SCOPED_TRACE(name);
    EXPECT_EQ(image.LeftEdge, 0);
    EXPECT_EQ(image.TopEdge, 0);
    EXPECT_EQ(image.Width, width);
    EXPECT_EQ(image.Height, height);
    EXPECT_EQ(image.Depth, depth);
    EXPECT_NE(image.ImageData, nullptr);
    EXPECT_EQ(image.PlanePick, planePick);
    EXPECT_EQ(image.PlaneOnOff, 0);
    EXPECT_EQ(image.NextImage, nullptr);
}

// Red, green and blue words of one pen in the table.
struct TableColour {
    ULONG red, green, blue;
};

TableColour ColourOf(int pen)
{
    return {palettedata[1 + 3 * pen], palettedata[2 + 3 * pen], palettedata[3 + 3 * pen]};
}

TEST(BuiltinImages, BoardPicturesAreListedInOrderAndNullTerminated)
{
    Image* const expected[] = {&frame0, &frame1, &frame2,  &frame3,  &frame4,  &frame5,  &frame6, &frame7,
                               &frame8, &frame9, &frame10, &frame11, &frame12, &frame13, &frame14};
    ASSERT_EQ(std::size(lstImg), 16u);
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(lstImg[i], expected[i]) << "entry " << i;
        ExpectHeader(*expected[i], 48, 48, 8, 0xFF, ("frame" + std::to_string(i)).c_str());
    }
    EXPECT_EQ(lstImg[15], nullptr);
}

TEST(BuiltinImages, LogosAndArrowsHaveTheirSizesDepthsAndPlanePicks)
{
    EXPECT_EQ(LogoIFF, &LogoIFFRaw);
    EXPECT_EQ(LogoIFFLarge, &LogoIFFLargeRaw);
    ExpectHeader(LogoIFFRaw, 164, 50, 8, 0xFF, "LogoIFFRaw");
    ExpectHeader(LogoIFFLargeRaw, 350, 75, 8, 0xFF, "LogoIFFLargeRaw");
    ExpectHeader(imgCbo, 16, 16, 4, 0x0F, "imgCbo");
    ExpectHeader(imgCboDis, 16, 16, 4, 0x0F, "imgCboDis");
}

TEST(BuiltinImages, PegsAreDiscsOf1174PixelsOnPenZero)
{
    const std::pair<int, int> pegs[] = {{0, 1}, {1, 2}, {7, 4}, {8, 17}, {9, 24}, {10, 101}, {11, 183}, {12, 69}};
    for (const auto& [index, pen] : pegs) {
        SCOPED_TRACE("frame" + std::to_string(index));
        const std::map<int, int> counts = PenCounts(*lstImg[index]);
        EXPECT_EQ(counts.size(), 2u);
        EXPECT_EQ(counts.at(pen), 1174);
        EXPECT_EQ(counts.at(0), 48 * 48 - 1174);
        // Centred: the disc's middle row and column are set, its corners are ground.
        EXPECT_EQ(PenAt(*lstImg[index], 24, 24), pen);
        EXPECT_EQ(PenAt(*lstImg[index], 5, 23), pen);
        EXPECT_EQ(PenAt(*lstImg[index], 43, 23), pen);
        EXPECT_EQ(PenAt(*lstImg[index], 24, 5), pen);
        EXPECT_EQ(PenAt(*lstImg[index], 24, 42), pen);
        EXPECT_EQ(PenAt(*lstImg[index], 4, 23), 0);
        EXPECT_EQ(PenAt(*lstImg[index], 44, 23), 0);
        EXPECT_EQ(PenAt(*lstImg[index], 24, 4), 0);
        EXPECT_EQ(PenAt(*lstImg[index], 24, 43), 0);
        EXPECT_EQ(PenAt(*lstImg[index], 8, 8), 0);
    }

    // The covered peg: the same disc in magenta, with a white question mark inside it.
    const std::map<int, int> covered = PenCounts(frame13);
    EXPECT_EQ(covered.size(), 3u);
    EXPECT_EQ(covered.at(183) + covered.at(2), 1174);
    EXPECT_GT(covered.at(2), 60);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            EXPECT_EQ(PenAt(frame13, x, y) == 0, PenAt(frame0, x, y) == 0) << x << ", " << y;
}

TEST(BuiltinImages, BoardPiecesAreWhiteWithDarkRedBarsEdgedInBlack)
{
    // Bars 16 wide along the left and the right edge.
    for (int y = 0; y < 48; ++y) {
        EXPECT_EQ(PenAt(frame2, 0, y), 42);
        EXPECT_EQ(PenAt(frame2, 15, y), 42);
        EXPECT_EQ(PenAt(frame2, 16, y), 1);
        EXPECT_EQ(PenAt(frame2, 17, y), 2);
        EXPECT_EQ(PenAt(frame3, 47, y), 42);
        EXPECT_EQ(PenAt(frame3, 32, y), 42);
        EXPECT_EQ(PenAt(frame3, 31, y), 1);
        EXPECT_EQ(PenAt(frame3, 30, y), 2);
    }
    EXPECT_EQ(PenCounts(frame2).at(42), 16 * 48);
    EXPECT_EQ(PenCounts(frame3).at(42), 16 * 48);
    // A rail 8 high along the top.
    EXPECT_EQ(PenCounts(frame4).at(42), 48 * 8);
    for (int x = 0; x < 48; ++x) {
        EXPECT_EQ(PenAt(frame4, x, 7), 42);
        EXPECT_EQ(PenAt(frame4, x, 8), 1);
        EXPECT_EQ(PenAt(frame4, x, 9), 2);
    }
    // Blocks 18 × 8 in the top-left and the top-right corner.
    EXPECT_EQ(PenCounts(frame5).at(42), 18 * 8);
    EXPECT_EQ(PenAt(frame5, 0, 0), 42);
    EXPECT_EQ(PenAt(frame5, 17, 7), 42);
    EXPECT_EQ(PenAt(frame5, 18, 0), 1);
    EXPECT_EQ(PenAt(frame5, 0, 8), 1);
    EXPECT_EQ(PenAt(frame5, 47, 47), 2);
    EXPECT_EQ(PenCounts(frame6).at(42), 18 * 8);
    EXPECT_EQ(PenAt(frame6, 47, 0), 42);
    EXPECT_EQ(PenAt(frame6, 30, 7), 42);
    EXPECT_EQ(PenAt(frame6, 29, 0), 1);
    EXPECT_EQ(PenAt(frame6, 47, 8), 1);
    EXPECT_EQ(PenAt(frame6, 0, 47), 2);
    for (Image* piece : {&frame2, &frame3, &frame4, &frame5, &frame6}) {
        std::set<int> pens;
        for (const auto& [pen, count] : PenCounts(*piece))
            pens.insert(pen);
        EXPECT_EQ(pens, (std::set<int>{1, 2, 42}));
    }

    // The empty place is solid black.
    EXPECT_EQ(PenCounts(frame14), (std::map<int, int>{{1, 48 * 48}}));
}

TEST(BuiltinImages, ComboArrowsPointDownInPenOneAndInPenFifteen)
{
    const std::map<int, int> enabled = PenCounts(imgCbo);
    const std::map<int, int> disabled = PenCounts(imgCboDis);
    ASSERT_EQ(enabled.size(), 2u);
    ASSERT_EQ(disabled.size(), 2u);
    EXPECT_EQ(enabled.at(1), disabled.at(15));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(PenAt(imgCbo, x, y) == 1, PenAt(imgCboDis, x, y) == 15);
    // Pointing down: each row of the arrow is narrower than the one above it.
    int previous = 17;
    int rows = 0;
    for (int y = 0; y < 16; ++y) {
        int width = 0;
        for (int x = 0; x < 16; ++x)
            width += PenAt(imgCbo, x, y) == 1;
        if (width == 0)
            continue;
        EXPECT_LT(width, previous) << "row " << y;
        previous = width;
        ++rows;
    }
    EXPECT_GE(rows, 3);
}

TEST(BuiltinImages, LogosAreLetteredOnABlueGroundWithTheFlag)
{
    for (Image* logo : {LogoIFF, LogoIFFLarge}) {
        const std::map<int, int> counts = PenCounts(*logo);
        int blue = 0;
        for (int pen = 144; pen <= 159; ++pen)
            blue += counts.count(pen) ? counts.at(pen) : 0;
        EXPECT_GT(blue, logo->Width * logo->Height / 2);      // mostly blue ground
        EXPECT_GT(counts.count(10) ? counts.at(10) : 0, 200); // yellow lettering
        EXPECT_GT(counts.count(15) ? counts.at(15) : 0, 50);  // the flag's green,
        EXPECT_GT(counts.count(2) ? counts.at(2) : 0, 50);    // white
        EXPECT_GT(counts.count(17) ? counts.at(17) : 0, 50);  // and red
    }
}

TEST(BuiltinPalette, IsA256ColourLoadRGB32TableOf3080Bytes)
{
    static_assert(sizeof(palettedata) == 3080);
    EXPECT_EQ(palettedata[0], 256u << 16 | 0u);
    EXPECT_EQ(palettedata[769], 0u);

    const std::pair<int, ULONG> samples[] = {{0, 0xC0C0C0},   {1, 0x000000},   {2, 0xFFFFFF},   {4, 0x0000FF},
                                             {15, 0x00AA00},  {17, 0xFF0000},  {19, 0xFFFDE5},  {24, 0x7F7F7F},
                                             {42, 0x7F0000},  {69, 0xFCF440},  {101, 0x07BF00}, {144, 0x0000FF},
                                             {183, 0xFF00FF}, {207, 0x935043}, {254, 0xC72B2B}, {255, 0xFFFFFF}};
    for (const auto& [pen, rgb] : samples) {
        const TableColour colour = ColourOf(pen);
        EXPECT_EQ(colour.red, (rgb >> 16 & 0xFF) << 24) << "pen " << pen;
        EXPECT_EQ(colour.green, (rgb >> 8 & 0xFF) << 24) << "pen " << pen;
        EXPECT_EQ(colour.blue, (rgb & 0xFF) << 24) << "pen " << pen;
    }
    // Every intensity sits in the top byte.
    for (int i = 1; i < 769; ++i)
        EXPECT_EQ(palettedata[i] & 0x00FFFFFFu, 0u) << "word " << i;
}

TEST(BuiltinPalette, IsStoredLeastSignificantByteFirst)
{
    if constexpr (std::endian::native != std::endian::little)
        GTEST_SKIP() << "the table's bytes are laid out for a little-endian machine";
    unsigned char bytes[sizeof(palettedata)];
    std::memcpy(bytes, palettedata, sizeof bytes);
    const unsigned char header[] = {0x00, 0x00, 0x00, 0x01};
    EXPECT_EQ(std::memcmp(bytes, header, 4), 0);
    // Pen 3 is 00A6D6: its words start at byte 4 + 3 × 12.
    const unsigned char pen3[] = {0, 0, 0, 0x00, 0, 0, 0, 0xA6, 0, 0, 0, 0xD6};
    EXPECT_EQ(std::memcmp(bytes + 4 + 3 * 12, pen3, sizeof pen3), 0);
    const unsigned char terminator[] = {0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bytes + 3076, terminator, 4), 0);
}

TEST(BuiltinPalette, LoadsIntoAViewPortAsTheGameColours)
{
    ColorMap* colours = GetColorMap(256);
    ASSERT_NE(colours, nullptr);
    ViewPort viewPort{};
    viewPort.ColorMap = colours;
    LoadRGB32(&viewPort, palettedata);
    EXPECT_EQ(colours->ColorTable[0], 0xC0C0C0u);
    EXPECT_EQ(colours->ColorTable[3], 0x00A6D6u);
    EXPECT_EQ(colours->ColorTable[42], 0x7F0000u);
    EXPECT_EQ(colours->ColorTable[128], 0x5CBCFCu);
    EXPECT_EQ(colours->ColorTable[255], 0xFFFFFFu);
    FreeColorMap(colours);
}

// The sheet: the fifteen board pictures in a row, under them the large and the small logo
// and the two arrows, on a dark grey that sets every picture's edge apart, in the game's
// colours.
TEST(BuiltinImages, SheetOfEveryPictureMatchesTheGolden)
{
    constexpr int Width = 4 + 15 * 52;
    constexpr int Height = 4 + 48 + 4 + 75 + 4;
    constexpr ULONG DarkGrey = 27;
    BitMap* bitmap = AllocBitMap(Width, Height, 8, BMF_CLEAR, nullptr);
    ASSERT_NE(bitmap, nullptr);
    RastPort rp;
    InitRastPort(&rp);
    rp.BitMap = bitmap;
    SetRast(&rp, DarkGrey);
    for (int i = 0; lstImg[i] != nullptr; ++i)
        DrawImage(&rp, lstImg[i], 4 + 52 * i, 4);
    DrawImage(&rp, LogoIFFLarge, 4, 56);
    DrawImage(&rp, LogoIFF, 358, 56);
    DrawImage(&rp, &imgCbo, 526, 56);
    DrawImage(&rp, &imgCboDis, 546, 56);

    ColorMap* colours = GetColorMap(256);
    ASSERT_NE(colours, nullptr);
    ViewPort viewPort{};
    viewPort.ColorMap = colours;
    LoadRGB32(&viewPort, palettedata);
    const testsupport::PenPicture sheet = testsupport::CutBitMap(bitmap, 0, 0, Width, Height, colours->ColorTable);
    FreeColorMap(colours);
    FreeBitMap(bitmap);

    EXPECT_TRUE(testsupport::MatchesGolden(sheet, KESA_TEST_DATA_DIR "/builtin-pictures.png"));
    // The README shows the same sheet.
    EXPECT_TRUE(testsupport::MatchesGolden(sheet, KESA_TEST_DATA_DIR "/../../docs/builtin-pictures.png"));
}

} // namespace
