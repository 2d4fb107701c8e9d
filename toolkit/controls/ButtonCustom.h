// SPDX-License-Identifier: MIT
// ButtonCustom: the self-painted push button (bevel, caption or picture, dashed focus
// rectangle, pressed animation, optional drop-down arrow) that raises its command on release.
#pragma once

#include "platform/intuition/Images.h"
#include "toolkit/controls/PaintedChild.h"
#include "toolkit/core/CommandElement.h"

#include <string>

class ButtonCustom : public PaintedChild, public CommandElement {
public:
    // 80 × 30, text colour 1, tab stop and render control.
    ButtonCustom(GUIElement* parentElement, std::string caption);

    // Operations added by the button, after those of GUIElement.
    // Nonzero enables; repaints when loaded.
    virtual void SetEnabled(int value);
    // Caption and focus-rectangle colour; shown at the next paint, not at once.
    virtual void SetColor(int value);

    // The element-model form of SetEnabled repaints as well.
    void SetEnabled(bool value) override;
    void SetText(std::string value) override;
    // Paints pressed, waits 10 ticks (the host presents meanwhile), paints released, raises
    // the command, then the element model's handling of the release.
    void OnLeftMouseUP(tagPOINT p) override;
    // Nothing while refresh is suspended or the button is not loaded.
    void OnPaint() override;
    void OnFocus() override;
    void OnLeave() override;
    // Assigns the ID on first load, leaving the handle value alone; marks loaded and visible;
    // paints nothing.
    void Load() override;

    // Each stores and repaints when loaded. Pictures are not owned.
    void SetComboCommand(bool value);
    void SetBitmap(amiga::Image* image);
    void SetBitmapDisabled(amiga::Image* image);

    int GetColor() const { return textColor; }
    bool GetComboCommand() const { return combo; }
    short IsPressed() const { return pressed; }

private:
    void Init(GUIElement* parentElement, std::string caption);
    void RepaintIfLoaded();

    int textColor = 1;
    short pressed = 0;
    bool combo = false;
    amiga::Image* bitmap = nullptr;
    amiga::Image* bitmapDisabled = nullptr;
};
