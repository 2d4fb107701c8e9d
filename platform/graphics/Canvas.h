// SPDX-License-Identifier: MIT
// The drawable area of a RastPort for one operation: its bitmap, clipped to the bitmap and
// the clip rectangle, and how the draw mode turns pattern bits into pixels.
#pragma once

#include "platform/graphics/Graphics.h"

namespace amiga::internal {

class Canvas {
public:
    // Empty (nothing can be drawn) without a bitmap or when the clip leaves nothing.
    explicit Canvas(const RastPort* rp);

    bool Empty() const { return maxX_ < minX_ || maxY_ < minY_; }
    bool Inside(int x, int y) const { return x >= minX_ && x <= maxX_ && y >= minY_ && y <= maxY_; }
    int MinX() const { return minX_; }
    int MinY() const { return minY_; }
    int MaxX() const { return maxX_; }
    int MaxY() const { return maxY_; }
    UBYTE* Row(int y) const { return bitmap_->Pixels + static_cast<long>(y) * bitmap_->BytesPerRow; }
    UBYTE Mask() const { return mask_; }

    // Writes `pen` through the mask (no clipping).
    void Put(int x, int y, UBYTE pen) const
    {
        UBYTE& p = Row(y)[x];
        p = static_cast<UBYTE>((p & ~mask_) | (pen & mask_));
    }
    // One pattern bit at (x, y) as the draw mode wants it (no clipping): a set bit in the A
    // pen (inverted under COMPLEMENT), a clear bit in the B pen under JAM2; INVERSVID swaps.
    void Plot(int x, int y, bool bit) const
    {
        if (inverse_)
            bit = !bit;
        if (bit) {
            if (complement_)
                Row(y)[x] ^= mask_;
            else
                Put(x, y, fg_);
        } else if (jam2_ && !complement_) {
            Put(x, y, bg_);
        }
    }
    // Fills an inclusive rectangle already clipped by the caller with one pattern bit.
    void FillClipped(int x0, int y0, int x1, int y1, bool bit) const;
    // Clips and fills an inclusive rectangle with one pattern bit.
    void Fill(int x0, int y0, int x1, int y1, bool bit) const;
    // Marks the bitmap changed.
    void Touch() const
    {
        if (bitmap_)
            ++bitmap_->Changes;
    }

private:
    BitMap* bitmap_ = nullptr;
    int minX_ = 0, minY_ = 0, maxX_ = -1, maxY_ = -1;
    UBYTE mask_ = 0xFF;
    UBYTE fg_ = 1;
    UBYTE bg_ = 0;
    bool jam2_ = false;
    bool complement_ = false;
    bool inverse_ = false;
};

} // namespace amiga::internal
