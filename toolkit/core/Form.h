// SPDX-License-Identifier: MIT
// Form: the toolkit's window element. It owns one platform window with a GadTools gadget
// context, creates its children when it opens, repaints its self-painting children and
// closes its window on request.
#pragma once

#include "toolkit/core/GUIElement.h"

#include <memory>
#include <string>

namespace amiga {
struct Gadget;
struct Window;
} // namespace amiga

class KesaScreen;

class Form : public GUIElement {
public:
    // The classes a window asks for. No VANILLAKEY: keys come as raw keys.
    static constexpr amiga::ULONG WindowIDCMP =
        amiga::IDCMP_NEWSIZE | amiga::IDCMP_REFRESHWINDOW | amiga::IDCMP_MOUSEBUTTONS | amiga::IDCMP_MOUSEMOVE |
        amiga::IDCMP_GADGETDOWN | amiga::IDCMP_GADGETUP | amiga::IDCMP_MENUPICK | amiga::IDCMP_CLOSEWINDOW |
        amiga::IDCMP_RAWKEY | amiga::IDCMP_DISKINSERTED | amiga::IDCMP_ACTIVEWINDOW | amiga::IDCMP_INACTIVEWINDOW;
    // Dialogs have no menus.
    static constexpr amiga::ULONG DialogIDCMP = WindowIDCMP & ~amiga::IDCMP_MENUPICK;

    explicit Form(unsigned long instanceValue);
    Form(unsigned long instanceValue, bool dialog);
    // Leaves the registries, then closes the window.
    ~Form() override;

    // Overridden element operations.
    tagPOINT GetPosition() override;
    void SetBackgroundColor(unsigned long colour) override;
    void Focus() override;
    // Paints every loaded render-control child, in registry order.
    void OnPaint() override;
    void SetCursorWait(bool value) override;
    void* GetHWND() override;
    // Opens the window (main window, dialog, or window on the default public screen), builds
    // the children with painting suspended, then paints once.
    void Load() override;

    // Operations added by windows, in their slot order.
    virtual void RegisterHotKeyForm();
    virtual void UnregisterHotKeyForm();
    virtual std::string Title();
    // The text; when loaded also the window's and the screen's title.
    virtual void SetTitle(std::string value);
    virtual std::string TitleW();
    virtual void SetTitleW(std::string value);
    virtual void OnLoad();
    virtual void DirectXRender();
    virtual void SetBoxMinimize(bool value);
    virtual void SetBoxMaximize(bool value);
    virtual void SetViewTitle(bool value);
    // Closes the window and frees the gadgets; the form stays registered and may open again.
    virtual void CloseForm();
    virtual bool IsDialog();
    virtual void SetIcona(int value);
    virtual void SetClientArea(int clientWidth, int clientHeight);
    virtual void SetClientArea(int clientWidth, int clientHeight, bool keepPlace);
    virtual void SetModalDialog(bool value);
    virtual void SetDialogTopMost(bool value);
    virtual void SetScreen(KesaScreen* value);
    virtual KesaScreen* GetScreen();
    virtual void CenterForm();
    virtual void Maximizes();
    virtual void Minimize();
    virtual amiga::Window* GetHandle();
    virtual void SetCursorCustom(unsigned short* image, int pointerHeight, int pointerWidth);
    virtual void ClearCursorCustom();
    virtual void RemoveDaGList(amiga::Gadget* gadget);
    virtual void AddAGList(amiga::Gadget* gadget);

    // The first gadget of the window's list (the GadTools context); null when none.
    amiga::Gadget* GetGadgetList() const { return gadgetList; }
    // Storage for the gadget list, for the controls that create gadgets into it.
    amiga::Gadget** GetGadgetListAddress() { return &gadgetList; }

    // Set by a dialog's own code to ask the event loop to close it.
    short closeRequested = 0;

protected:
    void _SpecializedMove() override;
    void _SpecializedResize() override;
    void _SpecializedRefresh() override;
    void _SpecializedMoveFront() override;
    void _SpecializedMoveBottom() override;
    void _SpecializedMoveOver(GUIElement* other) override;
    void _SpecializedSetFont() override;

private:
    void Init(bool dialog);
    amiga::Window* OpenPlatformWindow();

    amiga::Gadget* gadgetList = nullptr;
    KesaScreen* screen = nullptr;
    amiga::Window* window = nullptr;
    bool dialogTopMost = true;
    bool boxMinimize = true;
    bool boxMaximize = true;
    bool viewTitle = true;
    bool isDialog = false;
    bool modalDialog = false;
    int icon = 0;
    // The custom pointer, applied again when the window reopens.
    unsigned short* customPointer = nullptr;
    int customPointerHeight = 0;
    int customPointerWidth = 0;
    // The title handed to the platform; it must stay put while the window shows it, and
    // goes when the window closes.
    std::unique_ptr<char[]> titleCopy;
};
