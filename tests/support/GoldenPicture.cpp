// SPDX-License-Identifier: MIT
// Golden pictures: cutting, writing and comparing.
#include "GoldenPicture.h"

#include "platform/common/Png.h"
#include "tests/support/PngFile.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

std::vector<amiga::ULONG> GreyRamp()
{
    std::vector<amiga::ULONG> ramp(256);
    for (amiga::ULONG i = 0; i < 256; ++i)
        ramp[i] = i << 16 | i << 8 | i;
    return ramp;
}

} // namespace

PenPicture CutBitMap(const amiga::BitMap* bitmap, int left, int top, int width, int height, const amiga::ULONG* palette)
{
    PenPicture picture;
    picture.width = width;
    picture.height = height;
    picture.palette = palette ? std::vector<amiga::ULONG>(palette, palette + 256) : GreyRamp();
    picture.pens.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) {
            const bool inside = bitmap && x >= 0 && y >= 0 && x < bitmap->Width && y < bitmap->Rows;
            picture.pens.push_back(
                inside ? bitmap->Pixels[static_cast<size_t>(y) * bitmap->BytesPerRow + static_cast<size_t>(x)] : 0);
        }
    return picture;
}

PenPicture CutScreen(const amiga::ComposedScreen& screen, int left, int top, int width, int height)
{
    PenPicture picture;
    picture.width = width;
    picture.height = height;
    picture.palette.assign(std::begin(screen.palette), std::end(screen.palette));
    picture.pens.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < screen.width && y < screen.height;
            picture.pens.push_back(inside ? screen.At(x, y) : 0);
        }
    return picture;
}

bool SavePenPicture(const PenPicture& picture, const std::string& path, std::string* error)
{
    const std::vector<amiga::ULONG> palette = picture.palette.size() == 256 ? picture.palette : GreyRamp();
    return amiga::SavePNG(picture.pens.data(), picture.width, picture.height, picture.width, palette.data(),
                          path.c_str(), error);
}

bool RegeneratingGoldens()
{
    const char* value = std::getenv("KESA_REGENERATE_GOLDEN");
    return value != nullptr && std::string(value) != "" && std::string(value) != "0";
}

::testing::AssertionResult MatchesGolden(const PenPicture& actual, std::string goldenPath,
                                         const std::string& outputDirectory)
{
    goldenPath = fs::path(goldenPath).lexically_normal().string();
    std::string error;
    if (RegeneratingGoldens()) {
        if (!SavePenPicture(actual, goldenPath, &error))
            return ::testing::AssertionFailure() << "cannot write " << goldenPath << ": " << error;
        return ::testing::AssertionSuccess() << "wrote " << goldenPath;
    }

    PngImage expected;
    const bool loaded = LoadPNG(goldenPath.c_str(), expected, &error);
    std::ostringstream problem;
    int differing = 0;
    PenPicture difference = actual;
    if (!loaded) {
        problem << "cannot read " << goldenPath << " (" << error << ")";
    } else if (!expected.paletted) {
        problem << goldenPath << " is not a paletted PNG: it holds colours, not pens";
    } else if (expected.width != actual.width || expected.height != actual.height) {
        problem << goldenPath << " is " << expected.width << " x " << expected.height << ", the actual picture "
                << actual.width << " x " << actual.height;
    } else {
        difference.palette.assign(256, 0x000000);
        difference.palette[1] = 0xFF0000;
        for (size_t i = 0; i < actual.pens.size(); ++i) {
            const bool differs = actual.pens[i] != expected.indices[i];
            difference.pens[i] = differs ? 1 : 0;
            if (differs && differing++ < 5) {
                const int x = static_cast<int>(i) % actual.width;
                const int y = static_cast<int>(i) / actual.width;
                problem << (differing == 1 ? "" : "; ") << "(" << x << ", " << y << ") is pen " << int{actual.pens[i]}
                        << ", the golden has " << int{expected.indices[i]};
            }
        }
        if (differing == 0)
            return ::testing::AssertionSuccess();
    }

    const std::string stem = fs::path(goldenPath).stem().string();
    const fs::path actualPath = fs::path(outputDirectory) / (stem + "-actual.png");
    auto failure = ::testing::AssertionFailure();
    if (differing > 0)
        failure << differing << " pixels differ from " << goldenPath << ": " << problem.str();
    else
        failure << problem.str();
    if (SavePenPicture(actual, actualPath.string(), &error))
        failure << "\nactual picture: " << fs::absolute(actualPath).lexically_normal().string();
    if (differing > 0) {
        const fs::path diffPath = fs::path(outputDirectory) / (stem + "-diff.png");
        if (SavePenPicture(difference, diffPath.string(), &error))
            failure << "\ndifference (red where the pens differ): "
                    << fs::absolute(diffPath).lexically_normal().string();
    }
    return failure << "\nKESA_REGENERATE_GOLDEN=1 rewrites the golden from the actual picture.";
}

} // namespace testsupport
