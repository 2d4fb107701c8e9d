// SPDX-License-Identifier: MIT
// GUIElement: the toolkit's element (window, control or timer): identity, retained state,
// callback slots and the virtual interface every concrete element fills in.
#pragma once

#include "platform/graphics/Graphics.h"
#include "platform/intuition/Intuition.h"
#include "toolkit/controls/Font.h"
#include "toolkit/core/MyDateTime.h"
#include "toolkit/core/tagPOINT.h"

#include <string>

class GUIElement;

// Callback slots: the first argument is always the element itself.
using CreateChildrenHandler = void (*)(GUIElement*, unsigned long);
using MouseHandler = void (*)(GUIElement*, unsigned long, tagPOINT);
using KeyHandler = void (*)(GUIElement*, int);
using KeyPressHandler = bool (*)(GUIElement*, int);
using ElementHandler = void (*)(GUIElement*);
using ClosingHandler = bool (*)(GUIElement*);
using MouseMoveHandler = void (*)(GUIElement*, int, int);

class GUIElement {
public:
    // Last ID handed out; IDs start at 1 and are never reused.
    static inline unsigned int countForm = 0;
    // The screen every window opens on and its GadTools visual information; set by the
    // first window that opens.
    static inline amiga::Screen* GlobalScreen = nullptr;
    static inline amiga::APTR GlobalVisualInfo = nullptr;
    static amiga::TextAttr Helvetica24;
    static amiga::TextAttr Times18;
    static amiga::TextAttr Topaz9;
    static amiga::TextAttr Topaz8;

    // Enters the element registry; the concrete class sets the kind name afterwards.
    explicit GUIElement(unsigned long instanceValue);
    GUIElement(const GUIElement&) = delete;
    GUIElement& operator=(const GUIElement&) = delete;

    // The virtual operations, in their fixed slot order.
    virtual int Width();
    virtual int ClientWidth();
    virtual int Height();
    virtual int ClientHeight();
    virtual tagPOINT GetPosition();
    virtual tagPOINT GetSize();
    virtual tagPOINT GetClientSize();
    virtual void SetSize(int newWidth, int newHeight);
    virtual void SetLocation(int newX, int newY);
    virtual void SetPosition(int newX, int newY);
    virtual void SetPosition(tagPOINT p);
    virtual void SetBackgroundColor(unsigned long colour);
    virtual unsigned long GetBackgroundColor();
    virtual void Show();
    virtual void ShowActivate();
    virtual void Hide();
    virtual bool IsVisible();
    virtual bool IsLoad();
    virtual void Flashing();
    virtual void SetEnabled(bool value);
    virtual bool GetEnabled();
    virtual void SetZOrder(GUIElement* other);
    virtual void SetZOrder_Top();
    virtual void SetZOrder_TopMost();
    virtual void SetZOrder_Bottom();
    virtual void SetToolTip(std::string value);
    virtual std::string GetToolTip();
    virtual void SetFonts(Font value);
    virtual Font* GetFonts();
    virtual short IsTabStop();
    virtual short IsRenderControl();
    virtual short IsChildren();
    // True when loaded, visible and p lies in x..x+width × y..y+height, both ends included.
    virtual bool Hit(tagPOINT p);
    virtual void SetText(std::string value);
    virtual std::string GetText();
    virtual std::string GetTextW();
    // Left-up handler, then a double click when the previous release is at most 999 ms ago.
    virtual void OnLeftMouseUP(tagPOINT p);
    virtual void OnLeftMouseDOWN(tagPOINT p);
    virtual void OnLeftMouseDBLCLK(tagPOINT p);
    virtual void OnRightMouseUP(tagPOINT p);
    virtual void OnRightMouseDOWN(tagPOINT p);
    virtual void OnRightMouseDBLCLK(tagPOINT p);
    virtual void OnKeyUP(int key);
    virtual void OnKeyDOWN(int key);
    // The key-press handler's answer; true without one.
    virtual bool OnKeyPress(int key);
    virtual void OnMouseMove(int mouseX, int mouseY);
    virtual void OnMouseHover();
    virtual void OnMouseLeave();
    virtual void Focus();
    virtual void OnMove();
    virtual void OnResize();
    virtual void OnPaint();
    // The closing handler's answer; true without one, so an element may always close.
    virtual bool OnClosing();
    virtual void OnClose();
    virtual void OnFocus();
    // Leave handler, then the text-change handler when the text differs from the focus time.
    virtual void OnLeave();
    virtual void OnActivate();
    virtual void OnDeactivate();
    // Runs the create-children handler once in the element's life.
    virtual void OnCreateChildren(unsigned long handleValue);
    virtual void Refresh();
    virtual bool CursorWait();
    virtual bool CursorHand();
    virtual void SetCursorWait(bool value);
    virtual void SetCursorHand(bool value);
    virtual void OnShow();
    virtual void* GetHWND();
    // Creates the platform counterpart, assigns the ID and sets loaded.
    virtual void Load() = 0;

protected:
    // Apply a stored change to the platform counterpart of a loaded element.
    virtual void _SpecializedMove();
    virtual void _SpecializedResize();
    virtual void _SpecializedRefresh();
    virtual void _SpecializedMoveFront();
    virtual void _SpecializedMoveBottom();
    virtual void _SpecializedMoveOver(GUIElement* other);
    virtual void _SpecializedSetFont();

public:
    // Virtual, after every operation above so that their slots keep their order: windows
    // and timers are also handled through base pointers, and a derived part must never be
    // skipped when one is destroyed.
    virtual ~GUIElement();

