// SPDX-License-Identifier: MIT
// kesa_picture_generator: draws the built-in pictures from their descriptions and writes
// them, with the palette, as the C++ sources the toolkit compiles.
//
//   kesa_picture_generator <output directory> [--preview <directory>]
//
// writes BuiltinImages.cpp and Palette.cpp into the output directory (a file whose text did
// not change is left alone, so nothing recompiles for nothing); --preview also writes every
// picture as a PNG in the game's colours, to look at the artwork without the game.
#include "platform/common/Png.h"
#include "tools/pictures/BoardPictures.h"
#include "tools/pictures/ButtonArrows.h"
#include "tools/pictures/GamePalette.h"
#include "tools/pictures/Logos.h"
#include "tools/pictures/PlanarSource.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace pictures;

namespace {

struct Picture {
    std::string name;
    PenCanvas canvas;
    int depth;
    Pen planePick;
};

std::vector<Picture> DrawAll()
{
    std::vector<Picture> all;
    for (int index = 0; index < BoardPictureCount; ++index)
        all.push_back({"frame" + std::to_string(index), DrawBoardPicture(index), 8, 0xFF});
    all.push_back({"LogoIFFRaw", DrawSmallLogo(), 8, 0xFF});
    all.push_back({"LogoIFFLargeRaw", DrawLargeLogo(), 8, 0xFF});
    all.push_back({"imgCbo", DrawComboArrow(1), 4, 0x0F});
    all.push_back({"imgCboDis", DrawComboArrow(15), 4, 0x0F});
    return all;
}

// The descriptions promise a few numbers; a change that breaks one stops the build here.
bool Check(const std::vector<Picture>& all, std::string& error)
{
    const int pegs[] = {0, 1, 7, 8, 9, 10, 11, 12};
    const Pen pegPens[] = {1, 2, 4, 17, 24, 101, 183, 69};
    for (int i = 0; i < 8; ++i) {
        const PenCanvas& peg = all[static_cast<size_t>(pegs[i])].canvas;
        if (peg.Count(pegPens[i]) != PegDiscPixels) {
            error = "peg " + std::to_string(pegs[i]) + " has " + std::to_string(peg.Count(pegPens[i])) +
                    " pixels, not " + std::to_string(PegDiscPixels);
            return false;
        }
    }
    for (const Picture& picture : all)
        if (picture.canvas.Width() == 0 || picture.canvas.Height() == 0) {
            error = picture.name + " is empty";
            return false;
        }
    return true;
}

bool WriteIfChanged(const fs::path& path, const std::string& text)
{
    std::ifstream existing(path, std::ios::binary);
    if (existing) {
        std::ostringstream old;
        old << existing.rdbuf();
        if (old.str() == text)
            return true;
    }
    const fs::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush())
            return false;
    }
    std::error_code renamed;
    fs::rename(temporary, path, renamed);
    return !renamed;
}

bool WritePreview(const fs::path& directory, const Picture& picture, const amiga::ULONG* palette)
{
    const PenCanvas& canvas = picture.canvas;
    return amiga::SavePNG(canvas.Pixels().data(), canvas.Width(), canvas.Height(), canvas.Width(), palette,
                          (directory / (picture.name + ".png")).c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--preview")) {
        std::cerr << "usage: kesa_picture_generator <output directory> [--preview <directory>]\n";
        return 2;
    }
    const fs::path output = argv[1];

    const std::vector<Picture> all = DrawAll();
    std::string error;
    if (!Check(all, error)) {
        std::cerr << "kesa_picture_generator: " << error << "\n";
        return 1;
    }

    std::vector<PlanarPicture> planar;
    for (const Picture& picture : all) {
        PlanarPicture converted;
        if (!ToPlanar(picture.name, picture.canvas, picture.depth, picture.planePick, converted, error)) {
            std::cerr << "kesa_picture_generator: " << error << "\n";
            return 1;
        }
        planar.push_back(std::move(converted));
    }
    PictureList lstImg{"lstImg", {}};
    for (int index = 0; index < BoardPictureCount; ++index)
        lstImg.entries.push_back("frame" + std::to_string(index));

    std::ostringstream images;
    WriteImageSource(images, "toolkit/data/BuiltinImages.h", planar, {lstImg},
                     {{"LogoIFF", "LogoIFFRaw"}, {"LogoIFFLarge", "LogoIFFLargeRaw"}});
    std::ostringstream palette;
    WritePaletteSource(palette, "toolkit/data/Palette.h", "palettedata", GamePalette());

    std::error_code made;
    fs::create_directories(output, made);
    if (!WriteIfChanged(output / "BuiltinImages.cpp", images.str()) ||
        !WriteIfChanged(output / "Palette.cpp", palette.str())) {
        std::cerr << "kesa_picture_generator: cannot write into " << output << "\n";
        return 1;
    }

    if (argc == 4) {
        const fs::path previews = argv[3];
        fs::create_directories(previews, made);
        for (const Picture& picture : all)
            if (!WritePreview(previews, picture, GamePalette().data())) {
                std::cerr << "kesa_picture_generator: cannot write the preview of " << picture.name << "\n";
                return 1;
            }
    }
    return 0;
}
