// SPDX-License-Identifier: MIT
// PenCanvas: a picture under construction, one palette pen per pixel, with the few shapes
// the built-in pictures are described in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pictures {

using Pen = std::uint8_t;

class PenCanvas {
public:
    // Every pixel starts in `background`.
    PenCanvas(int width, int height, Pen background = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Pen At(int x, int y) const;
    // Pixels outside the canvas are ignored.
    void Set(int x, int y, Pen pen);

    // x..x+w-1 × y..y+h-1.
    void FillRect(int x, int y, int w, int h, Pen pen);
    // Every pixel for which `inside(x, y)` holds.
    void FillWhere(const std::function<bool(int, int)>& inside, Pen pen);
    // ASCII art with its top-left corner at (x, y): '#' is a pixel in `pen`, anything else
    // leaves the canvas as it is.
    void Stamp(int x, int y, const std::vector<std::string>& art, Pen pen);
    // Every pixel of `mask` that is not 0 becomes a scale × scale block in `pen`, the mask's
    // top-left corner at (x, y).
    void StampMask(int x, int y, const PenCanvas& mask, int scale, Pen pen);
    // Copies `other` with its top-left corner at (x, y).
    void Paste(int x, int y, const PenCanvas& other);

    // How many pixels are in `pen`.
    int Count(Pen pen) const;
    const std::vector<Pen>& Pixels() const { return pixels_; }

private:
    int width_;
    int height_;
    std::vector<Pen> pixels_;
};

} // namespace pictures
