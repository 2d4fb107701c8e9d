// SPDX-License-Identifier: MIT
// Turns the ROM fonts' ASCII art into glyphs, and adds the accented letters of Latin-1 that
// Italian text needs by putting an accent over the plain letter.
#include "platform/graphics/Font.h"

#include <strings.h>

namespace amiga::internal {

namespace {

constexpr int kWidth = 8;

Glyph FromArt(const char* const* rows, int height, int baseline)
{
    Glyph glyph;
    glyph.defined = true;
    glyph.advance = kWidth;
    glyph.width = kWidth;
    glyph.height = height;
    glyph.top = -baseline;
    glyph.bits.assign(static_cast<size_t>(kWidth) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < kWidth && rows[y][x] != '\0'; ++x)
            glyph.bits[static_cast<size_t>(y) * kWidth + x] = rows[y][x] == '#' ? 1 : 0;
    return glyph;
}

// Two rows drawn above a lower-case letter (rows 0 and 1, over its x-height).
const char* const kGrave[] = {".##.....", "..##...."};
const char* const kAcute[] = {"...##...", "..##...."};
const char* const kCircumflex[] = {"..##....", ".#..#..."};
const char* const kDiaeresis[] = {".##.##..", "........"};
const char* const kTilde[] = {".##..#..", "#..##..."};

struct Accented {
    unsigned char code;
    char base;
    const char* const* accent; // null: the plain letter (no room above a capital)
};

const Accented kAccented[] = {
    {0xC0, 'A', nullptr},     {0xC1, 'A', nullptr},    {0xC2, 'A', nullptr},     {0xC4, 'A', nullptr},
    {0xC7, 'C', nullptr},     {0xC8, 'E', nullptr},    {0xC9, 'E', nullptr},     {0xCA, 'E', nullptr},
    {0xCB, 'E', nullptr},     {0xCC, 'I', nullptr},    {0xCD, 'I', nullptr},     {0xCE, 'I', nullptr},
    {0xCF, 'I', nullptr},     {0xD1, 'N', nullptr},    {0xD2, 'O', nullptr},     {0xD3, 'O', nullptr},
    {0xD4, 'O', nullptr},     {0xD6, 'O', nullptr},    {0xD9, 'U', nullptr},     {0xDA, 'U', nullptr},
    {0xDB, 'U', nullptr},     {0xDC, 'U', nullptr},    {0xE0, 'a', kGrave},      {0xE1, 'a', kAcute},
    {0xE2, 'a', kCircumflex}, {0xE4, 'a', kDiaeresis}, {0xE8, 'e', kGrave},      {0xE9, 'e', kAcute},
    {0xEA, 'e', kCircumflex}, {0xEB, 'e', kDiaeresis}, {0xEC, 'i', kGrave},      {0xED, 'i', kAcute},
    {0xEE, 'i', kCircumflex}, {0xEF, 'i', kDiaeresis}, {0xE7, 'c', nullptr},     {0xF1, 'n', kTilde},
    {0xF2, 'o', kGrave},      {0xF3, 'o', kAcute},     {0xF4, 'o', kCircumflex}, {0xF6, 'o', kDiaeresis},
    {0xF9, 'u', kGrave},      {0xFA, 'u', kAcute},     {0xFB, 'u', kCircumflex}, {0xFC, 'u', kDiaeresis},
};

void AddAccented(FontFace& face)
{
    for (const Accented& a : kAccented) {
        Glyph glyph = face.glyphs[static_cast<UBYTE>(a.base)];
        if (a.accent) {
            // The accent replaces whatever is above the x-height (the dot of the i).
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < kWidth; ++x)
                    glyph.bits[static_cast<size_t>(y) * kWidth + x] = a.accent[y][x] == '#' ? 1 : 0;
        }
        face.glyphs[a.code] = glyph;
    }
    face.glyphs[0xA0] = face.glyphs[' ']; // no-break space
}

} // namespace

std::unique_ptr<LoadedFont> MakeRomFont(const char* const* art, int first, int count, int rows, int baseline)
{
    auto loaded = std::make_unique<LoadedFont>();
    loaded->face = std::make_unique<FontFace>();
    FontFace& face = *loaded->face;
    face.name = "topaz.font";
    face.rom = true;
    for (int i = 0; i < count; ++i)
        face.glyphs[static_cast<size_t>(first + i)] = FromArt(art + static_cast<long>(i) * rows, rows, baseline);
    AddAccented(face);

    // Characters without a picture show a box, as the platform shows its "unknown" glyph.
    std::vector<const char*> box(static_cast<size_t>(rows), "........");
    box[0] = "######..";
    for (int y = 1; y < baseline; ++y)
        box[static_cast<size_t>(y)] = "#....#..";
    box[static_cast<size_t>(baseline)] = "######..";
    face.missing = FromArt(box.data(), rows, baseline);

    TextFont& font = loaded->font;
    font.tf_Name = face.name.c_str();
    font.tf_YSize = static_cast<UWORD>(rows);
    font.tf_XSize = kWidth;
    font.tf_Baseline = static_cast<UWORD>(baseline);
    font.tf_Style = FS_NORMAL;
    font.tf_Flags = FPF_ROMFONT | FPF_DESIGNED;
    font.tf_BoldSmear = 1;
    font.tf_LoChar = 32;
    font.tf_HiChar = 255;
    font.tf_Face = &face;
    loaded->requestedSize = font.tf_YSize;
    return loaded;
}

bool SameFontName(const char* a, const char* b)
{
    return a && b && strcasecmp(a, b) == 0;
}

} // namespace amiga::internal
