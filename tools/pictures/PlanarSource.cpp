// SPDX-License-Identifier: MIT
// PlanarSource: chunky pens to planes, and the generated C++ text.
#include "tools/pictures/PlanarSource.h"

#include <cstddef>
#include <cstdio>

namespace pictures {

namespace {

std::string Hex(unsigned value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

constexpr const char* GeneratedNote = "// Generated at build time by kesa_picture_generator from the descriptions in\n"
                                      "// tools/pictures/: edit those, not this file.\n";

} // namespace

bool ToPlanar(const std::string& name, const PenCanvas& canvas, int depth, Pen planePick, PlanarPicture& picture,
              std::string& error)
{
    std::vector<int> bits; // the pen bit each plane holds
    for (int bit = 0; bit < 8 && static_cast<int>(bits.size()) < depth; ++bit)
        if ((planePick >> bit) & 1)
            bits.push_back(bit);
    if (static_cast<int>(bits.size()) != depth) {
        error = name + ": PlanePick " + Hex(planePick, 2) + " does not feed " + std::to_string(depth) + " planes";
        return false;
    }

    picture.name = name;
    picture.width = canvas.Width();
    picture.height = canvas.Height();
    picture.depth = depth;
    picture.planePick = planePick;
    const std::size_t rowBytes = 2 * ((static_cast<std::size_t>(canvas.Width()) + 15) / 16);
    const std::size_t planeBytes = rowBytes * static_cast<std::size_t>(canvas.Height());
    picture.planes.assign(planeBytes * static_cast<std::size_t>(depth), 0);

    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const Pen pen = canvas.At(x, y);
            if ((pen & ~planePick) != 0) {
                error = name + ": pen " + std::to_string(pen) + " at (" + std::to_string(x) + ", " + std::to_string(y) +
                        ") has bits outside PlanePick " + Hex(planePick, 2);
                return false;
            }
            const std::size_t byteInRow = static_cast<std::size_t>(x) / 8;
            const auto mask = static_cast<std::uint8_t>(0x80u >> (x % 8));
            for (std::size_t p = 0; p < bits.size(); ++p)
                if ((pen >> bits[p]) & 1)
                    picture.planes[planeBytes * p + rowBytes * static_cast<std::size_t>(y) + byteInRow] |= mask;
        }
    }
    return true;
}

void WriteImageSource(std::ostream& out, const std::string& header, const std::vector<PlanarPicture>& pictures,
                      const std::vector<PictureList>& lists, const std::vector<PictureAlias>& aliases)
{
    out << "// SPDX-License-Identifier: MIT\n"
        << GeneratedNote << "#include \"" << header << "\"\n\n"
        << "#include <bit>\n\n"
        << "namespace {\n\n"
        << "// The platform keeps image words most significant byte first whatever the host's\n"
        << "// order: Stored turns a word as written here into the value stored that way.\n"
        << "constexpr amiga::UWORD Stored(unsigned word)\n"
        << "{\n"
        << "    if constexpr (std::endian::native == std::endian::little)\n"
        << "        return static_cast<amiga::UWORD>(((word & 0xFFu) << 8) | (word >> 8));\n"
        << "    return static_cast<amiga::UWORD>(word);\n"
        << "}\n\n";

    for (const PlanarPicture& picture : pictures) {
        const std::size_t words = picture.planes.size() / 2;
        const std::size_t planeWords = words / static_cast<std::size_t>(picture.depth);
        out << "// " << picture.width << " x " << picture.height << ", " << picture.depth << " planes\n"
            << "amiga::UWORD " << picture.name << "Planes[" << words << "] = {";
        for (std::size_t i = 0; i < words; ++i) {
            // Lines restart with each plane, so a comment never swallows a word.
            if (i % planeWords == 0)
                out << "\n    // plane " << i / planeWords;
            if ((i % planeWords) % 12 == 0)
                out << "\n   ";
            const unsigned word = (unsigned{picture.planes[2 * i]} << 8) | picture.planes[2 * i + 1];
            out << " Stored(" << Hex(word, 4) << "),";
        }
        out << "\n};\n\n";
    }
    out << "} // namespace\n\n";

    for (const PlanarPicture& picture : pictures)
        out << "amiga::Image " << picture.name << " = {0, 0, " << picture.width << ", " << picture.height << ", "
            << picture.depth << ", " << picture.name << "Planes, " << Hex(picture.planePick, 2)
            << ", 0x00, nullptr};\n";
    out << "\n";
    for (const PictureList& list : lists) {
        out << "amiga::Image* " << list.name << "[" << list.entries.size() + 1 << "] = {\n";
        for (const std::string& entry : list.entries)
            out << "    &" << entry << ",\n";
        out << "    nullptr,\n};\n\n";
    }
    for (const PictureAlias& alias : aliases)
        out << "amiga::Image* " << alias.name << " = &" << alias.target << ";\n";
}

void WritePaletteSource(std::ostream& out, const std::string& header, const std::string& name,
                        const std::array<std::uint32_t, 256>& colours)
{
    out << "// SPDX-License-Identifier: MIT\n"
        << GeneratedNote << "#include \"" << header << "\"\n\n"
        << "const amiga::ULONG " << name << "[" << 1 + 3 * colours.size() + 1 << "] = {\n"
        << "    " << Hex(static_cast<unsigned>(colours.size()) << 16, 8) << ", // " << colours.size()
        << " colours from pen 0\n";
    for (std::size_t pen = 0; pen < colours.size(); ++pen) {
        const std::uint32_t rgb = colours[pen];
        out << "    " << Hex(((rgb >> 16) & 0xFFu) << 24, 8) << ", " << Hex(((rgb >> 8) & 0xFFu) << 24, 8) << ", "
            << Hex((rgb & 0xFFu) << 24, 8) << ", // " << pen << ": " << Hex(rgb, 6).substr(2) << "\n";
    }
    out << "    0x00000000, // end of the table\n};\n";
}

} // namespace pictures
