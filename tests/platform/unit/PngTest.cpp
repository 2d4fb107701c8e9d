// SPDX-License-Identifier: MIT
// Screenshots as paletted PNG files, read back; colour maps loaded the platform's ways.
#include "platform/common/Png.h"
#include "platform/graphics/Graphics.h"
#include "tests/support/PngFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace amiga;
using namespace testsupport;

namespace {

class Png : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory = std::filesystem::temp_directory_path() / ("kesa-png-" + std::to_string(getpid()));
        std::filesystem::create_directories(directory);
        bitmap = AllocBitMap(5, 3, 8, BMF_CLEAR, nullptr);
        ASSERT_NE(bitmap, nullptr);
        colorMap = GetColorMap(256);
        ASSERT_NE(colorMap, nullptr);
        viewPort.ColorMap = colorMap;
    }
    void TearDown() override
    {
        FreeBitMap(bitmap);
        FreeColorMap(colorMap);
        std::filesystem::remove_all(directory);
    }

    std::filesystem::path directory;
    BitMap* bitmap = nullptr;
    ColorMap* colorMap = nullptr;
    ViewPort viewPort{};
};

TEST_F(Png, LoadRGB32ReadsRunsUntilTheZeroWord)
{
    const ULONG table[] = {
        2u << 16 | 5, // two colours from pen 5
        0xFF000000,
        0x80000000,
        0x00000000, // FF8000
        0x12345678,
        0xABCDEF01,
        0x00FFFFFF, // only the top bytes count: 12AB00
        1u << 16 | 200,
        0,
        0,
        0xFFFFFFFF, // then pen 200: 0000FF
        0,
        7u << 16 | 0,
        0xFF000000,
        0xFF000000,
        0xFF000000, // after the end: ignored
    };
    const ULONG before = colorMap->Changes;
    LoadRGB32(&viewPort, table);
    EXPECT_EQ(colorMap->ColorTable[5], 0xFF8000u);
    EXPECT_EQ(colorMap->ColorTable[6], 0x12AB00u);
    EXPECT_EQ(colorMap->ColorTable[200], 0x0000FFu);
    EXPECT_EQ(colorMap->ColorTable[0], 0u);
    EXPECT_NE(colorMap->Changes, before);

    ColorMap* small = GetColorMap(4);
    ViewPort smallPort{};
    smallPort.ColorMap = small;
    LoadRGB32(&smallPort, table); // pens beyond the map's count are skipped, not written
    EXPECT_EQ(small->Count, 4);
    FreeColorMap(small);
    EXPECT_EQ(GetColorMap(0), nullptr);
    EXPECT_EQ(GetColorMap(257), nullptr);
}

TEST_F(Png, WrittenFileKeepsPensAndPaletteColours)
{
    const ULONG table[] = {3u << 16 | 0, 0xC0000000, 0xC0000000,     0xC0000000, 0,          0,          0, 0xFF000000,
                           0xFF000000,   0xFF000000, 1u << 16 | 253, 0xFF000000, 0xFF000000, 0x00000000, 0};
    LoadRGB32(&viewPort, table);
    RastPort rp;
    InitRastPort(&rp);
    rp.BitMap = bitmap;
    SetAPen(&rp, 2);
    RectFill(&rp, 1, 0, 3, 1);
    SetAPen(&rp, 253);
    WritePixel(&rp, 4, 2);

    const std::string path = (directory / "shot.png").string();
    std::string error;
    ASSERT_TRUE(SavePNG(bitmap->Pixels, 5, 3, bitmap->BytesPerRow, colorMap->ColorTable, path.c_str(), &error))
        << error;

    PngImage image;
    ASSERT_TRUE(LoadPNG(path.c_str(), image, &error)) << error;
    EXPECT_EQ(image.width, 5);
    EXPECT_EQ(image.height, 3);
    ASSERT_TRUE(image.paletted);
    ASSERT_EQ(image.palette.size(), 256u);
    EXPECT_EQ(image.palette[0], 0xC0C0C0u);
    EXPECT_EQ(image.palette[2], 0xFFFFFFu);
    EXPECT_EQ(image.palette[253], 0xFFFF00u);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(image.indices[static_cast<size_t>(y) * 5 + x], ReadPixel(&rp, x, y)) << x << "," << y;
    EXPECT_EQ(image.ColorAt(0, 0), 0xC0C0C0u);
    EXPECT_EQ(image.ColorAt(2, 1), 0xFFFFFFu);
    EXPECT_EQ(image.ColorAt(4, 2), 0xFFFF00u);
}

TEST_F(Png, FailuresAreReportedNotHidden)
{
    std::string error;
    const std::string unwritable = (directory / "missing" / "shot.png").string();
    EXPECT_FALSE(SavePNG(bitmap->Pixels, 5, 3, bitmap->BytesPerRow, colorMap->ColorTable, unwritable.c_str(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(SavePNG(nullptr, 5, 3, 5, colorMap->ColorTable, unwritable.c_str()));

    PngImage image;
    error.clear();
    EXPECT_FALSE(LoadPNG((directory / "none.png").c_str(), image, &error));
    EXPECT_FALSE(error.empty());

    const std::string garbage = (directory / "garbage.png").string();
    FILE* file = std::fopen(garbage.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("\x89PNG\r\n\x1a\nnot really", file);
    std::fclose(file);
    EXPECT_FALSE(LoadPNG(garbage.c_str(), image, &error));
    EXPECT_EQ(image.width, 0);
}

} // namespace
