// SPDX-License-Identifier: MIT
// PNG files read through libpng's simplified interface.
#include "tests/support/PngFile.h"

#include <png.h>

namespace testsupport {

amiga::ULONG PngImage::ColorAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    const size_t i = static_cast<size_t>(y) * width + x;
    if (paletted)
        return indices[i] < palette.size() ? palette[indices[i]] : 0;
    return static_cast<amiga::ULONG>(rgb[3 * i]) << 16 | static_cast<amiga::ULONG>(rgb[3 * i + 1]) << 8 |
           rgb[3 * i + 2];
}

bool LoadPNG(const char* path, PngImage& image, std::string* error)
{
    image = PngImage{};
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (path != nullptr && png_image_begin_read_from_file(&png, path)) {
        const bool paletted = (png.format & PNG_FORMAT_FLAG_COLORMAP) != 0;
        png.format = paletted ? PNG_FORMAT_RGB_COLORMAP : PNG_FORMAT_RGB;
        std::vector<amiga::UBYTE> pixels(PNG_IMAGE_SIZE(png));
        std::vector<amiga::UBYTE> colormap(PNG_IMAGE_COLORMAP_SIZE(png));
        if (png_image_finish_read(&png, nullptr, pixels.data(), 0, colormap.data())) {
            image.width = static_cast<int>(png.width);
            image.height = static_cast<int>(png.height);
            image.paletted = paletted;
            (paletted ? image.indices : image.rgb) = std::move(pixels);
            for (size_t i = 0; paletted && i < png.colormap_entries; ++i)
                image.palette.push_back(colormap[3 * i] << 16 | colormap[3 * i + 1] << 8 | colormap[3 * i + 2]);
            return true;
        }
    }
    if (error != nullptr)
        *error = path == nullptr ? "no path" : std::string("cannot read ") + path + ": " + png.message;
    png_image_free(&png);
    return false;
}

} // namespace testsupport
