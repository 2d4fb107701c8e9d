// SPDX-License-Identifier: MIT
// Disk fonts from the system's scalable fonts: fontconfig finds the face file, FreeType
// renders every Latin-1 character once, monochrome, so the pixels stay exact pens.
#include "platform/diskfont/DiskFont.h"
#include "platform/graphics/Font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
#include <strings.h>
#include <string>
#include <vector>

namespace amiga {

namespace {

// The platform's classic font names and the system families that share their metrics,
// most faithful first.
std::vector<std::string> FamiliesFor(const char* name)
{
    std::string base(name);
    if (base.size() > 5 && strcasecmp(base.c_str() + base.size() - 5, ".font") == 0)
        base.resize(base.size() - 5);
    std::string lower = base;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower == "helvetica")
        return {"Liberation Sans", "Arimo", "Helvetica", "Arial"};
    if (lower == "times")
        return {"Liberation Serif", "Tinos", "Times New Roman", "Times"};
    if (lower == "courier")
        return {"Liberation Mono", "Cousine", "Courier New", "Courier"};
    return {base};
}

struct FaceFile {
    std::string path;
    int index = 0;
    bool bold = false;
    bool italic = false;
};

// The face file of `family` nearest to the wanted weight and slant; false when the family
// is not installed (fontconfig would otherwise answer with some other family).
bool FindFace(const std::string& family, bool bold, bool italic, FaceFile& found)
{
    if (!FcInit())
        return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return false;
    bool sameFamily = false;
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &value) == FcResultMatch; ++i)
        if (strcasecmp(reinterpret_cast<const char*>(value), family.c_str()) == 0)
            sameFamily = true;
    FcChar8* file = nullptr;
    int index = 0;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    const bool ok = sameFamily && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
    if (ok) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        found.path = reinterpret_cast<const char*>(file);
        found.index = index;
        found.bold = weight >= FC_WEIGHT_DEMIBOLD;
        found.italic = slant != FC_SLANT_ROMAN;
    }
    FcPatternDestroy(match);
    return ok;
}

internal::Glyph Render(FT_Face face, FT_ULong code, bool defined)
{
    internal::Glyph glyph;
    const FT_UInt index = defined ? FT_Get_Char_Index(face, code) : 0;
    if (defined && index == 0)
        return glyph;
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0)
        return glyph;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.defined = true;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.left = slot->bitmap_left;
    // The pen's row is the one resting on the baseline: bitmap_top rows lie above the
    // baseline line, so the top row sits bitmap_top - 1 rows above the pen.
    glyph.top = 1 - slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.bits.assign(static_cast<size_t>(glyph.width) * glyph.height, 0);
    for (int y = 0; y < glyph.height; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
        for (int x = 0; x < glyph.width; ++x) {
            const bool set =
                bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1 : row[x] >= 128;
            glyph.bits[static_cast<size_t>(y) * glyph.width + x] = set ? 1 : 0;
        }
    }
    return glyph;
}

std::unique_ptr<internal::LoadedFont> Load(const FaceFile& file, const TextAttr& attr)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.path.c_str(), file.index, &face) != 0) {
        FT_Done_FreeType(library);
        return nullptr;
    }
    // ta_YSize is the whole line, ascent plus descent, as a platform font's height is.
    FT_Size_RequestRec request{};
    request.type = FT_SIZE_REQUEST_TYPE_CELL;
    request.height = static_cast<FT_Long>(attr.ta_YSize) << 6;
    if (FT_Request_Size(face, &request) != 0) {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        return nullptr;
    }

    auto loaded = std::make_unique<internal::LoadedFont>();
    loaded->face = std::make_unique<internal::FontFace>();
    internal::FontFace& fontFace = *loaded->face;
    fontFace.name = attr.ta_Name;
    const int ascent =
        std::clamp(static_cast<int>((face->size->metrics.ascender + 32) >> 6), 1, static_cast<int>(attr.ta_YSize));
    // Latin-1: each byte is the code point of the same number.
    for (int c = 32; c < 256; ++c)
        if (c < 127 || c >= 160)
            fontFace.glyphs[static_cast<size_t>(c)] = Render(face, static_cast<FT_ULong>(c), true);
    fontFace.missing = Render(face, 0, false);
    int widest = 1;
    for (int c = 32; c < 127; ++c)
        widest = std::max(widest, fontFace.glyphs[static_cast<size_t>(c)].advance);

    const bool wantBold = attr.ta_Style & FSF_BOLD;
    const bool wantItalic = attr.ta_Style & FSF_ITALIC;
    UBYTE style = static_cast<UBYTE>(attr.ta_Style & (FSF_UNDERLINED | FSF_BOLD | FSF_ITALIC));
    fontFace.drawnStyles = static_cast<UBYTE>(attr.ta_Style & FSF_UNDERLINED);
    if (wantBold && !file.bold)
        fontFace.drawnStyles |= FSF_BOLD;
    if (wantItalic && !file.italic)
        fontFace.drawnStyles |= FSF_ITALIC;

    TextFont& font = loaded->font;
    font.tf_Name = fontFace.name.c_str();
    font.tf_YSize = attr.ta_YSize;
    font.tf_Baseline = static_cast<UWORD>(ascent - 1);
    font.tf_XSize = static_cast<UWORD>(widest);
    font.tf_Style = style;
    font.tf_Flags = static_cast<UBYTE>(FPF_DISKFONT | FPF_DESIGNED | (FT_IS_FIXED_WIDTH(face) ? 0 : FPF_PROPORTIONAL));
    font.tf_BoldSmear = 1;
    font.tf_LoChar = 32;
    font.tf_HiChar = 255;
    font.tf_Face = &fontFace;
    loaded->requestedSize = attr.ta_YSize;
    loaded->requestedStyle = attr.ta_Style;

    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return loaded;
}

} // namespace

TextFont* OpenDiskFont(const TextAttr* textAttr)
{
    // Taller fonts are refused: every character is rendered at open, and at tens of
    // thousands of pixels that alone would exhaust memory.
    constexpr UWORD kTallest = 1024;
    if (!textAttr || !textAttr->ta_Name || textAttr->ta_YSize == 0 || textAttr->ta_YSize > kTallest)
        return nullptr;
    if (internal::SameFontName(textAttr->ta_Name, "topaz.font"))
        return OpenFont(textAttr);
    if (TextFont* inMemory = internal::Fonts().FindExact(*textAttr))
        return inMemory;
    const bool bold = textAttr->ta_Style & FSF_BOLD;
    const bool italic = textAttr->ta_Style & FSF_ITALIC;
    for (const std::string& family : FamiliesFor(textAttr->ta_Name)) {
        FaceFile file;
        if (!FindFace(family, bold, italic, file))
            continue;
        auto loaded = Load(file, *textAttr);
        if (loaded)
            return internal::Fonts().Add(std::move(loaded));
    }
    return nullptr;
}

} // namespace amiga
