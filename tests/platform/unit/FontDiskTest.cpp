// SPDX-License-Identifier: MIT
// Disk fonts through fontconfig and FreeType (the system's Liberation faces).
#include "platform/diskfont/DiskFont.h"
#include "RastPortFixture.h"

#include <gtest/gtest.h>

using namespace amiga;

namespace {

class FontDisk : public RastPortFixture {
protected:
    FontDisk() : RastPortFixture(200, 60) {}
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(RastPortFixture::SetUp());
        SetAPen(&rp, 3);
        SetDrMd(&rp, JAM1);
    }
};

TEST_F(FontDisk, HelveticaOpensAtTheRequestedHeightAndDrawsInsideItsCell)
{
    const TextAttr helvetica{"helvetica.font", 24, FS_NORMAL, FPF_DISKFONT};
    TextFont* font = OpenDiskFont(&helvetica);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->tf_YSize, 24);
    EXPECT_GT(font->tf_Baseline, 12);
    EXPECT_LT(font->tf_Baseline, 24);
    EXPECT_TRUE(font->tf_Flags & FPF_DISKFONT);
    EXPECT_TRUE(font->tf_Flags & FPF_PROPORTIONAL);

    SetFont(&rp, font);
    EXPECT_EQ(rp.TxHeight, 24);
    EXPECT_LT(TextLength(&rp, "iiii", 4), TextLength(&rp, "WWWW", 4));
    const int baseline = 40;
    const int top = baseline - font->tf_Baseline;
    Move(&rp, 5, baseline);
    Text(&rp, "Hg", 2);
    EXPECT_EQ(rp.cp_x, 5 + TextLength(&rp, "Hg", 2));
    int inked = 0;
    bool capitalReachesUp = false;
    bool descenderBelowBaseline = false;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            const LONG pen = ReadPixel(&rp, x, y);
            ASSERT_TRUE(pen == 0 || pen == 3) << "not a pen of the text at " << x << "," << y;
            if (pen != 3)
                continue;
            ++inked;
            EXPECT_GE(y, top);
            EXPECT_LT(y, top + 24);
            capitalReachesUp = capitalReachesUp || y <= baseline - 12;
            descenderBelowBaseline = descenderBelowBaseline || y > baseline + 2;
        }
    }
    EXPECT_GT(inked, 50);
    EXPECT_TRUE(capitalReachesUp);
    EXPECT_TRUE(descenderBelowBaseline);
    CloseFont(font);
}

TEST_F(FontDisk, UnknownFamiliesAreNotReplacedByAnotherFace)
{
    const TextAttr madeUp{"zqxwvfontthatisnot.font", 18, FS_NORMAL, FPF_DISKFONT};
    EXPECT_EQ(OpenDiskFont(&madeUp), nullptr);
    EXPECT_EQ(OpenDiskFont(nullptr), nullptr);
    const TextAttr zeroSize{"helvetica.font", 0, FS_NORMAL, FPF_DISKFONT};
    EXPECT_EQ(OpenDiskFont(&zeroSize), nullptr);
    const TextAttr hugeSize{"helvetica.font", 60000, FS_NORMAL, FPF_DISKFONT};
    EXPECT_EQ(OpenDiskFont(&hugeSize), nullptr) << "refused, not rendered until memory runs out";
}

TEST_F(FontDisk, TimesCourierAndTopaz)
{
    const TextAttr times{"times.font", 18, FS_NORMAL, FPF_DISKFONT};
    const TextAttr courier{"courier.font", 13, FS_NORMAL, FPF_DISKFONT};
    const TextAttr topaz{"topaz.font", 9, FS_NORMAL, FPF_DISKFONT};
    TextFont* serif = OpenDiskFont(&times);
    TextFont* mono = OpenDiskFont(&courier);
    TextFont* rom = OpenDiskFont(&topaz);
    ASSERT_NE(serif, nullptr);
    ASSERT_NE(mono, nullptr);
    ASSERT_NE(rom, nullptr);
    EXPECT_EQ(serif->tf_YSize, 18);
    EXPECT_FALSE(mono->tf_Flags & FPF_PROPORTIONAL);
    SetFont(&rp, mono);
    EXPECT_EQ(TextLength(&rp, "iiii", 4), TextLength(&rp, "WWWW", 4));
    EXPECT_TRUE(rom->tf_Flags & FPF_ROMFONT);
    EXPECT_EQ(rom->tf_YSize, 9);
    CloseFont(serif);
    CloseFont(mono);
    CloseFont(rom);
}

TEST_F(FontDisk, OpenFontFindsDiskFontsOnlyWhileTheyAreInMemory)
{
    const TextAttr helvetica{"helvetica.font", 24, FS_NORMAL, FPF_DISKFONT};
    EXPECT_EQ(OpenFont(&helvetica), nullptr);
    TextFont* first = OpenDiskFont(&helvetica);
    TextFont* second = OpenDiskFont(&helvetica);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->tf_Accessors, 2);
    TextFont* viaOpenFont = OpenFont(&helvetica);
    EXPECT_EQ(viaOpenFont, first);
    CloseFont(viaOpenFont);
    CloseFont(second);
    CloseFont(first);
    EXPECT_EQ(OpenFont(&helvetica), nullptr);
}

TEST_F(FontDisk, BoldAndUnderlinedRequests)
{
    const TextAttr plain{"helvetica.font", 18, FS_NORMAL, FPF_DISKFONT};
    const TextAttr bold{"helvetica.font", 18, FSF_BOLD, FPF_DISKFONT};
    const TextAttr underlined{"helvetica.font", 18, FSF_UNDERLINED, FPF_DISKFONT};
    TextFont* regular = OpenDiskFont(&plain);
    TextFont* heavy = OpenDiskFont(&bold);
    TextFont* lined = OpenDiskFont(&underlined);
    ASSERT_NE(regular, nullptr);
    ASSERT_NE(heavy, nullptr);
    ASSERT_NE(lined, nullptr);
    EXPECT_NE(regular, heavy);
    EXPECT_TRUE(heavy->tf_Style & FSF_BOLD);
    EXPECT_TRUE(lined->tf_Style & FSF_UNDERLINED);
    EXPECT_EQ(AskSoftStyle(&rp) & FSF_UNDERLINED, ULONG{FSF_UNDERLINED});

    SetFont(&rp, regular);
    const WORD regularWidth = TextLength(&rp, "Codebreaker", 11);
    SetFont(&rp, heavy);
    EXPECT_GT(TextLength(&rp, "Codebreaker", 11), regularWidth);

    SetFont(&rp, lined);
    Move(&rp, 10, 30);
    Text(&rp, "ab", 2);
    for (int x = 10; x < rp.cp_x; ++x)
        EXPECT_EQ(ReadPixel(&rp, x, 31), 3) << x;
    CloseFont(regular);
    CloseFont(heavy);
    CloseFont(lined);
}

} // namespace
