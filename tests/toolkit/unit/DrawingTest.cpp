// SPDX-License-Identifier: MIT
// Drawing: primitives and boxed text checked pixel by pixel on small bitmaps.
#include "toolkit/controls/Drawing.h"

#include "platform/graphics/Graphics.h"
#include "platform/intuition/Images.h"
#include "toolkit/controls/Font.h"

#include <gtest/gtest.h>

#include <string>

using namespace amiga;

namespace {

// A bitmap with a RastPort drawing into it.
struct Canvas {
    BitMap* bitmap = nullptr;
    RastPort rp{};

    Canvas(int width, int height, UBYTE fill = 0)
    {
        bitmap = AllocBitMap(static_cast<ULONG>(width), static_cast<ULONG>(height), 8, BMF_CLEAR, nullptr);
        InitRastPort(&rp);
        rp.BitMap = bitmap;
        if (fill)
            SetRast(&rp, fill);
    }
    ~Canvas() { FreeBitMap(bitmap); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int At(int x, int y) const { return bitmap->Pixels[y * bitmap->BytesPerRow + x]; }
    int Width() const { return bitmap->Width; }
    int Height() const { return bitmap->Rows; }
};

// Where two canvases differ, as "(x,y) a!=b" lines; empty when they are equal.
std::string Differences(const Canvas& actual, const Canvas& expected)
{
    std::string out;
    int shown = 0;
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.At(x, y) != expected.At(x, y) && shown++ < 12)
                out += "(" + std::to_string(x) + "," + std::to_string(y) + ") " + std::to_string(actual.At(x, y)) +
                       "!=" + std::to_string(expected.At(x, y)) + " ";
    return out;
}

int CountPen(const Canvas& c, int pen)
{
    int n = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            n += c.At(x, y) == pen ? 1 : 0;
    return n;
}

// The text as the platform draws it with its baseline at (x, baseline).
void ReferenceText(Canvas& c, TextFont* font, int x, int baseline, const std::string& s, ULONG fg)
{
    if (font)
        SetFont(&c.rp, font);
    SetAPen(&c.rp, fg);
    Move(&c.rp, x, baseline);
    Text(&c.rp, s.c_str(), static_cast<ULONG>(s.size()));
}

void ReferenceFill(Canvas& c, int x0, int y0, int x1, int y1, ULONG pen)
{
    SetAPen(&c.rp, pen);
    RectFill(&c.rp, x0, y0, x1, y1);
}

} // namespace

TEST(DrawingTest, FillRectangleFillsWholeAreaAndOutlinesOnePixelInside)
{
    Canvas c(14, 14);
    SetAPen(&c.rp, 7);
    Drawing d(&c.rp);
    d.DrawFillRectangle(0, 0, 10, 10, 1, 3, 5);
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 14; ++x) {
            int expected = 0;
            if (x <= 9 && y <= 9)
                expected = 5;
            if (x <= 8 && y <= 8 && (x == 0 || y == 0 || x == 8 || y == 8))
                expected = 3;
            ASSERT_EQ(c.At(x, y), expected) << "at " << x << "," << y;
        }
    }
    EXPECT_EQ(GetAPen(&c.rp), 7u);

    // Without a border only the fill is drawn.
    Canvas plain(6, 6);
    Drawing(&plain.rp).DrawFillRectangle(1, 1, 3, 3, 0, 3, 5);
    EXPECT_EQ(plain.At(1, 1), 5);
    EXPECT_EQ(plain.At(3, 3), 5);
    EXPECT_EQ(plain.At(4, 4), 0);
    EXPECT_EQ(plain.At(0, 0), 0);
}

TEST(DrawingTest, RectangleOutlinesAndThickening)
{
    // Thickness 0 draws a one-pixel outline of x..x+w-1 × y..y+h-1.
    Canvas thin(10, 10);
    Drawing(&thin.rp).DrawRectangle(1, 1, 5, 4, 0, 2);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 1 && x <= 5 && y >= 1 && y <= 4;
            const bool edge = inside && (x == 1 || x == 5 || y == 1 || y == 4);
            ASSERT_EQ(thin.At(x, y), edge ? 2 : 0) << "at " << x << "," << y;
        }

    // A thick outline grows downwards on top and bottom, to the right on both sides.
    Canvas thick(12, 12);
    Drawing(&thick.rp).DrawRectangle(0, 0, 6, 6, 2, 4);
    EXPECT_EQ(thick.At(2, 1), 4); // top edge, second row
    EXPECT_EQ(thick.At(2, 6), 4); // bottom edge (y = 5) grew to y = 6
    EXPECT_EQ(thick.At(6, 2), 4); // right edge (x = 5) grew to x = 6
    EXPECT_EQ(thick.At(1, 2), 4); // left edge grew to x = 1
    EXPECT_EQ(thick.At(2, 2), 0); // the inside stays clear
    EXPECT_EQ(thick.At(7, 2), 0);

    // The round forms ignore the radius.
    Canvas round(14, 14), square(14, 14);
    Drawing(&round.rp).DrawFillRoundRectangle(1, 1, 10, 8, 4, 1, 3, 6);
    Drawing(&square.rp).DrawFillRectangle(1, 1, 10, 8, 1, 3, 6);
    EXPECT_EQ(Differences(round, square), "");
}

