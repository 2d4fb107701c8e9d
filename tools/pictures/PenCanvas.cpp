// SPDX-License-Identifier: MIT
// PenCanvas: the shapes of the picture descriptions.
#include "tools/pictures/PenCanvas.h"

#include <algorithm>
#include <cstddef>

namespace pictures {

PenCanvas::PenCanvas(int width, int height, Pen background)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background)
{
}

Pen PenCanvas::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void PenCanvas::Set(int x, int y, Pen pen)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = pen;
}

void PenCanvas::FillRect(int x, int y, int w, int h, Pen pen)
{
    for (int row = std::max(0, y); row < std::min(height_, y + h); ++row)
        for (int column = std::max(0, x); column < std::min(width_, x + w); ++column)
            Set(column, row, pen);
}

void PenCanvas::FillWhere(const std::function<bool(int, int)>& inside, Pen pen)
{
    for (int row = 0; row < height_; ++row)
        for (int column = 0; column < width_; ++column)
            if (inside(column, row))
                Set(column, row, pen);
}

void PenCanvas::Stamp(int x, int y, const std::vector<std::string>& art, Pen pen)
{
    for (std::size_t row = 0; row < art.size(); ++row)
        for (std::size_t column = 0; column < art[row].size(); ++column)
            if (art[row][column] == '#')
                Set(x + static_cast<int>(column), y + static_cast<int>(row), pen);
}

void PenCanvas::StampMask(int x, int y, const PenCanvas& mask, int scale, Pen pen)
{
    for (int row = 0; row < mask.Height(); ++row)
        for (int column = 0; column < mask.Width(); ++column)
            if (mask.At(column, row) != 0)
                FillRect(x + column * scale, y + row * scale, scale, scale, pen);
}

void PenCanvas::Paste(int x, int y, const PenCanvas& other)
{
    for (int row = 0; row < other.Height(); ++row)
        for (int column = 0; column < other.Width(); ++column)
            Set(x + column, y + row, other.At(column, row));
}

int PenCanvas::Count(Pen pen) const
{
    return static_cast<int>(std::count(pixels_.begin(), pixels_.end(), pen));
}

} // namespace pictures
