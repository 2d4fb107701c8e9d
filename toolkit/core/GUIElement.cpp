// SPDX-License-Identifier: MIT
// GUIElement: default behaviour of every element operation. Setters always store; an element
// that is loaded also applies the change at once.
#include "toolkit/core/GUIElement.h"

#include "toolkit/core/Application.h"

#include <utility>

amiga::TextAttr GUIElement::Helvetica24 = {"helvetica.font", 24, amiga::FS_NORMAL, amiga::FPF_DISKFONT};
amiga::TextAttr GUIElement::Times18 = {"times.font", 18, amiga::FS_NORMAL, amiga::FPF_DISKFONT};
amiga::TextAttr GUIElement::Topaz9 = {"topaz.font", 9, amiga::FS_NORMAL, amiga::FPF_ROMFONT};
amiga::TextAttr GUIElement::Topaz8 = {"topaz.font", 8, amiga::FS_NORMAL, amiga::FPF_ROMFONT};

GUIElement::GUIElement(unsigned long instanceValue) : instance(instanceValue), lastLeftRelease(MyDateTime::Now())
{
    Application::AddWinForm(this);
}

GUIElement::~GUIElement()
{
    // Child and Form leave the registries in their own destructors; this only makes sure
    // that no registry keeps a dangling pointer to an element that skipped that step.
    Application::ForgetElement(this);
}

int GUIElement::Width()
{
    return width;
}
int GUIElement::ClientWidth()
{
    return width;
}
int GUIElement::Height()
{
    return height;
}
int GUIElement::ClientHeight()
{
    return height;
}
tagPOINT GUIElement::GetPosition()
{
    return tagPOINT{x, y};
}
tagPOINT GUIElement::GetSize()
{
    return tagPOINT{width, height};
}
tagPOINT GUIElement::GetClientSize()
{
    return tagPOINT{width, height};
}

void GUIElement::SetSize(int newWidth, int newHeight)
{
    width = newWidth;
    height = newHeight;
    if (loaded)
        _SpecializedResize();
}

void GUIElement::SetLocation(int newX, int newY)
{
    x = newX;
    y = newY;
    if (loaded)
        _SpecializedMove();
}

void GUIElement::SetPosition(int newX, int newY)
{
    SetLocation(newX, newY);
}
void GUIElement::SetPosition(tagPOINT p)
{
    SetLocation(p.x, p.y);
}

void GUIElement::SetBackgroundColor(unsigned long colour)
{
    backgroundColor = colour;
    if (loaded)
        OnPaint();
}

unsigned long GUIElement::GetBackgroundColor()
{
    return backgroundColor;
}

void GUIElement::Show()
{
    if (!loaded)
        Load();
    visible = true;
}

void GUIElement::ShowActivate()
{
    Show();
}

void GUIElement::Hide()
{
    // The platform counterpart and the ID stay: showing again is cheap and keeps the ID.
    if (loaded)
        visible = false;
}

bool GUIElement::IsVisible()
{
    return visible;
}
bool GUIElement::IsLoad()
{
    return loaded;
}
void GUIElement::Flashing() {}
void GUIElement::SetEnabled(bool value)
{
    enabled = value;
}
bool GUIElement::GetEnabled()
{
    return enabled;
}

void GUIElement::SetZOrder(GUIElement* other)
{
    if (loaded && other != nullptr && other->GetHWND() != nullptr)
        _SpecializedMoveOver(other);
}

void GUIElement::SetZOrder_Top()
{
    if (loaded)
        _SpecializedMoveFront();
}

void GUIElement::SetZOrder_TopMost()
{
    if (loaded)
        _SpecializedMoveFront();
}

void GUIElement::SetZOrder_Bottom()
{
    if (loaded)
        _SpecializedMoveBottom();
}

void GUIElement::SetToolTip(std::string value)
{
    toolTip = std::move(value);
}
std::string GUIElement::GetToolTip()
{
    return toolTip;
}

void GUIElement::SetFonts(Font value)
{
    font = value;
    if (loaded)
        _SpecializedSetFont();
}

Font* GUIElement::GetFonts()
{
    return &font;
}
short GUIElement::IsTabStop()
{
    return isTabStop;
}
short GUIElement::IsRenderControl()
{
    return isRenderControl;
}
short GUIElement::IsChildren()
{
    return isChildren;
}

bool GUIElement::Hit(tagPOINT p)
{
    if (!loaded || !visible)
        return false;
    // The tested rectangle is one pixel wider and taller than the element: both the right
    // and the bottom edge count as inside.
    const int64_t right = static_cast<int64_t>(x) + width;
    const int64_t bottom = static_cast<int64_t>(y) + height;
    return x <= p.x && p.x <= right && y <= p.y && p.y <= bottom;
}

void GUIElement::SetText(std::string value)
{
    text = std::move(value);
}
std::string GUIElement::GetText()
{
    return text;
}
std::string GUIElement::GetTextW()
{
    return GetText();
}