TEST(DrawingTest, LinesThickenAndPatternedLinesLeaveSolidPatternBehind)
{
    Canvas c(20, 12);
    SetAPen(&c.rp, 9);
    Drawing d(&c.rp);

    d.DrawLine(0, 0, 15, 0, 1, 1, 3); // dashed: 0xCCCC
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(c.At(x, 0), (x % 4) < 2 ? 3 : 0) << "dashed at " << x;
    EXPECT_EQ(c.rp.LinePtrn, 0xFFFF);
    EXPECT_EQ(c.rp.linpatcnt, 15);
    EXPECT_EQ(GetAPen(&c.rp), 9u);

    d.DrawLine(0, 2, 15, 2, 2, 1, 4); // dotted: 0xAAAA
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(c.At(x, 2), (x % 2) == 0 ? 4 : 0) << "dotted at " << x;
    EXPECT_EQ(c.rp.LinePtrn, 0xFFFF);

    d.DrawLine(0, 4, 15, 4, 5); // solid after the patterned ones: every pixel
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(c.At(x, 4), 5) << "solid at " << x;

    d.DrawLine(0, 6, 3, 6, 2, 6); // horizontal, thickness 2: rows 6 and 7
    EXPECT_EQ(c.At(0, 7), 6);
    EXPECT_EQ(c.At(3, 7), 6);
    EXPECT_EQ(c.At(0, 8), 0);

    d.DrawLine(10, 6, 10, 9, 3, 7); // vertical, thickness 3: columns 10..12
    EXPECT_EQ(c.At(12, 9), 7);
    EXPECT_EQ(c.At(13, 9), 0);

    d.DrawLine(16, 0, 19, 3, 0, 8); // thickness 0 draws nothing
    EXPECT_EQ(c.At(16, 0), 0);
}

TEST(DrawingTest, PixelsPolylinesAndImages)
{
    Canvas c(16, 16);
    SetAPen(&c.rp, 1);
    Drawing d(&c.rp);
    d.DrawPixel(3, 4, 12);
    EXPECT_EQ(c.At(3, 4), 12);
    EXPECT_EQ(d.GetColorPixel(3, 4), 12);
    EXPECT_EQ(GetAPen(&c.rp), 1u);

    const tagPOINT path[] = {{0, 10}, {4, 10}, {4, 14}};
    d.DrawPolyline(path, 3, 1, 2);
    for (int x = 0; x <= 4; ++x)
        EXPECT_EQ(c.At(x, 10), 2);
    for (int y = 10; y <= 14; ++y)
        EXPECT_EQ(c.At(4, y), 2);
    EXPECT_EQ(c.At(3, 11), 0);
    EXPECT_EQ(c.rp.LinePtrn, 0xFFFF);

    // A 2 × 2 picture of one plane: pen 1 on the diagonal, drawn at (8, 1).
    // Image words are stored most significant byte first on every host.
    alignas(UWORD) UBYTE data[] = {0x80, 0x00, 0x40, 0x00};
    Image image{};
    image.Width = 2;
    image.Height = 2;
    image.Depth = 1;
    image.ImageData = reinterpret_cast<UWORD*>(data);
    image.PlanePick = 1;
    d.DrawImageEx(8, 1, 40, 40, &image);
    EXPECT_EQ(c.At(8, 1), 1);
    EXPECT_EQ(c.At(9, 2), 1);
    EXPECT_EQ(c.At(9, 1), 0);
    EXPECT_EQ(c.At(10, 3), 0);
}

