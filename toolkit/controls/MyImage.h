// SPDX-License-Identifier: MIT
// MyImage: a control (kind "image") that shows one platform Image at its place in its
// window, optionally under a one-pixel sunken bevel. It draws from a private copy of the
// picture's bitmap in chip memory, where the platform can blit it.
#pragma once

#include "platform/intuition/Images.h"
#include "toolkit/controls/PaintedChild.h"

#include <cstdint>

class MyImage : public PaintedChild {
public:
    // Places the control in the parent and copies the picture (not owned; may be null) at
    // once.
    MyImage(GUIElement* parentElement, amiga::Image* image);
    // Releases the chip copy.
    ~MyImage() override;

    // Overridden element operations.
    // The picture's copy at the control's position (the size does not scale it), or the
    // rectangle in the background colour when there is no picture; the bevel over it.
    // Nothing while refreshing is suspended or while not loaded.
    void OnPaint() override;
    // Takes an ID on the first load, then is loaded and visible. Paints nothing.
    void Load() override;

    // Operations added by image controls, in their slot order.
    // Frees the copy, takes the new picture, copies it; repaints when loaded.
    virtual void SetBitmap(amiga::Image* image);
    // The bevel (pen 1 top and left, pen 2 right and bottom); repaints when loaded.
    virtual void SetBorder(short value);
    // Nonzero is enabled; stored only, it changes nothing on screen.
    virtual void SetEnabled(int value);
    using GUIElement::SetEnabled;

    // Copies the picture into chip memory: 2 × ceil(Width / 16) × Height × Depth bytes.
    // A failed allocation is logged and leaves the control blank.
    void AllocaImgChip();
    void FreeImgChip();

    amiga::Image* GetBitmap() const { return source; }
    short GetBorder() const { return border; }
    // The chip copy and its size in bytes; null and 0 when there is none.
    const void* GetChipCopy() const { return chipCopy; }
    std::uint64_t GetChipSize() const { return chipSize; }

private:
    amiga::Image* source = nullptr;
    short border = 0;
    void* chipCopy = nullptr;
    std::uint64_t chipSize = 0;
    // The source's header with ImageData on the chip copy (null without one).
    amiga::Image headerCopy{};
};
