// SPDX-License-Identifier: MIT
// kesa_icon_generator: the desktop icon, made from the game's large logo in its colours.
//
//   kesa_icon_generator <output directory> <size>...
//
// writes kesa-pegline-<size>.png, a size × size RGBA picture, for each size.
#include "tools/icon/IconPicture.h"
#include "toolkit/data/BuiltinImages.h"
#include "toolkit/data/Palette.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: kesa_icon_generator <output directory> <size>...\n";
        return 2;
    }
    const std::filesystem::path output = argv[1];
    std::error_code made;
    std::filesystem::create_directories(output, made);

    const icon::RgbaPicture logo = icon::ImageToRgba(*LogoIFFLarge, palettedata);
    if (logo.rgba.empty()) {
        std::cerr << "kesa_icon_generator: cannot draw the logo\n";
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 16 || size > 1024) {
            std::cerr << "kesa_icon_generator: no icon of size " << argv[i] << "\n";
            return 2;
        }
        std::string error;
        const std::string path = (output / ("kesa-pegline-" + std::to_string(size) + ".png")).string();
        if (!icon::SaveRgbaPng(icon::SquareIcon(logo, size), path, error)) {
            std::cerr << "kesa_icon_generator: " << error << "\n";
            return 1;
        }
    }
    return 0;
}
