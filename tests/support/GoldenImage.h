// SPDX-License-Identifier: MIT
// Golden screenshots: a region of a composed screen compared, pen by pen, with a paletted
// PNG under tests/data/. On a mismatch the actual image and a difference image (red where
// the pens differ) are written under <build>/golden/; with KESA_REGENERATE_GOLDEN set the
// region is written as the new golden image instead.
#pragma once

#include "platform/common/Png.h"
#include "platform/graphics/Graphics.h"
#include "platform/testing/InputTesting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifndef KESA_TEST_DATA_DIR
#error "golden images need KESA_TEST_DATA_DIR"
#endif
#ifndef KESA_BINARY_DIR
#error "golden images need KESA_BINARY_DIR"
#endif

namespace golden {

struct Region {
    int width = 0;
    int height = 0;
    std::vector<amiga::UBYTE> pens;
    std::vector<amiga::ULONG> palette; // 256 entries of 0x00RRGGBB
};

inline Region Cut(const amiga::ComposedScreen& screen, int left, int top, int width, int height)
{
    Region region;
    region.width = width;
    region.height = height;
    region.palette.assign(std::begin(screen.palette), std::end(screen.palette));
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < screen.width && y < screen.height;
            region.pens.push_back(inside ? screen.At(x, y) : 0);
        }
    return region;
}

inline bool Write(const std::string& path, int width, int height, const std::vector<amiga::UBYTE>& pens,
                  const amiga::ULONG* palette, std::string* error)
{
    amiga::BitMap* bitmap = amiga::AllocBitMap(static_cast<amiga::ULONG>(width), static_cast<amiga::ULONG>(height), 8,
                                               amiga::BMF_CLEAR, nullptr);
    if (bitmap == nullptr) {
        *error = "no bitmap";
        return false;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->Pixels[y * bitmap->BytesPerRow + x] = pens[static_cast<size_t>(y * width + x)];
    const bool written = amiga::SaveBitMapPNG(bitmap, palette, path.c_str(), error);
    amiga::FreeBitMap(bitmap);
    return written;
}

// Compares the region with tests/data/<name>.png.
inline ::testing::AssertionResult Matches(const Region& actual, const std::string& name)
{
    namespace fs = std::filesystem;
    const std::string goldenPath = std::string(KESA_TEST_DATA_DIR) + "/" + name + ".png";
    std::string error;
    if (std::getenv("KESA_REGENERATE_GOLDEN") != nullptr) {
        if (!Write(goldenPath, actual.width, actual.height, actual.pens, actual.palette.data(), &error))
            return ::testing::AssertionFailure() << "cannot write " << goldenPath << ": " << error;
        return ::testing::AssertionSuccess() << "regenerated " << goldenPath;
    }
    amiga::PngImage expected;
    if (!amiga::LoadPNG(goldenPath.c_str(), expected, &error) || !expected.paletted)
        return ::testing::AssertionFailure() << "no paletted golden image " << goldenPath << " " << error
                                             << " (KESA_REGENERATE_GOLDEN=1 writes it)";
    int differing = 0;
    std::vector<amiga::UBYTE> diff(actual.pens.size(), 0);
    const bool sameSize = expected.width == actual.width && expected.height == actual.height;
    if (sameSize) {
        for (size_t i = 0; i < actual.pens.size(); ++i)
            if (actual.pens[i] != expected.indices[i]) {
                diff[i] = 1;
                ++differing;
            }
        if (differing == 0)
            return ::testing::AssertionSuccess();
    }
    const fs::path out = fs::path(KESA_BINARY_DIR) / "golden";
    std::error_code ignored;
    fs::create_directories(out, ignored);
    const std::string actualPath = (out / (name + "-actual.png")).string();
    const std::string diffPath = (out / (name + "-diff.png")).string();
    Write(actualPath, actual.width, actual.height, actual.pens, actual.palette.data(), &error);
    amiga::ULONG diffPalette[256] = {0x000000, 0xFF0000};
    if (sameSize)
        Write(diffPath, actual.width, actual.height, diff, diffPalette, &error);
    auto failure = ::testing::AssertionFailure() << name << ": ";
    if (!sameSize)
        failure << "size " << actual.width << "x" << actual.height << " against " << expected.width << "x"
                << expected.height;
    else
        failure << differing << " pixels differ; difference in " << diffPath;
    return failure << "; actual image in " << actualPath;
}

inline ::testing::AssertionResult Matches(const amiga::ComposedScreen& screen, int left, int top, int width,
                                          int height, const std::string& name)
{
    return Matches(Cut(screen, left, top, width, height), name);
}

} // namespace golden
