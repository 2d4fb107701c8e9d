// SPDX-License-Identifier: MIT
// ImageFrame: an image control (kind "imageframe") that shows one picture of a
// null-terminated list, pictures[frame + offset]; the game board is made of them.
#pragma once

#include "toolkit/controls/MyImage.h"

#include <cstdint>
#include <string>

class ImageFrame : public MyImage {
public:
    // A MyImage over pictures[frame + offset]; the list is not owned.
    ImageFrame(GUIElement* parentElement, amiga::Image** pictureList, int frameIndex, int frameOffset);

    // As MyImage's, and on the first load (when the ID is handed out) the background
    // colour of that moment is saved for ResetBackgroundColor.
    void Load() override;

    // Shows pictures[frame + offset]. Nothing happens when both equal the current ones.
    // Loaded: with hideFirst nonzero the control is hidden first, so the old picture is
    // erased in the background colour; then the new picture is painted.
    void SetFrame(int frameIndex, int frameOffset, int hideFirst);
    void SetFrame(int frameIndex, int frameOffset);
    int GetFrame() const { return frame; }
    int GetOffset() const { return offset; }
    // Loaded: the background colour goes back to the one saved at the first load, and the
    // control repaints.
    void ResetBackgroundColor();
    // Stored only: painting does not read it.
    void SetTrasparent(short value) { transparent = value; }
    short GetTrasparent() const { return transparent; }

    // Free text for the owner (the game keeps the colour code of the frame in it); never
    // shown.
    std::string Tag;

private:
    short transparent = 1;
    amiga::Image** pictures = nullptr;
    std::uint64_t savedBackground = 0xFFFFFFFF;
    int frame = 0;
    int offset = 0;
};
