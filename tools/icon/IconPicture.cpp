// SPDX-License-Identifier: MIT
#include "tools/icon/IconPicture.h"

#include "platform/graphics/Graphics.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace icon {

namespace {

// Linear-light colour with straight alpha, for averaging.
struct Linear {
    double r = 0, g = 0, b = 0, a = 0;
};

double ToLinear(std::uint8_t value)
{
    const double v = value / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

std::uint8_t ToSrgb(double linear)
{
    const double v = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::clamp(std::lround(v * 255.0), 0L, 255L));
}

using LinearRows = std::vector<std::vector<Linear>>;

LinearRows ToLinearRows(const RgbaPicture& picture)
{
    LinearRows rows(static_cast<size_t>(picture.height), std::vector<Linear>(static_cast<size_t>(picture.width)));
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* p = &picture.rgba[(static_cast<size_t>(y) * picture.width + x) * 4];
            rows[y][x] = {ToLinear(p[0]), ToLinear(p[1]), ToLinear(p[2]), p[3] / 255.0};
        }
    return rows;
}

// Resamples `count` source samples to `outCount` by area: output sample i covers source
// [i * scale, (i + 1) * scale) and takes each source sample by the share of it it covers.
// Colours are weighted by alpha, so that transparent pixels lend no colour.
template <typename Get> std::vector<Linear> AreaResample(int count, int outCount, Get get)
{
    const double scale = static_cast<double>(count) / outCount;
    std::vector<Linear> out(static_cast<size_t>(outCount));
    for (int i = 0; i < outCount; ++i) {
        const double from = i * scale;
        const double to = std::min<double>(count, (i + 1) * scale);
        Linear sum;
        double weight = 0;
        for (int s = static_cast<int>(from); s < count && s < to; ++s) {
            const double share = std::min<double>(s + 1, to) - std::max<double>(s, from);
            const Linear& v = get(s);
            sum.r += v.r * v.a * share;
            sum.g += v.g * v.a * share;
            sum.b += v.b * v.a * share;
            sum.a += v.a * share;
            weight += share;
        }
        if (sum.a > 0)
            out[i] = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / weight};
    }
    return out;
}

void Put(RgbaPicture& picture, int x, int y, const Linear& colour, double coverage)
{
    std::uint8_t* p = &picture.rgba[(static_cast<size_t>(y) * picture.width + x) * 4];
    p[0] = ToSrgb(colour.r);
    p[1] = ToSrgb(colour.g);
    p[2] = ToSrgb(colour.b);
    p[3] = static_cast<std::uint8_t>(std::lround(std::clamp(colour.a * coverage, 0.0, 1.0) * 255.0));
}

// How much of pixel (x, y) lies inside a size × size square with corners rounded to
// `radius`, from 4 × 4 samples: the corners' edges come out smooth.
double TileCoverage(int x, int y, int size, double radius)
{
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
            const double cx = std::clamp(px, radius, size - radius);
            const double cy = std::clamp(py, radius, size - radius);
            if ((px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius)
                ++inside;
        }
    return inside / 16.0;
}

} // namespace

RgbaPicture ImageToRgba(const amiga::Image& image, const amiga::ULONG* loadRgb32Table)
{
    RgbaPicture picture;
    amiga::BitMap* bitmap = amiga::AllocBitMap(static_cast<amiga::ULONG>(image.Width),
                                               static_cast<amiga::ULONG>(image.Height), 8, amiga::BMF_CLEAR, nullptr);
    if (!bitmap)
        return picture;
    amiga::RastPort rp;
    amiga::InitRastPort(&rp);
    rp.BitMap = bitmap;
    amiga::DrawImage(&rp, &image, 0, 0);

    // LoadRGB32 layout: count << 16 | first pen, then red, green, blue in each word's top byte.
    std::array<std::uint32_t, 256> colours{};
    const amiga::ULONG count = loadRgb32Table[0] >> 16, first = loadRgb32Table[0] & 0xFFFF;
    for (amiga::ULONG i = 0; i < count && first + i < colours.size(); ++i)
        colours[first + i] = (loadRgb32Table[1 + 3 * i] >> 24) << 16 | (loadRgb32Table[2 + 3 * i] >> 24) << 8 |
                             (loadRgb32Table[3 + 3 * i] >> 24);

    picture.width = image.Width;
    picture.height = image.Height;
    picture.rgba.resize(static_cast<size_t>(picture.width) * picture.height * 4);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t colour = colours[bitmap->Pixels[static_cast<size_t>(y) * bitmap->BytesPerRow + x]];
            std::uint8_t* p = &picture.rgba[(static_cast<size_t>(y) * picture.width + x) * 4];
            p[0] = static_cast<std::uint8_t>(colour >> 16);
            p[1] = static_cast<std::uint8_t>(colour >> 8);
            p[2] = static_cast<std::uint8_t>(colour);
            p[3] = 255;
        }
    amiga::FreeBitMap(bitmap);
    return picture;
}

RgbaPicture SquareIcon(const RgbaPicture& logo, int size)
{
    RgbaPicture icon{size, size, std::vector<std::uint8_t>(static_cast<size_t>(size) * size * 4, 0)};
    if (logo.width <= 0 || logo.height <= 0 || size <= 0)
        return icon;
    const int margin = std::max(1, size / 32);
    const double scale = std::min(static_cast<double>(size - 2 * margin) / logo.width,
                                  static_cast<double>(size - 2 * margin) / logo.height);
    const int width = std::max(1, static_cast<int>(std::lround(logo.width * scale)));
    const int height = std::max(1, static_cast<int>(std::lround(logo.height * scale)));
    const int left = (size - width) / 2, top = (size - height) / 2;

    // Rows first, then columns: the area filter is separable.
    const LinearRows source = ToLinearRows(logo);
    LinearRows narrowed;
    for (const auto& row : source)
        narrowed.push_back(AreaResample(logo.width, width, [&](int x) -> const Linear& { return row[x]; }));
    LinearRows scaled(static_cast<size_t>(height), std::vector<Linear>(static_cast<size_t>(width)));
    for (int x = 0; x < width; ++x) {
        const auto column = AreaResample(logo.height, height, [&](int y) -> const Linear& { return narrowed[y][x]; });
        for (int y = 0; y < height; ++y)
            scaled[y][x] = column[y];
    }

    // The ground beyond the logo: its nearest row, and beside it the nearest end of that row.
    const double radius = size / 8.0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int sy = std::clamp(y - top, 0, height - 1);
            const int sx = std::clamp(x - left, 0, width - 1);
            Put(icon, x, y, scaled[sy][sx], TileCoverage(x, y, size, radius));
        }
    return icon;
}

bool SaveRgbaPng(const RgbaPicture& picture, const std::string& path, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot create " + path;
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        std::fclose(file);
        error = "cannot write " + path;
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y)
        png_write_row(png, &picture.rgba[static_cast<size_t>(y) * picture.width * 4]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) {
        error = "cannot finish " + path;
        return false;
    }
    return true;
}

} // namespace icon
