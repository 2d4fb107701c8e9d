// SPDX-License-Identifier: MIT
// diskfont where no font files can be found (the browser): only the fonts in memory, the
// ROM's and those already opened, answer; any other is not found, as when nothing matches.
#include "platform/diskfont/DiskFont.h"
#include "platform/graphics/Font.h"

namespace amiga {

TextFont* OpenDiskFont(const TextAttr* textAttr)
{
    if (!textAttr || !textAttr->ta_Name || textAttr->ta_YSize == 0)
        return nullptr;
    if (internal::SameFontName(textAttr->ta_Name, "topaz.font"))
        return OpenFont(textAttr);
    return internal::Fonts().FindExact(*textAttr);
}

} // namespace amiga
