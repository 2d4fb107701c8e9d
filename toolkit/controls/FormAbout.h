// SPDX-License-Identifier: MIT
// FormAbout: the ready-made "Info..." dialog: a logo in a framed panel, the program's name,
// a legal line, clickable site and mail addresses, a note and OK. Its owner is disabled,
// with the busy pointer, from construction until the dialog closes.
#pragma once

#include "platform/intuition/Images.h"
#include "toolkit/core/Form.h"

#include <string>

class ButtonCustom;
class CellControl;
class MyImage;
class PanelChildren;

class FormAbout : public Form {
public:
    // The mailbox of the mail address; the domain is the site address after its first
    // 11 characters (scheme and host prefix, as in "http://www.").
    static constexpr const char* MailBox = "info";
    static constexpr size_t SitePrefixLength = 11;

    // A 600 × 210 dialog titled "Info...", centred; disables the owner and shows the busy
    // pointer on it.
    explicit FormAbout(Form* owner);
    // Deletes the children; a dialog destroyed while still open gives its owner back first.
    ~FormAbout() override;

    // Store only: call them before the dialog is shown.
    void SetImageLogo(amiga::Image* image, int imageWidth, int imageHeight);
    void SetProgramNameEx(std::string value);
    void SetLegalInformation(std::string value);
    void SetNote(std::string value);
    void SetUrlSite(std::string value);

    // The mail address shown for a site address: MailBox, "@" and the site without its
    // prefix; empty when nothing is left of the site after the prefix.
    static std::string MailAddress(const std::string& site);

    // The dialog's event operations, after those of Form.
    virtual void evCreateChildren();
    // Hot keys released, owner enabled with its normal pointer; closing is allowed.
    virtual bool evClosing();
    virtual void evResize();
    // Return, Escape and Delete act as OK and answer 0; other keys answer 1.
    virtual bool evKeyPress(int key);
    virtual void evKeyDown(int key);
    virtual void evKeyUp(int key);
    // OK asks the event loop to close the dialog.
    virtual void evCommand(GUIElement* element);
    // The site cell hands the site address to the shell, the mail cell "mailto:" and its text.
    virtual void evLeftMouseDOWN(GUIElement* element, tagPOINT p);

    // Static handlers: each finds the dialog of the element and calls its operation.
    static void CreateChildren(GUIElement* element, unsigned long handleValue);
    static bool Closing(GUIElement* element);
    static bool KeyPress(GUIElement* element, int key);
    static void KeyDown(GUIElement* element, int key);
    static void KeyUp(GUIElement* element, int key);
    static void LeftMouseDOWN(GUIElement* element, unsigned long handleValue, tagPOINT p);
    static void OnExecCommand(GUIElement* element);

    CellControl* GetSiteCell() const { return site; }
    CellControl* GetMailCell() const { return mail; }
    ButtonCustom* GetOkButton() const { return okButton; }

private:
    static FormAbout* DialogOf(GUIElement* element);

    Form* owner = nullptr;
    MyImage* logoControl = nullptr;
    CellControl* name = nullptr;
    CellControl* legal = nullptr;
    PanelChildren* frame = nullptr;
    CellControl* note = nullptr;
    ButtonCustom* okButton = nullptr;
    CellControl* site = nullptr;
    CellControl* mail = nullptr;
    amiga::Image* logo = nullptr;
    int logoWidth = 0;
    int logoHeight = 0;
    std::string programName;
    std::string legalInformation;
    std::string noteText;
    std::string siteAddress;
    // The owner is given back once, whichever way the dialog goes.
    bool ownerReleased = false;
};
