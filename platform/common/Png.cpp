// SPDX-License-Identifier: MIT
// PNG files through libpng: paletted screenshots out, any PNG back in for comparisons.
#include "platform/common/Png.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace amiga {

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

bool Fail(std::string* error, const std::string& reason)
{
    if (error)
        *error = reason;
    return false;
}

// libpng reports errors by longjmp; its messages land here so the caller can see them.
void ErrorHandler(png_structp png, png_const_charp message)
{
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    if (error)
        *error = message;
    png_longjmp(png, 1);
}

void WarningHandler(png_structp, png_const_charp) {}

} // namespace

bool SaveBitMapPNG(const BitMap* bitmap, const ULONG* palette, const char* path, std::string* error)
{
    if (!bitmap || !bitmap->Pixels || !palette || !path)
        return Fail(error, "no bitmap, palette or path");
    File file(std::fopen(path, "wb"));
    if (!file)
        return Fail(error, std::string("cannot create ") + path);
    std::string reason;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &reason, ErrorHandler, WarningHandler);
    if (!png)
        return Fail(error, "libpng cannot start");
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return Fail(error, "libpng cannot start");
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return Fail(error, std::string("cannot write ") + path + ": " + reason);
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, bitmap->Width, bitmap->Rows, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color colors[256];
    for (int i = 0; i < 256; ++i) {
        colors[i].red = static_cast<png_byte>(palette[i] >> 16);
        colors[i].green = static_cast<png_byte>(palette[i] >> 8);
        colors[i].blue = static_cast<png_byte>(palette[i]);
    }
    png_set_PLTE(png, info, colors, 256);
    png_write_info(png, info);
    for (int y = 0; y < bitmap->Rows; ++y)
        png_write_row(png, bitmap->Pixels + static_cast<long>(y) * bitmap->BytesPerRow);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0 || std::ferror(file.get()))
        return Fail(error, std::string("cannot write ") + path);
    return true;
}

bool SaveBitMapPNG(const BitMap* bitmap, const ColorMap* colorMap, const char* path, std::string* error)
{
    if (!colorMap)
        return Fail(error, "no colour map");
    ULONG palette[256] = {};
    for (int i = 0; i < colorMap->Count && i < 256; ++i)
        palette[i] = colorMap->ColorTable[i];
    return SaveBitMapPNG(bitmap, palette, path, error);
}

ULONG PngImage::ColorAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return static_cast<ULONG>(rgb[i]) << 16 | static_cast<ULONG>(rgb[i + 1]) << 8 | rgb[i + 2];
}

bool LoadPNG(const char* path, PngImage& image, std::string* error)
{
    image = PngImage{};
    if (!path)
        return Fail(error, "no path");
    File file(std::fopen(path, "rb"));
    if (!file)
        return Fail(error, std::string("cannot open ") + path);
    std::string reason;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reason, ErrorHandler, WarningHandler);
    if (!png)
        return Fail(error, "libpng cannot start");
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return Fail(error, "libpng cannot start");
    }
    // Everything the jump can skip lives outside this frame's locals with destructors.
    auto* rows = new std::vector<png_bytep>();
    auto* raw = new std::vector<UBYTE>();
    auto cleanUp = [&]() {
        png_destroy_read_struct(&png, &info, nullptr);
        delete rows;
        delete raw;
    };
    if (setjmp(png_jmpbuf(png))) {
        cleanUp();
        image = PngImage{};
        return Fail(error, std::string("cannot read ") + path + ": " + reason);
    }
    png_init_io(png, file.get());
    png_read_info(png, info);
    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    const int colorType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    image.width = width;
    image.height = height;
    image.paletted = colorType == PNG_COLOR_TYPE_PALETTE;

    if (image.paletted) {
        png_colorp colors = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &colors, &count);
        for (int i = 0; i < count; ++i)
            image.palette.push_back(static_cast<ULONG>(colors[i].red) << 16 |
                                    static_cast<ULONG>(colors[i].green) << 8 | colors[i].blue);
        if (bitDepth < 8)
            png_set_packing(png);
    } else {
        if (bitDepth == 16)
            png_set_strip_16(png);
        if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
            if (bitDepth < 8)
                png_set_expand_gray_1_2_4_to_8(png);
            png_set_gray_to_rgb(png);
        }
        png_set_strip_alpha(png);
    }
    png_read_update_info(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    raw->resize(rowBytes * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows->push_back(raw->data() + rowBytes * static_cast<size_t>(y));
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);

    const size_t pixels = static_cast<size_t>(width) * height;
    image.rgb.resize(pixels * 3);
    if (image.paletted) {
        image.indices.resize(pixels);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.indices[static_cast<size_t>(y) * width + x] = (*raw)[rowBytes * static_cast<size_t>(y) + x];
        for (size_t i = 0; i < pixels; ++i) {
            const UBYTE index = image.indices[i];
            const ULONG color = index < image.palette.size() ? image.palette[index] : 0;
            image.rgb[3 * i] = static_cast<UBYTE>(color >> 16);
            image.rgb[3 * i + 1] = static_cast<UBYTE>(color >> 8);
            image.rgb[3 * i + 2] = static_cast<UBYTE>(color);
        }
    } else {
        for (int y = 0; y < height; ++y)
            std::copy_n(raw->data() + rowBytes * static_cast<size_t>(y), static_cast<size_t>(width) * 3,
                        image.rgb.begin() + static_cast<long>(y) * width * 3);
    }
    cleanUp();
    return true;
}

} // namespace amiga