    unsigned int GetID() const { return id; }
    unsigned long GetInstance() const { return instance; }
    std::string GetKesaClassName() const { return className; }
    bool IsKeyPreview() const { return isKeyPreview; }
    bool IsClosed() const { return closed; }
    // Hands out the ID on first load (the handle value becomes the ID); sets the font of a
    // loaded element.
    void LoadElementBase();
    void RegisterWinProc() {}
    void UpdateToolTip() {}

    void SetOnCreateChildren(CreateChildrenHandler handler) { onCreateChildren = handler; }
    void SetOnLeftMouseUP(MouseHandler handler) { onLeftMouseUp = handler; }
    void SetOnLeftMouseDOWN(MouseHandler handler) { onLeftMouseDown = handler; }
    void SetOnLeftMouseDBLCLK(MouseHandler handler) { onLeftMouseDoubleClick = handler; }
    void SetOnRightMouseUP(MouseHandler handler) { onRightMouseUp = handler; }
    void SetOnRightMouseDOWN(MouseHandler handler) { onRightMouseDown = handler; }
    void SetOnRightMouseDBLCLK(MouseHandler handler) { onRightMouseDoubleClick = handler; }
    void SetOnKeyUP(KeyHandler handler) { onKeyUp = handler; }
    void SetOnKeyDOWN(KeyHandler handler) { onKeyDown = handler; }
    void SetOnKeyPress(KeyPressHandler handler) { onKeyPress = handler; }
    void SetOnMove(ElementHandler handler) { onMove = handler; }
    void SetOnResize(ElementHandler handler) { onResize = handler; }
    void SetOnClosing(ClosingHandler handler) { onClosing = handler; }
    void SetOnClose(ElementHandler handler) { onClose = handler; }
    void SetOnFocus(ElementHandler handler) { onFocus = handler; }
    void SetOnLeave(ElementHandler handler) { onLeave = handler; }
    void SetOnActivate(ElementHandler handler) { onActivate = handler; }
    void SetOnDeactivate(ElementHandler handler) { onDeactivate = handler; }
    void SetOnTextChange(ElementHandler handler) { onTextChange = handler; }
    void SetOnMouseMove(MouseMoveHandler handler) { onMouseMove = handler; }
    void SetOnMouseHover(ElementHandler handler) { onMouseHover = handler; }
    void SetOnMouseLeave(ElementHandler handler) { onMouseLeave = handler; }

protected:
    std::string className;
    short isChildren = 0;
    short isTabStop = 1;
    short isRenderControl = 0;
    bool visible = false;
    bool isKeyPreview = false;
    bool closed = false;
    bool cursorWait = false;
    bool cursorHand = false;
    unsigned long handleValue = 0;
    unsigned long instance = 0;
    Font font;
    int width = 100;
    int height = 50;
    int x = 100;
    int y = 100;
    bool loaded = false;
    unsigned long backgroundColor = static_cast<unsigned long>(-1);
    bool enabled = true;
    unsigned int id = 0;
    std::string toolTip;
    std::string text;
    std::string textAtFocus;
    GUIElement* parent = nullptr;
    CreateChildrenHandler onCreateChildren = nullptr;
    bool childrenCreated = false;
    MouseHandler onLeftMouseUp = nullptr;
    MouseHandler onLeftMouseDown = nullptr;
    MouseHandler onLeftMouseDoubleClick = nullptr;
    MouseHandler onRightMouseUp = nullptr;
    MouseHandler onRightMouseDown = nullptr;
    MouseHandler onRightMouseDoubleClick = nullptr;
    KeyHandler onKeyUp = nullptr;
    KeyHandler onKeyDown = nullptr;
    KeyPressHandler onKeyPress = nullptr;
    ElementHandler onMove = nullptr;
    ElementHandler onResize = nullptr;
    ClosingHandler onClosing = nullptr;
    ElementHandler onClose = nullptr;
    ElementHandler onFocus = nullptr;
    ElementHandler onLeave = nullptr;
    ElementHandler onActivate = nullptr;
    ElementHandler onDeactivate = nullptr;
    ElementHandler onTextChange = nullptr;
    MouseMoveHandler onMouseMove = nullptr;
    ElementHandler onMouseHover = nullptr;
    ElementHandler onMouseLeave = nullptr;
    short focused = 0;
    MyDateTime lastLeftRelease;
};