TEST(DrawingTest, PrintTextSingleLineFillsBoxCentresVerticallyAndAligns)
{
    Font font; // topaz 8: 8 pixels high, 8 wide
    TextFont* tf = font.GetTextFont();
    ASSERT_NE(tf, nullptr);
    ASSERT_EQ(tf->tf_YSize, 8);
    ASSERT_EQ(tf->tf_XSize, 8);

    struct Case {
        int align;
        int expectedX;
    };
    // Box (10, 5) 60 × 20; "AB" is 16 wide.
    for (Case k : {Case{0, 10}, Case{1, 54}, Case{2, 32}, Case{7, 32}}) {
        Canvas actual(80, 32), expected(80, 32);
        SetAPen(&actual.rp, 11);
        SetBPen(&actual.rp, 12);
        Drawing(&actual.rp).PrintText(10, 5, 60, 20, "AB", 2, 4, &font, k.align);
        EXPECT_EQ(GetAPen(&actual.rp), 11u);
        EXPECT_EQ(GetBPen(&actual.rp), 12u);

        ReferenceFill(expected, 10, 5, 69, 24, 4);
        SetBPen(&expected.rp, 4);
        ReferenceText(expected, tf, k.expectedX, 5 + 8 + (20 - 8) / 2, "AB", 2);
        EXPECT_EQ(Differences(actual, expected), "") << "align " << k.align;
        EXPECT_GT(CountPen(actual, 2), 10); // the glyphs are there
        EXPECT_EQ(actual.At(10, 5), 4);     // the box's corners carry the background
        EXPECT_EQ(actual.At(69, 24), 4);
        EXPECT_EQ(actual.At(70, 24), 0);
    }

    // Without background, nothing outside the glyph cells changes; without boxFlag the line
    // is not centred vertically.
    Canvas actual(80, 32), expected(80, 32);
    Drawing(&actual.rp).PrintText(10, 5, 60, 20, "AB", 2, -1, &font, 0, 0);
    ReferenceText(expected, tf, 10, 5 + 8, "AB", 2);
    EXPECT_EQ(Differences(actual, expected), "");
}

TEST(DrawingTest, PrintTextWrapsAtWordsThenInsideWords)
{
    Font font;
    TextFont* tf = font.GetTextFont();
    ASSERT_NE(tf, nullptr);

    // The second word does not fit: the first line starts at the left edge whatever the
    // alignment; the second goes one line lower, right-aligned, not centred, still on the
    // background pen the box set.
    {
        Canvas actual(60, 40), expected(60, 40);
        Drawing(&actual.rp).PrintText(4, 2, 40, 30, "AAA BBB", 2, 4, &font, 1);
        ReferenceFill(expected, 4, 2, 43, 31, 4);
        SetBPen(&expected.rp, 4);
        ReferenceText(expected, tf, 4, 2 + 8, "AAA", 2);
        ReferenceText(expected, tf, 4 + 40 - 24, 2 + 16, "BBB", 2);
        EXPECT_EQ(Differences(actual, expected), "");
        EXPECT_GT(CountPen(actual, 2), 20);
    }
    // A word wider than the box with no space before it is cut inside the word.
    {
        Canvas actual(60, 40), expected(60, 40);
        SetBPen(&actual.rp, 0);
        Drawing(&actual.rp).PrintText(0, 0, 40, 30, "ABCDEFGH", 2, -1, &font, 2);
        ReferenceText(expected, tf, 0, 8, "ABCDE", 2);
        ReferenceText(expected, tf, (40 - 24) / 2, 16, "FGH", 2);
        EXPECT_EQ(Differences(actual, expected), "");
    }
    // An empty line between two lines vanishes; the unwrapped first line keeps its alignment.
    {
        Canvas actual(60, 40), expected(60, 40);
        Drawing(&actual.rp).PrintText(0, 0, 40, 30, "AB\n\nCD", 2, -1, &font, 1);
        ReferenceText(expected, tf, 24, 8, "AB", 2);
        ReferenceText(expected, tf, 24, 16, "CD", 2);
        EXPECT_EQ(Differences(actual, expected), "");
    }
}

