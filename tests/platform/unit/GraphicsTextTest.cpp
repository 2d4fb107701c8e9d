// SPDX-License-Identifier: MIT
// The ROM fonts and Text: glyph placement on the baseline, draw modes, styles, lengths.
#include "platform/graphics/Graphics.h"
#include "RastPortFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace amiga;

namespace {

const TextAttr kTopaz8{"topaz.font", 8, FS_NORMAL, FPF_ROMFONT};
const TextAttr kTopaz9{"topaz.font", 9, FS_NORMAL, FPF_ROMFONT};

class GraphicsText : public RastPortFixture {
protected:
    GraphicsText() : RastPortFixture(64, 32) {}
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(RastPortFixture::SetUp());
        SetAPen(&rp, 1);
        SetBPen(&rp, 4);
        SetDrMd(&rp, JAM1);
    }

    // The pixels of a width × height area as rows of '#' (pen `pen`), '.' (0) or 'o' (other).
    std::vector<std::string> Area(int x0, int y0, int width, int height, LONG pen = 1)
    {
        std::vector<std::string> rows;
        for (int y = y0; y < y0 + height; ++y) {
            std::string row;
            for (int x = x0; x < x0 + width; ++x) {
                const LONG p = ReadPixel(&rp, x, y);
                row += p == pen ? '#' : p == 0 ? '.' : 'o';
            }
            rows.push_back(row);
        }
        return rows;
    }

    // The glyph of one character as rows of '#' and '.', drawn alone in JAM1.
    std::vector<std::string> GlyphOf(TextFont* font, char c)
    {
        SetRast(&rp, 0);
        SetFont(&rp, font);
        SetDrMd(&rp, JAM1);
        Move(&rp, 8, 16);
        Text(&rp, &c, 1);
        return Area(8, 16 - font->tf_Baseline, 8, font->tf_YSize);
    }
};

TEST_F(GraphicsText, TopazSizesAndMatching)
{
    TextFont* topaz8 = OpenFont(&kTopaz8);
    TextFont* topaz9 = OpenFont(&kTopaz9);
    ASSERT_NE(topaz8, nullptr);
    ASSERT_NE(topaz9, nullptr);
    EXPECT_EQ(topaz8->tf_YSize, 8);
    EXPECT_EQ(topaz8->tf_XSize, 8);
    EXPECT_EQ(topaz8->tf_Baseline, 6);
    EXPECT_EQ(topaz9->tf_YSize, 9);
    EXPECT_EQ(topaz9->tf_Baseline, 6);
    EXPECT_TRUE(topaz8->tf_Flags & FPF_ROMFONT);
    EXPECT_FALSE(topaz8->tf_Flags & FPF_PROPORTIONAL);

    // Other sizes get the nearer ROM size; names are not case-sensitive.
    const TextAttr big{"Topaz.font", 15, FS_NORMAL, FPF_ROMFONT};
    const TextAttr small{"topaz.font", 5, FS_NORMAL, FPF_ROMFONT};
    TextFont* nearBig = OpenFont(&big);
    TextFont* nearSmall = OpenFont(&small);
    EXPECT_EQ(nearBig, topaz9);
    EXPECT_EQ(nearSmall, topaz8);
    EXPECT_EQ(topaz9->tf_Accessors, 2);

    const TextAttr unknown{"helvetica.font", 8, FS_NORMAL, FPF_ROMFONT};
    EXPECT_EQ(OpenFont(&unknown), nullptr);
    EXPECT_EQ(OpenFont(nullptr), nullptr);

    CloseFont(nearBig);
    CloseFont(nearSmall);
    CloseFont(topaz9);
    CloseFont(topaz8);
    EXPECT_EQ(topaz9->tf_Accessors, 0);
    EXPECT_EQ(OpenFont(&kTopaz8), topaz8); // ROM fonts stay in memory
    CloseFont(topaz8);
}

