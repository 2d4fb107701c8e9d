// SPDX-License-Identifier: MIT
// A cleared 8-bit bitmap of the test's size with a rast port drawing into it; fonts opened
// by the test are closed with it.
#pragma once

#include "platform/graphics/Graphics.h"
#include "platform/testing/Testing.h"

#include <gtest/gtest.h>

class RastPortFixture : public ::testing::Test {
protected:
    RastPortFixture(amiga::ULONG width, amiga::ULONG height) : sizeX(width), sizeY(height) {}
    void SetUp() override
    {
        bitmap = amiga::AllocBitMap(sizeX, sizeY, 8, amiga::BMF_CLEAR, nullptr);
        ASSERT_NE(bitmap, nullptr);
        amiga::InitRastPort(&rp);
        rp.BitMap = bitmap;
    }
    void TearDown() override
    {
        amiga::FreeBitMap(bitmap);
        amiga::internal::ResetFonts();
    }
    amiga::LONG At(int x, int y) { return amiga::ReadPixel(&rp, x, y); }

    const amiga::ULONG sizeX;
    const amiga::ULONG sizeY;
    amiga::BitMap* bitmap = nullptr;
    amiga::RastPort rp{};
};
