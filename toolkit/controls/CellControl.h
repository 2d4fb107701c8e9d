// SPDX-License-Identifier: MIT
// CellControl: a self-painted text cell (fill, aligned text, optional border, selected
// colours, check mark, picture) with a change flag its owner polls.
#pragma once

#include "platform/intuition/Images.h"
#include "toolkit/controls/Drawing.h"
#include "toolkit/core/Child.h"

#include <string>

class CellControl : public Child {
public:
    explicit CellControl(GUIElement* parentElement);

    // Compare first: an equal value changes nothing; a new one is stored, flags a change
    // and repaints a loaded cell. Fonts, styles and sizes are stored only: the text is
    // always drawn in the element's font.
    void SetText(std::string value) override;
    void SetAlign(KesaAlign value);
    void SetCheck(short value);
    void SetFontName(std::string value);
    void SetFontSize(int value);
    void SetColor(long value);
    void SetBold(short value);
    void SetBorder(short value);
    void SetUnderline(short value);
    void SetItalic(short value);

    // Store and repaint a loaded cell; no comparison, no change flag.
    void SetSelected(bool value);
    void SetSelectedColor(long value);
    void SetSelectedColorBG(long value);
    // The picture (not owned) is placed with the given size and alignment, over the text.
    void SetImage(amiga::Image* image, int imageWidth, int imageHeight, KesaAlign imageAlign);

    long GetColor() const { return color; }
    bool IsChange() const { return change; }
    void ResetChange() { change = false; }
    bool IsSelected() const { return selected != 0; }
    short GetCheck() const { return check; }
    short GetBorder() const { return border; }
    KesaAlign GetAlign() const { return align; }
    // When loaded and the background saved at load differs from the current one: restore
    // it, flag a change, repaint.
    void ResetBackgroundColor();

    // Assigns the ID on first load, saves the background, marks loaded and visible and
    // clears the change flag; paints nothing.
    void Load() override;
    void Show() override;
    void ShowActivate() override;
    // Erases the cell with the window's background and unloads it.
    void Hide() override;
    // Nothing while refresh is suspended or the cell is not loaded.
    void OnPaint() override;

private:
    // Stores a differing value, flags the change and repaints.
    template <typename T> void Change(T& field, T value);
    void RepaintIfLoaded();

    bool change = false;
    amiga::Image* picture = nullptr;
    KesaAlign pictureAlign = KesaAlignRight;
    int pictureWidth = 0;
    int pictureHeight = 0;
    short check = 0;
    short bold = 0;
    short underline = 0;
    short italic = 0;
    std::string fontName = "Topaz";
    int fontSize = 8;
    KesaAlign align = KesaAlignCenter;
    long color = 1;
    long savedBackground = -1;
    short border = 0;
    short selected = 0;
    long selectedColor = 1;
    long selectedColorBG = 10;
};