TEST_F(GraphicsText, GlyphSitsOnTheBaselineAndThePenAdvances)
{
    SetFont(&rp, OpenFont(&kTopaz8));
    Move(&rp, 10, 20);
    Text(&rp, "H", 1);
    EXPECT_EQ(rp.cp_x, 18);
    EXPECT_EQ(rp.cp_y, 20);
    // Rows 14 (baseline - 6) to 21 (one below the baseline).
    const std::vector<std::string> expected = {
        "........", "##..##..", "##..##..", "##..##..", "######..",
        "##..##..", "##..##..", "##..##..", "........", "........",
    };
    EXPECT_EQ(Area(10, 13, 8, 10), expected);

    // A descender goes below the baseline row.
    SetRast(&rp, 0);
    Move(&rp, 0, 20);
    Text(&rp, "p", 1);
    EXPECT_EQ(Area(0, 20, 8, 2), (std::vector<std::string>{"##......", "##......"}));
    EXPECT_EQ(Area(0, 22, 8, 1), (std::vector<std::string>{"........"}));
}

TEST_F(GraphicsText, Jam2FillsTheCellAndInverseVideoSwaps)
{
    SetFont(&rp, OpenFont(&kTopaz8));
    SetDrMd(&rp, JAM2);
    Move(&rp, 10, 20);
    Text(&rp, "I", 1);
    // The cell: 8 wide from the pen, rows 14..21; glyph pixels in the A pen, the rest B.
    EXPECT_EQ(ReadPixel(&rp, 10, 14), 4);
    EXPECT_EQ(ReadPixel(&rp, 11, 14), 1);
    EXPECT_EQ(ReadPixel(&rp, 17, 21), 4);
    EXPECT_EQ(ReadPixel(&rp, 18, 14), 0);
    EXPECT_EQ(ReadPixel(&rp, 10, 13), 0);
    EXPECT_EQ(ReadPixel(&rp, 10, 22), 0);

    SetDrMd(&rp, JAM2 | INVERSVID);
    Move(&rp, 30, 20);
    Text(&rp, "I", 1);
    EXPECT_EQ(ReadPixel(&rp, 30, 14), 1);
    EXPECT_EQ(ReadPixel(&rp, 31, 14), 4);

    // JAM1 leaves the background alone.
    SetRast(&rp, 7);
    SetDrMd(&rp, JAM1);
    Move(&rp, 10, 20);
    Text(&rp, "I", 1);
    EXPECT_EQ(ReadPixel(&rp, 10, 14), 7);
    EXPECT_EQ(ReadPixel(&rp, 11, 14), 1);
}

TEST_F(GraphicsText, LengthsAndSoftStyles)
{
    SetFont(&rp, OpenFont(&kTopaz8));
    EXPECT_EQ(TextLength(&rp, "Hello", 5), 40);
    EXPECT_EQ(TextLength(&rp, "Hello", 0), 0);
    const ULONG before = bitmap->Changes;
    TextLength(&rp, "Hello", 5);
    EXPECT_EQ(bitmap->Changes, before);

    EXPECT_EQ(AskSoftStyle(&rp), ULONG{FSF_UNDERLINED | FSF_BOLD | FSF_ITALIC});
    EXPECT_EQ(SetSoftStyle(&rp, FSF_BOLD | FSF_EXTENDED, 0xFF), ULONG{FSF_BOLD});
    EXPECT_EQ(TextLength(&rp, "Hello", 5), 45); // one pixel of smear per character
    Move(&rp, 0, 10);
    Text(&rp, "I", 1);
    // The bar of the I (columns 1..4) smeared one pixel right.
    EXPECT_EQ(Area(0, 4, 8, 1), (std::vector<std::string>{".#####.."}));
    EXPECT_EQ(rp.cp_x, 9);

    SetSoftStyle(&rp, FSF_UNDERLINED, FSF_BOLD | FSF_UNDERLINED);
    SetRast(&rp, 0);
    Move(&rp, 0, 10);
    Text(&rp, "..", 2);
    EXPECT_EQ(Area(0, 11, 17, 1), (std::vector<std::string>{"################."}));
}

