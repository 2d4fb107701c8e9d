// SPDX-License-Identifier: MIT
// Font: an element's font descriptor (name, size, styles) with the platform font opened on
// first use.
#pragma once

#include "platform/graphics/Graphics.h"

#include <string>

class Font {
public:
    Font();
    explicit Font(std::string fontName);
    Font(std::string fontName, int fontSize);
    // A copy describes the same font but opens its own handle when first used, so that
    // two descriptors never close one platform font twice.
    Font(const Font& other);
    Font& operator=(const Font& other);
    ~Font();

    // Sets name and size, clears the styles and marks a ROM font; an open handle is closed
    // so that the next use opens the new description.
    void Init(std::string fontName, int fontSize);

    // Plain field access; a setter does not reopen a font that is already open.
    void SetBold(short value) { bold = value; }
    void SetItalic(short value) { italic = value; }
    void SetUnderline(short value) { underline = value; }
    void SetFixed(short value) { fixed = value; }
    void SetRomFont(short value) { romFont = value; }
    short GetBold() const { return bold; }
    short GetItalic() const { return italic; }
    short GetUnderline() const { return underline; }
    short GetFixed() const { return fixed; }
    short GetRomFont() const { return romFont; }
    int GetSize() const { return size; }
    std::string GetNome() const { return name; }

    // Closes the open handle, then opens the described font (OpenFont for a ROM font,
    // OpenDiskFont otherwise). A font that does not open leaves the handle null; the next
    // GetTextFont tries again.
    void FontOpen();
    // The open font, opening it first when needed; null when it cannot be opened.
    amiga::TextFont* GetTextFont();
    // The platform request: one style only (italic before bold before underline) and the
    // ROM or disk flag. The name pointer lives as long as this descriptor's name.
    amiga::TextAttr GetHFONT() const;

private:
    void CloseHandle();

    amiga::TextFont* handle = nullptr;
    std::string name = "topaz.font";
    int size = 8;
    short bold = 0;
    short italic = 0;
    short underline = 0;
    short fixed = 0;
    short romFont = 1;
};
