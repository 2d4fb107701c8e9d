// SPDX-License-Identifier: MIT
// Drawing: the painter a self-painting control binds to its window's RastPort for one paint.
#pragma once

#include "platform/graphics/Graphics.h"
#include "platform/intuition/Images.h"
#include "toolkit/core/tagPOINT.h"

#include <string>

class Font;
class GUIElement;

// Horizontal alignment as Drawing reads it: 0 left, 1 right, any other value centred.
enum KesaAlign { KesaAlignLeft = 0, KesaAlignRight = 1, KesaAlignCenter = 2 };

// Line type: 0 solid, 1 dashed (pattern 0xCCCC), 2 dotted (pattern 0xAAAA).
enum KesaTipoLinea { KesaLineSolid = 0, KesaLineDashed = 1, KesaLineDotted = 2 };

// Colours are palette pen numbers; a background of -1 paints no background. Every primitive
// leaves the RastPort's pens as it found them. Drawing does not own the RastPort.
class Drawing {
public:
    explicit Drawing(amiga::RastPort* rastPort);
    ~Drawing();

    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    amiga::RastPort* GetRastPort() const { return rp; }

    long GetColorPixel(int x, int y);
    void DrawPixel(int x, int y, long colour);

    // Horizontal lines thicken downwards, all others to the right; a dashed or dotted line
    // leaves the solid pattern behind.
    void DrawLine(int x1, int y1, int x2, int y2, int type, int thickness, long colour);
    void DrawLine(int x1, int y1, int x2, int y2, int thickness, long colour);
    void DrawLine(int x1, int y1, int x2, int y2, long colour);

    // Outline of x..x+w-1 × y..y+h-1; a thickness of 0 counts as 1.
    void DrawRectangle(int x, int y, int w, int h, int thickness, long colour);
    // Fills x..x+w-1 × y..y+h-1, then (border > 0) outlines x..x+w-2 × y..y+h-2.
    void DrawFillRectangle(int x, int y, int w, int h, int borderThickness, long borderColour, long fillColour);
    // The radius is not drawn: these are the plain rectangles above.
    void DrawRoundRectangle(int x, int y, int w, int h, int radius, int thickness, long colour);
    void DrawFillRoundRectangle(int x, int y, int w, int h, int radius, int borderThickness, long borderColour,
                                long fillColour);

    void DrawPolyline(const tagPOINT* points, int count, int type, int thickness, long colour);
    void DrawPolyline(const tagPOINT* points, int count, int thickness, long colour);

    // The image at its own size with its top-left corner at (x, y); w and h are ignored.
    void DrawImageEx(int x, int y, const amiga::Image* image);
    void DrawImageEx(int x, int y, int w, int h, const amiga::Image* image);

    // Boxed text: split at the first line feed, wrapped to w at word boundaries when the box
    // has a size, aligned, the last line centred vertically when boxFlag is set; following
    // lines go one line height lower, without background, until the box is full or no
    // character fits its width. The RastPort keeps its own font and pens afterwards.
    void PrintText(int x, int y, int w, int h, const std::string& text, long fgColour, long bgColour, Font* font,
                   int align, int boxFlag);
    void PrintText(int x, int y, int w, int h, const std::string& text, long fgColour, long bgColour, Font* font,
                   int align);

    // Metrics. A font that is null (or does not open) measures as the default: height 10,
    // width 8.
    int GetHeightFont(Font* font);
    int GetHeightFont(GUIElement* element);
    int GetHeightFont();
    int GetWidthFont(Font* font);
    int GetWidthFont();
    int GetWidthMaxFont(Font* font);
    int GetWidthMaxFont();
    // Fixed-pitch estimate: the font's nominal width times the number of bytes.
    int GetStringWidth(GUIElement* element, const std::string& text);
    int GetStringWidth(const std::string& text);

private:
    void SetLinePattern(int type);

    amiga::RastPort* rp;
};
