// SPDX-License-Identifier: MIT
// The font descriptor: defaults, the platform request it makes, lazy opening, ownership of
// the platform font and what happens when a font does not open.
#include "toolkit/controls/Font.h"
#include "toolkit/core/GUIElement.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(FontTest, DefaultsDescribeTopazEightFromRom)
{
    Font font;
    EXPECT_EQ(font.GetNome(), "topaz.font");
    EXPECT_EQ(font.GetSize(), 8);
    EXPECT_EQ(font.GetBold() + font.GetItalic() + font.GetUnderline() + font.GetFixed(), 0);
    EXPECT_EQ(font.GetRomFont(), 1);
    const amiga::TextAttr request = font.GetHFONT();
    EXPECT_STREQ(request.ta_Name, "topaz.font");
    EXPECT_EQ(request.ta_YSize, 8);
    EXPECT_EQ(request.ta_Style, amiga::FS_NORMAL);
    EXPECT_EQ(request.ta_Flags, amiga::FPF_ROMFONT);

    Font named("times.font");
    EXPECT_EQ(named.GetNome(), "times.font");
    EXPECT_EQ(named.GetSize(), 8);
    Font sized("times.font", 18);
    EXPECT_EQ(sized.GetSize(), 18);
    EXPECT_EQ(sized.GetRomFont(), 1);
}

TEST(FontTest, RequestCarriesOneStyleOnlyAndTheDiskFlag)
{
    Font font("helvetica.font", 24);
    font.SetBold(1);
    font.SetItalic(1);
    font.SetUnderline(1);
    EXPECT_EQ(font.GetHFONT().ta_Style, amiga::FSF_ITALIC);
    font.SetItalic(0);
    EXPECT_EQ(font.GetHFONT().ta_Style, amiga::FSF_BOLD);
    font.SetBold(0);
    EXPECT_EQ(font.GetHFONT().ta_Style, amiga::FSF_UNDERLINED);
    font.SetFixed(1); // stored only
    font.SetUnderline(0);
    EXPECT_EQ(font.GetHFONT().ta_Style, amiga::FS_NORMAL);
    EXPECT_EQ(font.GetFixed(), 1);
    font.SetRomFont(0);
    EXPECT_EQ(font.GetHFONT().ta_Flags, amiga::FPF_DISKFONT);
    EXPECT_EQ(font.GetHFONT().ta_YSize, 24);

    font.Init("topaz.font", 9);
    EXPECT_EQ(font.GetBold() + font.GetItalic() + font.GetUnderline() + font.GetFixed(), 0);
    EXPECT_EQ(font.GetRomFont(), 1);
    EXPECT_EQ(font.GetSize(), 9);
}

TEST(FontTest, ElementFontRequestsAreTheDocumentedOnes)
{
    const amiga::TextAttr* requests[] = {&GUIElement::Topaz8, &GUIElement::Topaz9, &GUIElement::Times18,
                                         &GUIElement::Helvetica24};
    const char* names[] = {"topaz.font", "topaz.font", "times.font", "helvetica.font"};
    const int sizes[] = {8, 9, 18, 24};
    const int flags[] = {amiga::FPF_ROMFONT, amiga::FPF_ROMFONT, amiga::FPF_DISKFONT, amiga::FPF_DISKFONT};
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(requests[i]->ta_Name, names[i]);
        EXPECT_EQ(requests[i]->ta_YSize, sizes[i]);
        EXPECT_EQ(requests[i]->ta_Style, 0);
        EXPECT_EQ(requests[i]->ta_Flags, flags[i]);
    }
}

TEST(FontTest, OpensLazilyAndClosesWhatItOpened)
{
    Font probe;
    amiga::TextFont* rom = probe.GetTextFont();
    ASSERT_NE(rom, nullptr);
    EXPECT_EQ(rom->tf_YSize, 8);
    const amiga::UWORD accessors = rom->tf_Accessors;
    {
        Font font;
        EXPECT_EQ(rom->tf_Accessors, accessors); // nothing opened before first use
        EXPECT_EQ(font.GetTextFont(), rom);
        EXPECT_EQ(rom->tf_Accessors, accessors + 1);
        EXPECT_EQ(font.GetTextFont(), rom); // opened once
        EXPECT_EQ(rom->tf_Accessors, accessors + 1);
        font.FontOpen(); // reopening closes the old handle first
        EXPECT_EQ(rom->tf_Accessors, accessors + 1);
    }
    EXPECT_EQ(rom->tf_Accessors, accessors);
}

TEST(FontTest, CopiesOpenTheirOwnHandle)
{
    Font probe;
    amiga::TextFont* rom = probe.GetTextFont();
    ASSERT_NE(rom, nullptr);
    const amiga::UWORD accessors = rom->tf_Accessors;
    {
        Font original;
        original.GetTextFont();
        Font copy(original);
        Font assigned("times.font", 18);
        assigned = original;
        EXPECT_EQ(rom->tf_Accessors, accessors + 1);
        EXPECT_EQ(copy.GetTextFont(), rom);
        EXPECT_EQ(assigned.GetTextFont(), rom);
        EXPECT_EQ(rom->tf_Accessors, accessors + 3);
        original.Init("topaz.font", 8); // closes rather than drops its handle
        EXPECT_EQ(rom->tf_Accessors, accessors + 2);
    }
    EXPECT_EQ(rom->tf_Accessors, accessors);
}

TEST(FontTest, AFontThatDoesNotOpenLeavesNoHandleAndIsTriedAgain)
{
    Font missing("nosuch.font", 12);
    EXPECT_EQ(missing.GetTextFont(), nullptr);
    missing.SetRomFont(0);
    EXPECT_EQ(missing.GetTextFont(), nullptr); // no disk font of that family either

    missing.Init("topaz.font", 9);
    amiga::TextFont* opened = missing.GetTextFont();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->tf_YSize, 9);
}

} // namespace
