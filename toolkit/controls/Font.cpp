// SPDX-License-Identifier: MIT
// Font: the descriptor owns its platform font and closes it when reopened or destroyed.
#include "toolkit/controls/Font.h"

#include "platform/diskfont/DiskFont.h"

#include <utility>

Font::Font() = default;

Font::Font(std::string fontName) : name(std::move(fontName)) {}

Font::Font(std::string fontName, int fontSize) : name(std::move(fontName)), size(fontSize) {}

Font::Font(const Font& other)
    : name(other.name), size(other.size), bold(other.bold), italic(other.italic), underline(other.underline),
      fixed(other.fixed), romFont(other.romFont)
{
}

Font& Font::operator=(const Font& other)
{
    if (this == &other)
        return *this;
    CloseHandle();
    name = other.name;
    size = other.size;
    bold = other.bold;
    italic = other.italic;
    underline = other.underline;
    fixed = other.fixed;
    romFont = other.romFont;
    return *this;
}

Font::~Font()
{
    CloseHandle();
}

void Font::Init(std::string fontName, int fontSize)
{
    name = std::move(fontName);
    size = fontSize;
    bold = 0;
    italic = 0;
    underline = 0;
    fixed = 0;
    romFont = 1;
    // Closing rather than dropping the handle: dropping it would leave the font open for good.
    CloseHandle();
}

void Font::CloseHandle()
{
    if (handle != nullptr) {
        amiga::CloseFont(handle);
        handle = nullptr;
    }
}

void Font::FontOpen()
{
    CloseHandle();
    const amiga::TextAttr request = GetHFONT();
    handle = romFont != 0 ? amiga::OpenFont(&request) : amiga::OpenDiskFont(&request);
}

amiga::TextFont* Font::GetTextFont()
{
    if (handle == nullptr)
        FontOpen();
    return handle;
}

amiga::TextAttr Font::GetHFONT() const
{
    amiga::TextAttr request{};
    request.ta_Name = name.c_str();
    request.ta_YSize = static_cast<amiga::UWORD>(size);
    if (italic != 0)
        request.ta_Style = amiga::FSF_ITALIC;
    else if (bold != 0)
        request.ta_Style = amiga::FSF_BOLD;
    else if (underline != 0)
        request.ta_Style = amiga::FSF_UNDERLINED;
    else
        request.ta_Style = amiga::FS_NORMAL;
    request.ta_Flags = romFont != 0 ? amiga::FPF_ROMFONT : amiga::FPF_DISKFONT;
    return request;
}
