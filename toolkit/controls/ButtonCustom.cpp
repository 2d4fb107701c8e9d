// SPDX-License-Identifier: MIT
// ButtonCustom: painting, the click animation and the retained state.
#include "toolkit/controls/ButtonCustom.h"

#include "platform/dos/Dos.h"
#include "toolkit/controls/Drawing.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/Form.h"
#include "toolkit/data/BuiltinImages.h"

#include <utility>

using namespace amiga;

namespace {

constexpr long None = -1;
constexpr long DisabledCaptionPen = 22;
constexpr LONG PressedTicks = 10;

long PenOf(unsigned long colour)
{
    return static_cast<long>(colour);
}

} // namespace

ButtonCustom::ButtonCustom(GUIElement* parentElement, std::string caption) : PaintedChild(parentElement)
{
    Init(parentElement, std::move(caption));
}

void ButtonCustom::Init(GUIElement* parentElement, std::string caption)
{
    className = "ButtonCustom";
    width = 80;
    height = 30;
    parent = parentElement;
    bitmap = nullptr;
    bitmapDisabled = nullptr;
    combo = false;
    text = std::move(caption);
    isTabStop = 1;
    isRenderControl = 1;
    textColor = 1;
    pressed = 0;
}

void ButtonCustom::RepaintIfLoaded()
{
    if (loaded)
        OnPaint();
}

void ButtonCustom::SetEnabled(int value)
{
    enabled = value != 0;
    RepaintIfLoaded();
}

void ButtonCustom::SetEnabled(bool value)
{
    SetEnabled(value ? 1 : 0);
}

void ButtonCustom::SetColor(int value)
{
    textColor = value;
}

void ButtonCustom::SetComboCommand(bool value)
{
    combo = value;
    RepaintIfLoaded();
}

void ButtonCustom::SetBitmap(Image* image)
{
    bitmap = image;
    RepaintIfLoaded();
}

void ButtonCustom::SetBitmapDisabled(Image* image)
{
    bitmapDisabled = image;
    RepaintIfLoaded();
}

void ButtonCustom::SetText(std::string value)
{
    text = std::move(value);
    RepaintIfLoaded();
}

void ButtonCustom::Load()
{
    if (loaded)
        return;
    // The ID only: unlike LoadElementBase, the handle value stays what it was.
    if (id == 0)
        id = ++countForm;
    loaded = true;
    visible = true;
}

void ButtonCustom::OnFocus()
{
    GUIElement::OnFocus();
    OnPaint();
}

void ButtonCustom::OnLeave()
{
    GUIElement::OnLeave();
    OnPaint();
}

void ButtonCustom::OnLeftMouseUP(tagPOINT p)
{
    pressed = 1;
    OnPaint();
    // The host presents the pressed face while the program blocks here.
    Delay(PressedTicks);
    pressed = 0;
    OnPaint();
    OnCommand(this);
    GUIElement::OnLeftMouseUP(p);
}

void ButtonCustom::OnPaint()
{
    if (Application::SospendiRefresh != 0 || !loaded)
        return;
    Window* window = GetFormWindow();
    if (window == nullptr || window->RPort == nullptr)
        return;
    Drawing drawing(window->RPort);
    const tagPOINT at = GetPositionFromParent(x, y);
    const int px = at.x, py = at.y, w = width, h = height;

    long face = PenOf(backgroundColor);
    if (face == None)
        face = SurroundingPen();
    drawing.DrawFillRectangle(px, py, w, h, 0, 0, face);

    const long topLeft = pressed ? PenBlack : PenWhite;
    const long bottomRight = pressed ? PenWhite : PenBlack;
    drawing.DrawLine(px, py, px + w - 1, py, topLeft);
    drawing.DrawLine(px, py + h - 1, px, py, topLeft);
    drawing.DrawLine(px + w - 1, py, px + w - 1, py + h - 1, bottomRight);
    drawing.DrawLine(px, py + h - 1, px + w - 1, py + h - 1, bottomRight);

    if (focused && enabled && !pressed) {
        drawing.DrawLine(px + 4, py + 2, px + w - 5, py + 2, KesaLineDashed, 1, textColor);
        drawing.DrawLine(px + 4, py + h - 3, px + 4, py + 2, KesaLineDashed, 1, textColor);
        drawing.DrawLine(px + w - 5, py + 2, px + w - 5, py + h - 3, KesaLineDashed, 1, textColor);
        drawing.DrawLine(px + 4, py + h - 3, px + w - 5, py + h - 3, KesaLineDashed, 1, textColor);
    }

    const long caption = enabled ? textColor : DisabledCaptionPen;
    const Image* picture = (!enabled && bitmapDisabled != nullptr) ? bitmapDisabled : bitmap;
    const bool hasCaption = !text.empty();

    // Caption and picture side by side: the caption starts 10 pixels right of the picture
    // and ends 12 pixels short of the right edge, or the arrow and 16 pixels in combo mode.
    auto captionBesidePicture = [&](int rightReserve) {
        const int left = px + picture->Width + 10;
        drawing.PrintText(left, py + 4, w - picture->Width - 10 - rightReserve, h - 8, text, caption, face, GetFonts(),
                          KesaAlignLeft);
        drawing.DrawImageEx(px + 8, py + (h - picture->Height) / 2, picture);
    };

    if (!combo) {
        if (hasCaption && picture == nullptr)
            drawing.PrintText(px + 6, py + 4, w - 12, h - 8, text, caption, face, GetFonts(), KesaAlignCenter);
        else if (hasCaption)
            captionBesidePicture(12);
        else if (picture != nullptr)
            drawing.DrawImageEx(px + (w - picture->Width) / 2, py + (h - picture->Height) / 2, picture);
        return;
    }

    const Image* arrow = enabled ? &imgCbo : &imgCboDis;
    if (hasCaption && picture == nullptr)
        drawing.PrintText(px + 6, py + 4, w - arrow->Width - 16, h - 8, text, caption, face, GetFonts(), KesaAlignLeft);
    else if (hasCaption)
        captionBesidePicture(arrow->Width + 16);
    drawing.DrawImageEx(px + w - arrow->Width - 8, py + (h - arrow->Height) / 2, arrow);
}