TEST_F(GraphicsText, EveryPrintableCharacterHasItsOwnGlyphInBothSizes)
{
    for (const TextAttr* attr : {&kTopaz8, &kTopaz9}) {
        TextFont* font = OpenFont(attr);
        ASSERT_NE(font, nullptr);
        std::set<std::vector<std::string>> seen;
        for (int c = 33; c <= 126; ++c) {
            const std::vector<std::string> glyph = GlyphOf(font, static_cast<char>(c));
            bool inked = false;
            for (const std::string& row : glyph)
                inked = inked || row.find('#') != std::string::npos;
            EXPECT_TRUE(inked) << "empty glyph for '" << static_cast<char>(c) << "' size " << attr->ta_YSize;
            EXPECT_TRUE(seen.insert(glyph).second)
                << "'" << static_cast<char>(c) << "' looks like another glyph, size " << attr->ta_YSize;
        }
        const std::vector<std::string> space = GlyphOf(font, ' ');
        EXPECT_EQ(space, std::vector<std::string>(font->tf_YSize, "........"));
        CloseFont(font);
    }
}

TEST_F(GraphicsText, TopazNineKeepsTheXHeightOfDescenders)
{
    TextFont* topaz9 = OpenFont(&kTopaz9);
    const std::vector<std::string> o = GlyphOf(topaz9, 'o');
    const std::vector<std::string> g = GlyphOf(topaz9, 'g');
    // Rows 2..6 (x-height to baseline) are inked in both; g goes on to rows 7 and 8.
    for (int row = 2; row <= 6; ++row) {
        EXPECT_NE(o[static_cast<size_t>(row)], "........") << row;
        EXPECT_NE(g[static_cast<size_t>(row)], "........") << row;
    }
    EXPECT_NE(g[7], "........");
    EXPECT_NE(g[8], "........");
    EXPECT_EQ(o[7], "........");
    CloseFont(topaz9);
}

TEST_F(GraphicsText, AccentedLettersAndUnknownCharacters)
{
    TextFont* topaz8 = OpenFont(&kTopaz8);
    const std::vector<std::string> e = GlyphOf(topaz8, 'e');
    const std::vector<std::string> eGrave = GlyphOf(topaz8, static_cast<char>(0xE8));
    EXPECT_NE(eGrave, e);
    for (size_t row = 2; row < 8; ++row)
        EXPECT_EQ(eGrave[row], e[row]);
    // A control character shows the box of unknown characters, not nothing.
    const std::vector<std::string> unknown = GlyphOf(topaz8, '\x01');
    EXPECT_EQ(unknown[0], "######..");
    CloseFont(topaz8);
}

TEST_F(GraphicsText, TextOutsideTheBitmapIsClipped)
{
    SetFont(&rp, OpenFont(&kTopaz8));
    SetDrMd(&rp, JAM2);
    Move(&rp, -4, 3); // half of the first glyph and the rows above the bitmap cut away
    Text(&rp, "HH", 2);
    EXPECT_EQ(rp.cp_x, 12);
    EXPECT_EQ(Area(0, 0, 4, 1, 1), (std::vector<std::string>{"##oo"}));
    Move(&rp, 30000, 30000);
    Text(&rp, "far away", 8);
    Move(&rp, -30000, 10);
    Text(&rp, "far away", 8);
    EXPECT_EQ(ReadPixel(&rp, 63, 31), 0);
}

TEST_F(GraphicsText, ARastPortWithoutFontDrawsInTopazEight)
{
    RastPort bare{};
    bare.BitMap = bitmap;
    bare.Mask = 0xFF;
    bare.FgPen = 1;
    bare.ClipRect = {0, 0, 0x7FFF, 0x7FFF};
    EXPECT_EQ(TextLength(&bare, "abc", 3), 24);
    Move(&bare, 0, 10);
    Text(&bare, "H", 1);
    EXPECT_EQ(ReadPixel(&rp, 0, 5), 1);
}

} // namespace
