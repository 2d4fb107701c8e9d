// SPDX-License-Identifier: MIT
// Drawing: pens, lines, rectangles, images and boxed text on one RastPort.
#include "toolkit/controls/Drawing.h"

#include "toolkit/controls/Font.h"
#include "toolkit/core/GUIElement.h"

#include <cctype>
#include <vector>

using namespace amiga;

namespace {

constexpr UWORD SolidPattern = 0xFFFF;
constexpr UWORD DashedPattern = 0xCCCC;
constexpr UWORD DottedPattern = 0xAAAA;
constexpr int DefaultLineHeight = 10;
constexpr int DefaultFontWidth = 8;

// Coordinates reach the platform as 16-bit values, sums included.
WORD Coord(long value)
{
    return static_cast<WORD>(value);
}

std::string TrimWhiteSpace(const std::string& text)
{
    size_t first = 0;
    while (first < text.size() && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    size_t last = text.size();
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    return text.substr(first, last - first);
}

TextFont* OpenedFont(Font* font)
{
    return font ? font->GetTextFont() : nullptr;
}

// Holds the A pen (and optionally the B pen) and puts them back when the primitive ends.
class PenKeeper {
public:
    explicit PenKeeper(RastPort* rastPort) : rp(rastPort), aPen(GetAPen(rastPort)), bPen(GetBPen(rastPort)) {}
    ~PenKeeper()
    {
        SetAPen(rp, aPen);
        if (restoreB)
            SetBPen(rp, bPen);
    }
    PenKeeper(const PenKeeper&) = delete;
    PenKeeper& operator=(const PenKeeper&) = delete;
    void KeepBackground() { restoreB = true; }

private:
    RastPort* rp;
    ULONG aPen;
    ULONG bPen;
    bool restoreB = false;
};

// Puts the RastPort's font back when the text is drawn: the element's font may be closed
// long before the RastPort is next used.
class FontKeeper {
public:
    explicit FontKeeper(RastPort* rastPort) : rp(rastPort), kept(*rastPort) {}
    ~FontKeeper()
    {
        // Field by field: SetFont refuses a null font, which a RastPort may hold.
        rp->Font = kept.Font;
        rp->TxHeight = kept.TxHeight;
        rp->TxWidth = kept.TxWidth;
        rp->TxBaseline = kept.TxBaseline;
    }
    FontKeeper(const FontKeeper&) = delete;
    FontKeeper& operator=(const FontKeeper&) = delete;

private:
    RastPort* rp;
    RastPort kept;
};

} // namespace

Drawing::Drawing(RastPort* rastPort) : rp(rastPort) {}

Drawing::~Drawing() = default;

long Drawing::GetColorPixel(int x, int y)
{
    return ReadPixel(rp, x, y);
}

void Drawing::DrawPixel(int x, int y, long colour)
{
    PenKeeper pens(rp);
    SetAPen(rp, static_cast<ULONG>(colour));
    WritePixel(rp, x, y);
}

void Drawing::SetLinePattern(int type)
{
    if (type == KesaLineDashed)
        SetDrPt(rp, DashedPattern);
    else if (type == KesaLineDotted)
        SetDrPt(rp, DottedPattern);
}

void Drawing::DrawLine(int x1, int y1, int x2, int y2, int type, int thickness, long colour)
{
    const bool patterned = type == KesaLineDashed || type == KesaLineDotted;
    SetLinePattern(type);
    {
        PenKeeper pens(rp);
        SetAPen(rp, static_cast<ULONG>(colour));
        for (int i = 0; i < thickness; ++i) {
            if (y1 == y2) {
                Move(rp, x1, Coord(y1 + i));
                Draw(rp, x2, Coord(y2 + i));
            } else {
                Move(rp, Coord(x1 + i), y1);
                Draw(rp, Coord(x2 + i), y2);
            }
        }
    }
    if (patterned)
        SetDrPt(rp, SolidPattern);
}

void Drawing::DrawLine(int x1, int y1, int x2, int y2, int thickness, long colour)
{
    DrawLine(x1, y1, x2, y2, KesaLineSolid, thickness, colour);
}

void Drawing::DrawLine(int x1, int y1, int x2, int y2, long colour)
{
    DrawLine(x1, y1, x2, y2, KesaLineSolid, 1, colour);
}

void Drawing::DrawRectangle(int x, int y, int w, int h, int thickness, long colour)
{
    if (thickness == 0)
        thickness = 1;
    const int right = Coord(x + w - 1);
    const int bottom = Coord(y + h - 1);
    DrawLine(x, y, right, y, thickness, colour);
    DrawLine(right, y, right, bottom, thickness, colour);
    DrawLine(x, bottom, right, bottom, thickness, colour);
    DrawLine(x, bottom, x, y, thickness, colour);
}

void Drawing::DrawFillRectangle(int x, int y, int w, int h, int borderThickness, long borderColour, long fillColour)
{
    {
        PenKeeper pens(rp);
        SetAPen(rp, static_cast<ULONG>(fillColour));
        RectFill(rp, x, y, Coord(x + w - 1), Coord(y + h - 1));
    }
    if (borderThickness > 0)
        DrawRectangle(x, y, w - 1, h - 1, borderThickness, borderColour);
}

void Drawing::DrawRoundRectangle(int x, int y, int w, int h, int /*radius*/, int thickness, long colour)
{
    DrawRectangle(x, y, w, h, thickness, colour);
}

void Drawing::DrawFillRoundRectangle(int x, int y, int w, int h, int /*radius*/, int borderThickness, long borderColour,
                                     long fillColour)
{
    DrawFillRectangle(x, y, w, h, borderThickness, borderColour, fillColour);
}

void Drawing::DrawPolyline(const tagPOINT* points, int count, int type, int thickness, long colour)
{
    if (!points || count <= 0)
        return;
    std::vector<WORD> path(static_cast<size_t>(count) * 2);
    for (int i = 0; i < count; ++i) {
        path[static_cast<size_t>(i) * 2] = Coord(points[i].x);
        path[static_cast<size_t>(i) * 2 + 1] = Coord(points[i].y);
    }
    const bool patterned = type == KesaLineDashed || type == KesaLineDotted;
    {
        PenKeeper pens(rp);
        SetAPen(rp, static_cast<ULONG>(colour));
        SetLinePattern(type);
        std::vector<bool> horizontal(static_cast<size_t>(count), false);
        for (int i = 1; i < count; ++i)
            horizontal[static_cast<size_t>(i)] = points[i].y == points[i - 1].y;
        for (int pass = 0; pass < thickness; ++pass) {
            if (pass > 0) {
                // Each further pass moves the path one pixel: right, or down along a
                // horizontal segment.
                path[0] = Coord(path[0] + 1);
                for (int i = 1; i < count; ++i) {
                    const size_t at = static_cast<size_t>(i) * 2;
                    if (horizontal[static_cast<size_t>(i)])
                        path[at + 1] = Coord(path[at + 1] + 1);
                    else
                        path[at] = Coord(path[at] + 1);
                }
            }
            Move(rp, path[0], path[1]);
            PolyDraw(rp, count, path.data());
        }
    }
    if (patterned)
        SetDrPt(rp, SolidPattern);
}

void Drawing::DrawPolyline(const tagPOINT* points, int count, int thickness, long colour)
{
    DrawPolyline(points, count, KesaLineSolid, thickness, colour);
}

void Drawing::DrawImageEx(int x, int y, const Image* image)
{
    if (image)
        DrawImage(rp, image, x, y);
}

void Drawing::DrawImageEx(int x, int y, int /*w*/, int /*h*/, const Image* image)
{
    DrawImageEx(x, y, image);
}

void Drawing::PrintText(int x, int y, int w, int h, const std::string& text, long fgColour, long bgColour, Font* font,
                        int align)
{
    PrintText(x, y, w, h, text, fgColour, bgColour, font, align, 1);
}

void Drawing::PrintText(int x, int y, int w, int h, const std::string& text, long fgColour, long bgColour, Font* font,
                        int align, int boxFlag)
{
    // A font that does not open prints as no font at all rather than crashing on its metrics.
    TextFont* textFont = OpenedFont(font);
    int lineHeight = DefaultLineHeight;
    FontKeeper fonts(rp);
    if (textFont) {
        SetFont(rp, textFont);
        lineHeight = textFont->tf_YSize;
        if (h > 0 && lineHeight > h)
            return;
    } else if (h <= 9) {
        return;
    }

    std::string line = text;
    bool hasRest = false;
    const size_t lineFeed = text.find('\n');
    if (lineFeed != std::string::npos) {
        line = text.substr(0, lineFeed);
        hasRest = true;
    }

    // Without a font the text is measured in the default font, whatever the RastPort holds.
    auto measure = [&](const std::string& s) -> int {
        if (textFont)
            return TextLength(rp, s.c_str(), static_cast<ULONG>(s.size()));
        IntuiText measured{};
        measured.IText = s.c_str();
        return static_cast<int>(IntuiTextLength(&measured));
    };

    int textWidth = 0;
    bool wrapped = false;
    if (w > 0 && h > 0) {
        textWidth = measure(line);
        while (textWidth > w && !line.empty()) {
            const char moved = line.back();
            line.pop_back();
            hasRest = true;
            if (std::isalpha(static_cast<unsigned char>(moved))) {
                const size_t space = line.rfind(' ');
                if (space != std::string::npos)
                    line.erase(space);
            }
            wrapped = true;
            textWidth = measure(line);
        }
    }

    PenKeeper pens(rp);
    SetAPen(rp, static_cast<ULONG>(fgColour));
    if (bgColour != -1 && boxFlag != 0) {
        if (w > 0 && h > 0)
            DrawFillRectangle(x, y, w, h, 0, 0, bgColour);
        SetBPen(rp, static_cast<ULONG>(bgColour));
        pens.KeepBackground();
    }

    int textX = x;
    if (!(hasRest && wrapped) && textWidth != 0) {
        if (align == KesaAlignLeft)
            textX = x;
        else if (align == KesaAlignRight)
            textX = x + w - textWidth;
        else
            textX = x + (w - textWidth) / 2;
    }
    int baseline = y + lineHeight;
    if (!hasRest && boxFlag != 0)
        baseline += (h - lineHeight) / 2;
    Move(rp, Coord(textX), Coord(baseline));
    Text(rp, line.c_str(), static_cast<ULONG>(line.size()));

    if (!hasRest)
        return;
    // A bounded box that is used up ends the text here, even when its last line filled it
    // exactly; only a box without height prints every line.
    const int remaining = h - lineHeight;
    if (h > 0 && remaining <= 0)
        return;
    const std::string rest = TrimWhiteSpace(text.substr(line.size()));
    // A box narrower than the next character takes nothing from the text: every further
    // line would be the same empty one.
    if (rest.empty() || rest.size() >= text.size())
        return;
    PrintText(x, y + lineHeight, w, remaining, rest, fgColour, bgColour, font, align, 0);
}

int Drawing::GetHeightFont(Font* font)
{
    TextFont* textFont = OpenedFont(font);
    return textFont ? textFont->tf_YSize : DefaultLineHeight;
}

int Drawing::GetHeightFont(GUIElement* element)
{
    return element ? GetHeightFont(element->GetFonts()) : DefaultLineHeight;
}

int Drawing::GetHeightFont()
{
    return DefaultLineHeight;
}

int Drawing::GetWidthFont(Font* font)
{
    TextFont* textFont = OpenedFont(font);
    return textFont ? textFont->tf_XSize : DefaultFontWidth;
}

int Drawing::GetWidthFont()
{
    return DefaultFontWidth;
}

int Drawing::GetWidthMaxFont(Font* font)
{
    return GetWidthFont(font);
}

int Drawing::GetWidthMaxFont()
{
    return DefaultFontWidth;
}

int Drawing::GetStringWidth(GUIElement* element, const std::string& text)
{
    const int width = element ? GetWidthFont(element->GetFonts()) : DefaultFontWidth;
    return width * static_cast<int>(text.size());
}

int Drawing::GetStringWidth(const std::string& /*text*/)
{
    return -1;
}
