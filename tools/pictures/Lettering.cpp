// SPDX-License-Identifier: MIT
// Lettering: the platform's own text drawing into a scratch bitmap, so the logos are set
// in exactly the glyphs the program shows everywhere else.
#include "tools/pictures/Lettering.h"

#include "platform/graphics/Graphics.h"

#include <memory>

namespace pictures {

namespace {

struct BitMapDeleter {
    void operator()(amiga::BitMap* bitmap) const { amiga::FreeBitMap(bitmap); }
};

struct FontCloser {
    void operator()(amiga::TextFont* font) const { amiga::CloseFont(font); }
};

} // namespace

PenCanvas SetInRomFont(const std::string& text, LetteringStyle style)
{
    const amiga::TextAttr attr{"topaz.font", static_cast<amiga::UWORD>(style.fontSize), amiga::FS_NORMAL,
                               amiga::FPF_ROMFONT};
    std::unique_ptr<amiga::TextFont, FontCloser> font(amiga::OpenFont(&attr));
    if (!font)
        return PenCanvas(0, 0);

    amiga::RastPort measure;
    amiga::InitRastPort(&measure);
    amiga::SetFont(&measure, font.get());
    if (style.bold)
        amiga::SetSoftStyle(&measure, amiga::FSF_BOLD, amiga::FSF_BOLD);
    const auto* characters = reinterpret_cast<amiga::CONST_STRPTR>(text.c_str());
    const auto count = static_cast<amiga::ULONG>(text.size());
    const int width = amiga::TextLength(&measure, characters, count);
    const int height = font->tf_YSize;
    if (width <= 0)
        return PenCanvas(0, 0);

    std::unique_ptr<amiga::BitMap, BitMapDeleter> bitmap(amiga::AllocBitMap(
        static_cast<amiga::ULONG>(width), static_cast<amiga::ULONG>(height), 8, amiga::BMF_CLEAR, nullptr));
    if (!bitmap)
        return PenCanvas(0, 0);
    amiga::RastPort rp;
    amiga::InitRastPort(&rp);
    rp.BitMap = bitmap.get();
    amiga::SetFont(&rp, font.get());
    if (style.bold)
        amiga::SetSoftStyle(&rp, amiga::FSF_BOLD, amiga::FSF_BOLD);
    amiga::SetAPen(&rp, 1);
    amiga::SetDrMd(&rp, amiga::JAM1);
    amiga::Move(&rp, 0, font->tf_Baseline);
    amiga::Text(&rp, characters, count);

    PenCanvas mask(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            mask.Set(x, y, static_cast<Pen>(amiga::ReadPixel(&rp, x, y)));
    return mask;
}

} // namespace pictures
