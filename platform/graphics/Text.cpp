// SPDX-License-Identifier: MIT
// Fonts in memory, Text and its measurements, soft styles.
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Internal.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <vector>

namespace amiga {

namespace internal {

FontList& Fonts()
{
    static FontList list;
    return list;
}

void FontList::EnsureRomFonts()
{
    for (const auto& f : fonts_)
        if (f->face->rom)
            return;
    fonts_.push_back(MakeTopaz8());
    fonts_.push_back(MakeTopaz9());
}

TextFont* FontList::Find(const TextAttr& attr)
{
    EnsureRomFonts();
    LoadedFont* best = nullptr;
    int bestSize = 0;
    int bestStyle = 0;
    for (const auto& f : fonts_) {
        if (!SameFontName(f->font.tf_Name, attr.ta_Name))
            continue;
        const int sizeDistance = std::abs(static_cast<int>(f->font.tf_YSize) - attr.ta_YSize);
        const int styleDistance = std::popcount(static_cast<unsigned>((f->font.tf_Style ^ attr.ta_Style) & 7));
        if (!best || sizeDistance < bestSize || (sizeDistance == bestSize && styleDistance < bestStyle)) {
            best = f.get();
            bestSize = sizeDistance;
            bestStyle = styleDistance;
        }
    }
    if (!best)
        return nullptr;
    ++best->font.tf_Accessors;
    return &best->font;
}

TextFont* FontList::FindExact(const TextAttr& attr)
{
    for (const auto& f : fonts_) {
        if (!f->face->rom && SameFontName(f->font.tf_Name, attr.ta_Name) && f->requestedSize == attr.ta_YSize &&
            f->requestedStyle == attr.ta_Style) {
            ++f->font.tf_Accessors;
            return &f->font;
        }
    }
    return nullptr;
}

TextFont* FontList::Add(std::unique_ptr<LoadedFont> font)
{
    font->font.tf_Accessors = 1;
    fonts_.push_back(std::move(font));
    return &fonts_.back()->font;
}

void FontList::Close(TextFont* font)
{
    auto it = std::find_if(fonts_.begin(), fonts_.end(), [font](const auto& f) { return &f->font == font; });
    if (it == fonts_.end())
        return; // not one of ours (or already gone after a reset): nothing to release
    LoadedFont& loaded = **it;
    if (loaded.font.tf_Accessors > 0)
        --loaded.font.tf_Accessors;
    if (loaded.font.tf_Accessors == 0 && !loaded.face->rom)
        fonts_.erase(it);
}

TextFont* DefaultFont()
{
    static const TextAttr topaz8{"topaz.font", 8, FS_NORMAL, FPF_ROMFONT};
    TextFont* font = Fonts().Find(topaz8);
    if (font && font->tf_Accessors > 0)
        --font->tf_Accessors; // the default font is borrowed, never closed
    return font;
}

} // namespace internal

TextFont* OpenFont(const TextAttr* textAttr)
{
    if (!textAttr || !textAttr->ta_Name)
        return nullptr;
    return internal::Fonts().Find(*textAttr);
}

void CloseFont(TextFont* font)
{
    if (font)
        internal::Fonts().Close(font);
}

LONG SetFont(RastPort* rp, TextFont* font)
{
    if (!rp || !font)
        return FALSE;
    rp->Font = font;
    rp->TxHeight = font->tf_YSize;
    rp->TxWidth = font->tf_XSize;
    rp->TxBaseline = font->tf_Baseline;
    return TRUE;
}

namespace {

const TextFont* FontOf(const RastPort* rp)
{
    return rp && rp->Font && rp->Font->tf_Face ? rp->Font : internal::DefaultFont();
}

UBYTE StylesOf(const RastPort* rp, const TextFont* font)
{
    return static_cast<UBYTE>(((rp ? rp->AlgoStyle : 0) | font->tf_Face->drawnStyles) &
                              (FSF_UNDERLINED | FSF_BOLD | FSF_ITALIC));
}

int Advance(const RastPort* rp, const TextFont* font, UBYTE styles, UBYTE c)
{
    int advance = font->tf_Face->For(c).advance + (rp ? rp->TxSpacing : 0);
    if (styles & FSF_BOLD)
        advance += font->tf_BoldSmear;
    return advance;
}

// How far a row of an italic glyph leans right: half a pixel per row above the baseline.
int Slant(int rowFromBaseline)
{
    return (-rowFromBaseline) >> 1;
}

} // namespace

WORD TextLength(RastPort* rp, CONST_STRPTR string, ULONG count)
{
    const TextFont* font = FontOf(rp);
    if (!font || !string)
        return 0;
    const UBYTE styles = StylesOf(rp, font);
    int length = 0;
    for (ULONG i = 0; i < count; ++i)
        length += Advance(rp, font, styles, static_cast<UBYTE>(string[i]));
    return static_cast<WORD>(length);
}

LONG Text(RastPort* rp, CONST_STRPTR string, ULONG count)
{
    const TextFont* font = FontOf(rp);
    if (!rp || !font || !string || count == 0)
        return 0;
    const UBYTE styles = StylesOf(rp, font);
    const internal::FontFace& face = *font->tf_Face;
    const int penX = rp->cp_x;
    const int penY = rp->cp_y;
    const int width = TextLength(rp, string, count);
    rp->cp_x = static_cast<WORD>(penX + width);

    internal::Canvas canvas(rp);
    if (canvas.Empty())
        return 0;

    // The line is first drawn into a mask of the text's cell (0 outside the cell,
    // 1 background, 2 glyph pixel); then the draw mode turns the mask into pixels. Glyph
    // pixels that reach beyond the cell (italic lean, overhangs) widen the mask.
    const int top = penY - font->tf_Baseline;
    int rows = font->tf_YSize;
    if ((styles & FSF_UNDERLINED) && penY + 1 >= top + rows)
        rows = penY + 2 - top;
    int left = 0;
    int right = std::max(width, 1);
    {
        int x = 0;
        for (ULONG i = 0; i < count; ++i) {
            const UBYTE c = static_cast<UBYTE>(string[i]);
            const internal::Glyph& glyph = face.For(c);
            left = std::min(left, x + glyph.left + ((styles & FSF_ITALIC) ? Slant(glyph.top + glyph.height - 1) : 0));
            int extra = ((styles & FSF_BOLD) ? font->tf_BoldSmear : 0) + ((styles & FSF_ITALIC) ? Slant(glyph.top) : 0);
            right = std::max(right, x + glyph.left + glyph.width + extra);
            x += Advance(rp, font, styles, c);
        }
    }
    const int maskWidth = right - left;
    std::vector<UBYTE> mask(static_cast<size_t>(maskWidth) * rows, 0);
    auto at = [&](int x, int y) -> UBYTE& { return mask[static_cast<size_t>(y) * maskWidth + (x - left)]; };
    for (int y = 0; y < std::min<int>(rows, font->tf_YSize); ++y)
        for (int x = 0; x < width; ++x)
            at(x, y) = 1;

    int x = 0;
    for (ULONG i = 0; i < count; ++i) {
        const UBYTE c = static_cast<UBYTE>(string[i]);
        const internal::Glyph& glyph = face.For(c);
        for (int gy = 0; gy < glyph.height; ++gy) {
            const int rowFromBaseline = glyph.top + gy;
            const int y = rowFromBaseline + font->tf_Baseline;
            if (y < 0 || y >= rows)
                continue;
            const int lean = (styles & FSF_ITALIC) ? Slant(rowFromBaseline) : 0;
            const UBYTE* bits = glyph.bits.data() + static_cast<size_t>(gy) * glyph.width;
            for (int gx = 0; gx < glyph.width; ++gx) {
                if (!bits[gx])
                    continue;
                const int px = x + glyph.left + gx + lean;
                at(px, y) = 2;
                if (styles & FSF_BOLD)
                    for (int s = 1; s <= font->tf_BoldSmear; ++s)
                        at(px + s, y) = 2;
            }
        }
        x += Advance(rp, font, styles, c);
    }
    if (styles & FSF_UNDERLINED) {
        const int y = font->tf_Baseline + 1;
        for (int ux = 0; ux < width; ++ux)
            at(ux, y) = 2;
    }

    for (int y = 0; y < rows; ++y) {
        const int py = top + y;
        if (py < canvas.MinY() || py > canvas.MaxY())
            continue;
        for (int mx = left; mx < right; ++mx) {
            const UBYTE value = at(mx, y);
            const int px = penX + mx;
            if (value != 0 && px >= canvas.MinX() && px <= canvas.MaxX())
                canvas.Plot(px, py, value == 2);
        }
    }
    canvas.Touch();
    return 0;
}

ULONG AskSoftStyle(const RastPort* rp)
{
    const TextFont* font = FontOf(rp);
    if (!font)
        return 0;
    return static_cast<ULONG>(~font->tf_Style & (FSF_UNDERLINED | FSF_BOLD | FSF_ITALIC));
}

ULONG SetSoftStyle(RastPort* rp, ULONG style, ULONG enable)
{
    if (!rp)
        return 0;
    const TextFont* font = FontOf(rp);
    const ULONG allowed = enable & AskSoftStyle(rp);
    rp->AlgoStyle = static_cast<UBYTE>((rp->AlgoStyle & ~allowed) | (style & allowed));
    return rp->AlgoStyle | (font ? font->tf_Style : 0);
}

} // namespace amiga
