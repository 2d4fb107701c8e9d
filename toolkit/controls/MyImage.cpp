// SPDX-License-Identifier: MIT
// MyImage: the picture control.
#include "toolkit/controls/MyImage.h"

#include "platform/exec/Exec.h"
#include "toolkit/controls/Drawing.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/Form.h"

#include <cstring>
#include <string>

namespace {

// The RastPort of the window the element lives in; null while the window is not open.
amiga::RastPort* WindowRastPort(const Child& element)
{
    amiga::Window* window = element.GetFormWindow();
    return window != nullptr ? window->RPort : nullptr;
}

} // namespace

MyImage::MyImage(GUIElement* parentElement, amiga::Image* image) : PaintedChild(parentElement), source(image)
{
    className = "image";
    isTabStop = 0;
    isRenderControl = 1;
    AllocaImgChip();
}

MyImage::~MyImage()
{
    FreeImgChip();
}

void MyImage::OnPaint()
{
    if (Application::SospendiRefresh != 0 || !loaded)
        return;
    amiga::RastPort* rp = WindowRastPort(*this);
    if (rp == nullptr)
        return;
    Drawing drawing(rp);
    const tagPOINT origin = GetPositionFromParent(x, y);
    if (source == nullptr) {
        drawing.DrawFillRectangle(origin.x, origin.y, width, height, 0, 0, SurroundingPen());
    } else if (chipCopy != nullptr) {
        drawing.DrawImageEx(origin.x, origin.y, &headerCopy);
    }
    if (border != 0) {
        const int right = origin.x + width - 1;
        const int bottom = origin.y + height - 1;
        drawing.DrawLine(origin.x, origin.y, right, origin.y, amiga::PenBlack);
        drawing.DrawLine(origin.x, bottom, origin.x, origin.y, amiga::PenBlack);
        drawing.DrawLine(right, origin.y, right, bottom, amiga::PenWhite);
        drawing.DrawLine(origin.x, bottom, right, bottom, amiga::PenWhite);
    }
}

void MyImage::Load()
{
    if (loaded)
        return;
    LoadElementBase();
    loaded = true;
    visible = true;
}

void MyImage::SetBitmap(amiga::Image* image)
{
    FreeImgChip();
    source = image;
    AllocaImgChip();
    if (loaded)
        OnPaint();
}

void MyImage::SetBorder(short value)
{
    border = value;
    if (loaded)
        OnPaint();
}

void MyImage::SetEnabled(int value)
{
    enabled = value != 0;
}

void MyImage::AllocaImgChip()
{
    if (source == nullptr)
        return;
    headerCopy = *source;
    headerCopy.ImageData = nullptr;
    const int64_t imageWidth = source->Width;
    const int64_t size = 2 * ((imageWidth + 15) / 16) * source->Height * source->Depth;
    chipSize = size > 0 ? static_cast<std::uint64_t>(size) : 0;
    // A size that does not fit the platform's allocator is asked for as 0, which fails.
    const amiga::ULONG request = chipSize <= 0xFFFFFFFFu ? static_cast<amiga::ULONG>(chipSize) : 0;
    chipCopy = amiga::AllocMem(request, amiga::MEMF_CHIP);
    if (chipCopy == nullptr) {
        Application::Log(std::to_string(size) + " bytes richiesti MyImage::AllocaImgChip fallita.");
        chipSize = 0;
        return;
    }
    if (source->ImageData != nullptr)
        std::memcpy(chipCopy, source->ImageData, request);
    else
        std::memset(chipCopy, 0, request);
    headerCopy.ImageData = static_cast<amiga::UWORD*>(chipCopy);
}

void MyImage::FreeImgChip()
{
    if (chipCopy != nullptr)
        amiga::FreeMem(chipCopy, static_cast<amiga::ULONG>(chipSize));
    chipCopy = nullptr;
    chipSize = 0;
    headerCopy.ImageData = nullptr;
}
