// SPDX-License-Identifier: MIT
// PNG files through libpng.
#include "platform/common/Png.h"

#include <png.h>

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

bool SavePNG(const UBYTE* pixels, int width, int height, int bytesPerRow, const ULONG* palette, const char* path,
             std::string* error)
{
    if (!pixels || width <= 0 || height <= 0 || !palette || !path)
        return Fail(error, "no image, palette or path");
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
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color colors[256];
    for (int i = 0; i < 256; ++i) {
        colors[i].red = static_cast<png_byte>(palette[i] >> 16);
        colors[i].green = static_cast<png_byte>(palette[i] >> 8);
        colors[i].blue = static_cast<png_byte>(palette[i]);
    }
    png_set_PLTE(png, info, colors, 256);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, pixels + static_cast<long>(y) * bytesPerRow);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0 || std::ferror(file.get()))
        return Fail(error, std::string("cannot write ") + path);
    return true;
}

} // namespace amiga
