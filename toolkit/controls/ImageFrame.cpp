// SPDX-License-Identifier: MIT
// ImageFrame: the picture chosen from a list.
#include "toolkit/controls/ImageFrame.h"

ImageFrame::ImageFrame(GUIElement* parentElement, amiga::Image** pictureList, int frameIndex, int frameOffset)
    : MyImage(parentElement, pictureList != nullptr ? pictureList[frameIndex + frameOffset] : nullptr),
      pictures(pictureList), frame(frameIndex), offset(frameOffset)
{
    className = "imageframe";
}

void ImageFrame::Load()
{
    if (loaded)
        return;
    const bool firstLoad = id == 0;
    MyImage::Load();
    if (firstLoad)
        savedBackground = backgroundColor;
}

void ImageFrame::SetFrame(int frameIndex, int frameOffset, int hideFirst)
{
    if (frameIndex == frame && frameOffset == offset)
        return;
    frame = frameIndex;
    offset = frameOffset;
    amiga::Image* picture = pictures != nullptr ? pictures[frame + offset] : nullptr;
    if (!loaded) {
        SetBitmap(picture);
        return;
    }
    if (hideFirst != 0)
        Hide();
    SetBitmap(picture);
    if (!loaded)
        Load();
    OnPaint();
}

void ImageFrame::SetFrame(int frameIndex, int frameOffset)
{
    SetFrame(frameIndex, frameOffset, 0);
}

void ImageFrame::ResetBackgroundColor()
{
    if (!loaded)
        return;
    backgroundColor = static_cast<unsigned long>(savedBackground);
    OnPaint();
}