TEST(DrawingTest, PrintTextStopsWhenBoxIsFullOrTooLow)
{
    Font font;
    TextFont* tf = font.GetTextFont();
    ASSERT_NE(tf, nullptr);

    // A box lower than the font draws nothing, not even its background.
    {
        Canvas actual(40, 20, 1), expected(40, 20, 1);
        Drawing(&actual.rp).PrintText(0, 0, 30, 7, "AB", 2, 4, &font, 0);
        EXPECT_EQ(Differences(actual, expected), "");
    }
    // Without a font the line is 10 high: a 9-pixel box draws nothing, a 20-pixel box
    // centres the line in its 10 pixels.
    {
        Canvas actual(40, 30, 1), expected(40, 30, 1);
        Drawing(&actual.rp).PrintText(0, 0, 30, 9, "AB", 2, 4, nullptr, 0);
        EXPECT_EQ(Differences(actual, expected), "");
        Drawing(&actual.rp).PrintText(0, 0, 30, 20, "AB", 2, 4, nullptr, 0);
        ReferenceFill(expected, 0, 0, 29, 19, 4);
        SetBPen(&expected.rp, 4);
        ReferenceText(expected, nullptr, 0, 10 + 5, "AB", 2);
        EXPECT_EQ(Differences(actual, expected), "");
    }
    // A box exactly two lines high prints two lines of three and nothing below itself.
    {
        Canvas actual(40, 40), expected(40, 40);
        Drawing(&actual.rp).PrintText(0, 0, 30, 16, "A\nB\nC", 2, -1, &font, 0);
        ReferenceText(expected, tf, 0, 8, "A", 2);
        ReferenceText(expected, tf, 0, 16, "B", 2);
        EXPECT_EQ(Differences(actual, expected), "");
    }
    // A box without a size neither wraps nor stops: every line is printed.
    {
        Canvas actual(40, 40), expected(40, 40);
        Drawing(&actual.rp).PrintText(0, 0, 0, 0, "A\nB\nC", 2, 4, &font, 1);
        SetBPen(&expected.rp, 4);
        ReferenceText(expected, tf, 0, 8, "A", 2);
        ReferenceText(expected, tf, 0, 16, "B", 2);
        ReferenceText(expected, tf, 0, 24, "C", 2);
        EXPECT_EQ(Differences(actual, expected), "");
    }
}

TEST(DrawingTest, PrintTextInABoxNarrowerThanOneCharacterEnds)
{
    Font font;
    ASSERT_NE(font.GetTextFont(), nullptr);
    struct Case {
        const char* text;
        Font* font;
    };
    // Very tall boxes: a pass that takes nothing from the text would recurse until the
    // stack is gone.
    const Case cases[] = {{"AB", &font}, {"A B\nC", &font}, {"AB", nullptr}, {"x", &font}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Canvas actual(40, 40), expected(40, 40);
        Drawing(&actual.rp).PrintText(0, 0, 4, 4000000, c.text, 2, -1, c.font, 0);
        EXPECT_EQ(Differences(actual, expected), "");
    }
}

TEST(DrawingTest, PrintTextLeavesTheRastPortWithItsOwnFont)
{
    Canvas c(60, 20);
    TextFont* const own = c.rp.Font;
    {
        Font disk("helvetica.font", 13);
        disk.SetRomFont(0);
        ASSERT_NE(disk.GetTextFont(), nullptr);
        ASSERT_NE(disk.GetTextFont(), own);
        Drawing(&c.rp).PrintText(0, 0, 60, 20, "Ab", 2, -1, &disk, 0);
        EXPECT_NE(CountPen(c, 2), 0); // drawn in the element's font...
        EXPECT_EQ(c.rp.Font, own);    // ...which the RastPort does not keep
    }
    // The disk font is closed now; the RastPort still draws in its own.
    Canvas expected(60, 20);
    SetRast(&c.rp, 0);
    ReferenceText(c, nullptr, 0, 10, "Ab", 2);
    ReferenceText(expected, nullptr, 0, 10, "Ab", 2);
    EXPECT_EQ(Differences(c, expected), "");
}

TEST(DrawingTest, FontMetrics)
{
    Canvas c(4, 4);
    Drawing d(&c.rp);
    Font topaz8;
    Font topaz9("topaz.font", 9);
    EXPECT_EQ(d.GetHeightFont(&topaz8), 8);
    EXPECT_EQ(d.GetHeightFont(&topaz9), 9);
    EXPECT_EQ(d.GetHeightFont(static_cast<Font*>(nullptr)), 10);
    EXPECT_EQ(d.GetHeightFont(), 10);
    EXPECT_EQ(d.GetWidthFont(&topaz8), 8);
    EXPECT_EQ(d.GetWidthMaxFont(&topaz8), 8);
    EXPECT_EQ(d.GetWidthFont(), 8);
    EXPECT_EQ(d.GetWidthMaxFont(), 8);
    EXPECT_EQ(d.GetStringWidth("abc"), -1);
    // A font that does not open measures as the default instead of failing.
    Font missing("nosuchfont.font", 12);
    EXPECT_EQ(d.GetHeightFont(&missing), 10);
}