void GUIElement::OnLeftMouseUP(tagPOINT p)
{
    if (onLeftMouseUp != nullptr)
        onLeftMouseUp(this, handleValue, p);
    const MyDateTime now = MyDateTime::Now();
    if (now.MillisecondsSince(lastLeftRelease) <= 999)
        OnLeftMouseDBLCLK(p);
    lastLeftRelease = now;
}

void GUIElement::OnLeftMouseDOWN(tagPOINT p)
{
    if (onLeftMouseDown != nullptr)
        onLeftMouseDown(this, handleValue, p);
}

void GUIElement::OnLeftMouseDBLCLK(tagPOINT p)
{
    if (onLeftMouseDoubleClick != nullptr)
        onLeftMouseDoubleClick(this, handleValue, p);
}

void GUIElement::OnRightMouseUP(tagPOINT p)
{
    if (onRightMouseUp != nullptr)
        onRightMouseUp(this, handleValue, p);
}

void GUIElement::OnRightMouseDOWN(tagPOINT p)
{
    if (onRightMouseDown != nullptr)
        onRightMouseDown(this, handleValue, p);
}

void GUIElement::OnRightMouseDBLCLK(tagPOINT p)
{
    if (onRightMouseDoubleClick != nullptr)
        onRightMouseDoubleClick(this, handleValue, p);
}

void GUIElement::OnKeyUP(int key)
{
    if (onKeyUp != nullptr)
        onKeyUp(this, key);
}

void GUIElement::OnKeyDOWN(int key)
{
    if (onKeyDown != nullptr)
        onKeyDown(this, key);
}

bool GUIElement::OnKeyPress(int key)
{
    return onKeyPress != nullptr ? onKeyPress(this, key) : true;
}

void GUIElement::OnMouseMove(int mouseX, int mouseY)
{
    if (onMouseMove != nullptr)
        onMouseMove(this, mouseX, mouseY);
}

void GUIElement::OnMouseHover()
{
    if (onMouseHover != nullptr)
        onMouseHover(this);
}

void GUIElement::OnMouseLeave()
{
    if (onMouseLeave != nullptr)
        onMouseLeave(this);
}

void GUIElement::Focus()
{
    focused = 1;
}

void GUIElement::OnMove()
{
    // Derived classes refresh their stored position from the platform here.
    GetPosition();
    if (onMove != nullptr)
        onMove(this);
}

void GUIElement::OnResize()
{
    SetBackgroundColor(backgroundColor);
    if (onResize != nullptr)
        onResize(this);
}

void GUIElement::OnPaint() {}

bool GUIElement::OnClosing()
{
    return onClosing != nullptr ? onClosing(this) : true;
}

void GUIElement::OnClose()
{
    if (onClose != nullptr)
        onClose(this);
    closed = true;
}

void GUIElement::OnFocus()
{
    focused = 1;
    textAtFocus = GetTextW();
    if (onFocus != nullptr)
        onFocus(this);
}

void GUIElement::OnLeave()
{
    focused = 0;
    if (onLeave != nullptr)
        onLeave(this);
    if (GetTextW() != textAtFocus && onTextChange != nullptr)
        onTextChange(this);
}

void GUIElement::OnActivate()
{
    if (onActivate != nullptr)
        onActivate(this);
}

void GUIElement::OnDeactivate()
{
    if (onDeactivate != nullptr)
        onDeactivate(this);
}

void GUIElement::OnCreateChildren(unsigned long value)
{
    if (handleValue == 0)
        handleValue = value;
    if (!childrenCreated && onCreateChildren != nullptr)
        onCreateChildren(this, handleValue);
    childrenCreated = true;
}

void GUIElement::Refresh()
{
    if (loaded)
        _SpecializedRefresh();
}

bool GUIElement::CursorWait()
{
    return cursorWait;
}
bool GUIElement::CursorHand()
{
    return cursorHand;
}

void GUIElement::SetCursorWait(bool value)
{
    cursorWait = value;
    if (value)
        cursorHand = false;
}

void GUIElement::SetCursorHand(bool value)
{
    cursorHand = value;
    if (value)
        cursorWait = false;
}

void GUIElement::OnShow() {}
void* GUIElement::GetHWND()
{
    return &handleValue;
}

void GUIElement::_SpecializedMove() {}
void GUIElement::_SpecializedResize() {}
void GUIElement::_SpecializedRefresh() {}
void GUIElement::_SpecializedMoveFront() {}
void GUIElement::_SpecializedMoveBottom() {}
void GUIElement::_SpecializedMoveOver(GUIElement*) {}
void GUIElement::_SpecializedSetFont() {}

void GUIElement::LoadElementBase()
{
    if (id == 0) {
        countForm = countForm + 1;
        id = countForm;
        handleValue = id;
    }
    if (loaded)
        _SpecializedSetFont();
}
