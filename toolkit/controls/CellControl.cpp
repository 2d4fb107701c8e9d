// SPDX-License-Identifier: MIT
// CellControl: painting and the compare-first setters.
#include "toolkit/controls/CellControl.h"

#include "toolkit/core/Application.h"
#include "toolkit/core/Form.h"

#include <utility>

using namespace amiga;

namespace {

constexpr long None = -1;

long PenOf(unsigned long colour)
{
    return static_cast<long>(colour);
}

} // namespace

CellControl::CellControl(GUIElement* parentElement) : Child(parentElement)
{
    className = "cellcontrol";
    isTabStop = 0;
    isRenderControl = 1;
}

void CellControl::RepaintIfLoaded()
{
    if (loaded)
        OnPaint();
}

template <typename T> void CellControl::Change(T& field, T value)
{
    if (field == value)
        return;
    field = std::move(value);
    change = true;
    RepaintIfLoaded();
}

void CellControl::SetText(std::string value)
{
    Change(text, std::move(value));
}
void CellControl::SetAlign(KesaAlign value)
{
    Change(align, value);
}
void CellControl::SetCheck(short value)
{
    Change(check, value);
}
void CellControl::SetFontName(std::string value)
{
    Change(fontName, std::move(value));
}
void CellControl::SetFontSize(int value)
{
    Change(fontSize, value);
}
void CellControl::SetColor(long value)
{
    Change(color, value);
}
void CellControl::SetBold(short value)
{
    Change(bold, value);
}
void CellControl::SetBorder(short value)
{
    Change(border, value);
}
void CellControl::SetUnderline(short value)
{
    Change(underline, value);
}
void CellControl::SetItalic(short value)
{
    Change(italic, value);
}

void CellControl::SetSelected(bool value)
{
    selected = value ? 1 : 0;
    RepaintIfLoaded();
}

void CellControl::SetSelectedColor(long value)
{
    selectedColor = value;
    RepaintIfLoaded();
}

void CellControl::SetSelectedColorBG(long value)
{
    selectedColorBG = value;
    RepaintIfLoaded();
}

void CellControl::SetImage(Image* image, int imageWidth, int imageHeight, KesaAlign imageAlign)
{
    picture = image;
    pictureWidth = imageWidth;
    pictureHeight = imageHeight;
    pictureAlign = imageAlign;
    RepaintIfLoaded();
}

void CellControl::ResetBackgroundColor()
{
    if (!loaded || savedBackground < 0 || savedBackground == PenOf(backgroundColor))
        return;
    backgroundColor = static_cast<unsigned long>(savedBackground);
    change = true;
    OnPaint();
}

void CellControl::Load()
{
    if (loaded)
        return;
    LoadElementBase();
    savedBackground = PenOf(backgroundColor);
    loaded = true;
    visible = true;
    change = false;
}

void CellControl::Show()
{
    GUIElement::Show();
    OnPaint();
}

void CellControl::ShowActivate()
{
    // The element-model ShowActivate would come back through this class's Show and paint
    // twice.
    GUIElement::Show();
    OnPaint();
}

void CellControl::Hide()
{
    if (!loaded)
        return;
    // Erasing is painting: a window still building its children gets its full paint later.
    Window* window = GetFormWindow();
    if (Application::SospendiRefresh == 0 && window != nullptr && window->RPort != nullptr) {
        GUIElement* form = GetFormParent();
        const long background = PenOf(form->GetBackgroundColor());
        const tagPOINT at = GetPositionFromParent(x, y);
        Drawing(window->RPort).DrawFillRectangle(at.x, at.y, width, height, 0, 0, background == None ? 0 : background);
    }
    GUIElement::Hide();
    loaded = false;
}

void CellControl::OnPaint()
{
    if (Application::SospendiRefresh != 0 || !loaded)
        return;
    Window* window = GetFormWindow();
    if (window == nullptr || window->RPort == nullptr)
        return;
    Drawing drawing(window->RPort);
    const tagPOINT at = GetPositionFromParent(x, y);
    const int px = at.x, py = at.y, w = width, h = height;
    const int fh = drawing.GetHeightFont(this);

    const int tx = border ? px + 1 : px;
    const int ty = border ? py + 1 : py;
    const int tw = border ? w - 2 : w;
    const int th = border ? h - 2 : h;

    long fill = selected ? selectedColorBG : PenOf(backgroundColor);
    if (fill == None)
        fill = 0;
    const long ink = selected ? selectedColor : color;

    if (border) {
        // On a white cell the lower-right edges go black too, or they would vanish.
        const long lowerRight = fill == PenWhite ? PenBlack : PenWhite;
        drawing.DrawLine(px, py, px + w - 1, py, PenBlack);
        drawing.DrawLine(px, py + h - 1, px, py, PenBlack);
        drawing.DrawLine(px + w - 1, py, px + w - 1, py + h - 1, lowerRight);
        drawing.DrawLine(px, py + h - 1, px + w - 1, py + h - 1, lowerRight);
    }

    drawing.PrintText(tx, ty, tw, th, text, ink, fill, GetFonts(), align);

    if (check)
        drawing.PrintText(tx + tw - fh, ty + th - fh - 4, fh, fh, "*", ink, fill, GetFonts(), KesaAlignCenter);

    if (picture != nullptr) {
        const int top = ty + (th - pictureHeight) / 2;
        int left = tx + 3;
        if (pictureAlign == KesaAlignRight)
            left = tx + tw - pictureWidth - 3;
        else if (pictureAlign == KesaAlignCenter)
            left = tx + (tw - pictureWidth) / 2;
        drawing.DrawImageEx(left, top, pictureWidth, pictureHeight, picture);
    }
}
